"""Checks the shipped world file against the pinned sources it is derived from: the file is what
data/derive_world.py makes of them, and its country and state names are the Spanish ones those
sources give. Exits 77 (skipped) when the pinned sources are not installed."""

import gettext
import gzip
import hashlib
import sys
import unittest
from pathlib import Path

DATA = Path(__file__).resolve().parents[2] / "data"
sys.path.insert(0, str(DATA))
import derive_world as world  # noqa: E402

SHARE = Path("/usr/share")
MODULES = world.SOURCES_DIR / "node_modules"
SKIPPED = 77


def missing_sources():
    """Why the pinned sources cannot be read, or None."""
    pins = world.load_json(world.SOURCES_DIR / "package.json")["dependencies"]
    for name, version in pins.items():
        manifest = MODULES / name / "package.json"
        if not manifest.is_file() or world.load_json(manifest)["version"] != version:
            return f"{name} {version} is not installed (npm ci --prefix {world.SOURCES_DIR})"
    for relative, digest in world.ISO_CODES_FILES.items():
        path = SHARE / relative
        if not path.is_file() or hashlib.sha256(path.read_bytes()).hexdigest() != digest:
            return f"{path} is not the pinned {world.ISO_CODES_RELEASE}"
    return None


def shipped_rows():
    """The shipped file's rows, each with the ISO code of its country."""
    lines = gzip.open(DATA / "world.tsv.gz", "rt", encoding="utf-8").read().splitlines()[4:]
    country = None
    for line in lines:
        fields = line.split("\t")
        if fields[0] == "P":
            country = fields[2]
        yield country, fields


class ShippedWorldTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.rows = list(shipped_rows())
        territories = world.load_json(
            MODULES / "cldr-localenames-full/main/es/territories.json")
        cls.cldr = territories["main"]["es"]["localeDisplayNames"]["territories"]
        cls.source = world.Source(MODULES / "@countrystatecity/countries")
        cls.states = {}  # (country code, state's source id) -> the source's state
        for country in cls.source.countries():
            for state in cls.source.states(country):
                cls.states[(country["iso2"], state["id"])] = state

    def state_names(self, country):
        """The shipped names of a country's states, by their ISO 3166-2 code."""
        names = {}
        for code, fields in self.rows:
            if code == country and fields[0] == "E":
                names[self.states[(code, int(fields[1]))]["iso3166_2"]] = fields[3]
        return names

    def test_the_pinned_sources_give_the_shipped_file(self):
        _, text, _ = world.build(MODULES, SHARE)
        shipped = gzip.open(DATA / "world.tsv.gz", "rt", encoding="utf-8").read()
        self.assertTrue(text == shipped, "data/world.tsv.gz is not what the sources give")

    def test_every_country_has_cldrs_spanish_name_or_a_reviewed_other_form(self):
        countries = [fields for _, fields in self.rows if fields[0] == "P"]
        self.assertEqual(len(countries), 250)
        for fields in countries:
            code, name = fields[2], fields[4]
            exception = world.COUNTRY_NAME_EXCEPTIONS.get(code)
            with self.subTest(code=code):
                self.assertEqual(name, self.cldr[exception[0] if exception else code])
                if exception:
                    self.assertNotEqual(name, self.cldr[code])
                    self.assertTrue(exception[1])

    def test_the_english_names_once_shipped_are_gone(self):
        english = {"Antarctica", "Western Sahara", "Haiti", "Myanmar", "Cook Islands",
                   "Sierra Leone", "Bouvet Island", "Bonaire, Sint Eustatius and Saba"}
        names = {fields[4] for _, fields in self.rows if fields[0] == "P"}
        self.assertEqual(english & names, set())

    def test_states_read_as_a_spanish_speaker_expects(self):
        expected = {
            "ES": {"ES-AN": "Andalucía", "ES-CT": "Cataluña", "ES-IB": "Islas Baleares",
                   "ES-PV": "País Vasco", "ES-MD": "Comunidad de Madrid",
                   "ES-NC": "Comunidad Foral de Navarra", "ES-CN": "Canarias",
                   "ES-AS": "Principado de Asturias", "ES-VC": "Comunidad Valenciana",
                   "ES-BI": "Vizcaya", "ES-AL": "Almería"},
            "DE": {"DE-BY": "Baviera", "DE-NI": "Baja Sajonia",
                   "DE-NW": "Renania del Norte-Westfalia", "DE-HE": "Hesse"},
            "US": {"US-NY": "Nueva York", "US-NC": "Carolina del Norte", "US-TX": "Texas"},
            "CA": {"CA-BC": "Columbia Británica"},
            "IT": {"IT-25": "Lombardía"},
            "MX": {"MX-CMX": "Ciudad de México", "MX-NLE": "Nuevo León"},
        }
        for country, states in expected.items():
            names = self.state_names(country)
            for code, name in states.items():
                with self.subTest(code=code):
                    self.assertEqual(names[code], name)

    def test_every_state_iso_codes_translates_carries_the_translation(self):
        with (SHARE / "locale/es/LC_MESSAGES/iso_3166-2.mo").open("rb") as mo:
            spanish = gettext.GNUTranslations(mo)
        iso = {e["code"]: e["name"] for e in world.load_json(
            SHARE / "iso-codes/json/iso_3166-2.json")["3166-2"]}
        checked = 0
        for country, fields in self.rows:
            if fields[0] != "E":
                continue
            code = self.states[(country, int(fields[1]))]["iso3166_2"]
            translated = spanish.gettext(iso.get(code, ""))
            if code in iso and translated != iso[code]:
                checked += 1
                with self.subTest(code=code):
                    self.assertEqual(fields[3], world.tidy_iso_name(translated))
        self.assertGreater(checked, 80)


class NameRulesTest(unittest.TestCase):
    def test_iso_annotations_are_removed(self):
        for iso, tidy in [("Madrid, Comunidad de", "Comunidad de Madrid"),
                          ("Valenciana, Comunidad", "Comunidad Valenciana"),
                          ("Wake, isla", "Isla Wake"), ("Alacant*", "Alacant"),
                          ("Catalunya [Cataluña]", "Catalunya"), ("Sofia (stolitsa)", "Sofia"),
                          ("San Andrés, Providencia y Santa Catalina",
                           "San Andrés, Providencia y Santa Catalina")]:
            with self.subTest(iso=iso):
                self.assertEqual(world.tidy_iso_name(iso), tidy)

    def test_english_exonyms_are_told_from_other_spellings(self):
        for dataset, iso, exonym in [("Canary Islands", "Canarias", True),
                                     ("Aragon", "Aragón", True),
                                     ("Csongrád County", "Csongrád", True),
                                     ("Astrakhan", "Astrahanskaja oblast'", False),
                                     ("Northern", "Ash Shamālīyah", False),
                                     ("West Coast", "Western", False),
                                     ("KwaZulu-Natal", "Kwazulu-Natal", False),
                                     ("Tyrol", "Tirol", False)]:
            with self.subTest(dataset=dataset):
                self.assertEqual(world.is_english_exonym(dataset, iso), exonym)


if __name__ == "__main__":
    reason = missing_sources()
    if reason:
        print(f"skipped: {reason}")
        sys.exit(SKIPPED)
    unittest.main()
