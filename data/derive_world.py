#!/usr/bin/env python3
"""Builds data/world.tsv.gz, the world catalog that ships with Mundor, from pinned sources.

Sources (versions pinned in data/sources/package.json and package-lock.json):
- the npm package @countrystatecity/countries (ODbL-1.0): countries, states and cities;
- the npm package cldr-localenames-full (Unicode licence): Spanish country names;
- Debian's iso-codes (ISO 3166-2 and its Spanish translations), checked by digest below.

Usage:
    npm ci --prefix data/sources        # installs into data/sources/node_modules (not committed)
    python3 data/derive_world.py

The output is reproducible: the same sources give the same bytes. The file format is described
in data/README.md; nubex/import reads it. How each name is chosen: see "Names" below.
"""

import argparse
import collections
import gettext
import gzip
import hashlib
import json
import re
import sys
import unicodedata
import uuid
from pathlib import Path

FORMAT_NAME = "mundor-world"
FORMAT_VERSION = 1

# Namespace of the catalog's identifiers, written into the file's header. Never change it: every
# Sys_GUID already stored in a user's catalog derives from it (UUID version 5 of the namespace and
# "country:<id>", "state:<id>" or "city:<id>"), and a new namespace would make the next import add
# a second copy of the world instead of updating the first.
GUID_NAMESPACE = uuid.UUID("6f1d2c3a-8b4e-5a7f-9c21-3e5d7a9b0c14")

MAX_CODE_LENGTH = 8


def clean_text(text) -> str:
    """One line of text: tabs, line breaks and repeated blanks become one blank."""
    return " ".join(str(text or "").split())


def phone_code(raw) -> str:
    return clean_text(raw).lstrip("+").replace("-", "").replace(" ", "")


def unique_code(code: str, taken: set) -> str:
    """The code itself when free, otherwise the code with the first free number appended, both
    cut to the field's length."""
    base = (code or "X")[:MAX_CODE_LENGTH]
    candidate = base
    number = 2
    while candidate in taken:
        suffix = str(number)
        candidate = base[: MAX_CODE_LENGTH - len(suffix)] + suffix
        number += 1
    taken.add(candidate)
    return candidate


def city_code(source_id: int) -> str:
    """Source identifiers are unique across the whole world and never reused, so the decimal id
    is unique within a state and stays the same when the data is refreshed."""
    code = str(source_id)
    if len(code) > MAX_CODE_LENGTH:
        sys.exit(f"city id {source_id} does not fit in {MAX_CODE_LENGTH} characters")
    return code


def load_json(path: Path):
    with path.open(encoding="utf-8") as handle:
        return json.load(handle)


# ---------------------------------------------------------------------------------------------
# Names
#
# The catalog is read in Spanish. Country names come from CLDR's Spanish territory names, apart
# from the few exceptions below. A state's name is the first of:
#   1. its Spanish translation in iso-codes ("New York" gives "Nueva York");
#   2. in the countries whose ISO 3166-2 list gives a Spanish form in brackets, that form
#      ("Catalunya [Cataluña]" gives "Cataluña");
#   3. the curated table below, for the larger countries whose divisions Spanish names;
#   4. where the dataset's name is an English exonym, the ISO 3166-2 name in its own language,
#      without ISO's annotations ("Madrid, Comunidad de" gives "Comunidad de Madrid");
#   5. the dataset's name.
# Cities keep the dataset's names: they are local names already.
# ---------------------------------------------------------------------------------------------

DATA_DIR = Path(__file__).resolve().parent
SOURCES_DIR = DATA_DIR / "sources"

# iso-codes as Debian ships it; a different release changes names, so the script refuses it.
ISO_CODES_RELEASE = "Debian iso-codes 4.15.0-1"
ISO_CODES_FILES = {
    "iso-codes/json/iso_3166-2.json": "078d2da1c3a868189765be5098ce9d551318d12be7e3c0b18e9282dd5481a831",
    "locale/es/LC_MESSAGES/iso_3166-2.mo": "4a1b5f5e8d7486215c7c8c5fae152ba1cccb3c13ee58b430973ff9cfce24ed53",
}

# Countries whose catalog name is another of CLDR's own Spanish forms, and why.
COUNTRY_NAME_EXCEPTIONS = {
    "CI": ("CI-alt-variant", "Costa de Marfil is the name Spanish uses; CLDR's default keeps "
           "the French Côte d'Ivoire"),
    "TL": ("TL-alt-variant", "Timor Oriental is the name Spanish uses; CLDR's default keeps "
           "the Portuguese Timor-Leste"),
    "HK": ("HK-alt-short", "the list is read by name: \"RAE de Hong Kong (China)\" would sort "
           "under R, away from where users look for Hong Kong"),
    "MO": ("MO-alt-short", "as Hong Kong: \"RAE de Macao (China)\" would sort under R"),
}

# ISO 3166-2 gives a Spanish alternative in brackets only for these countries' divisions.
SPANISH_BRACKET_COUNTRIES = {"ES"}

# Spanish names in common use for first-level divisions that iso-codes does not translate.
# Source of every row: the title of the place's article in the Spanish Wikipedia ("es.wp"),
# or the Spanish official name in the region's own statute of autonomy ("estatuto").
CURATED_STATE_NAMES = {
    # Spain: the autonomous communities whose ISO entry is not Spanish or not the usual form.
    "ES-AN": ("Andalucía", "estatuto"),
    "ES-EX": ("Extremadura", "estatuto"),
    "ES-NC": ("Comunidad Foral de Navarra", "estatuto"),
    "ES-PV": ("País Vasco", "estatuto"),
    # Germany.
    "DE-BW": ("Baden-Wurtemberg", "es.wp"),
    "DE-BY": ("Baviera", "es.wp"),
    "DE-BE": ("Berlín", "es.wp"),
    "DE-BB": ("Brandeburgo", "es.wp"),
    "DE-HH": ("Hamburgo", "es.wp"),
    "DE-HE": ("Hesse", "es.wp"),
    "DE-NI": ("Baja Sajonia", "es.wp"),
    "DE-MV": ("Mecklemburgo-Pomerania Occidental", "es.wp"),
    "DE-NW": ("Renania del Norte-Westfalia", "es.wp"),
    "DE-RP": ("Renania-Palatinado", "es.wp"),
    "DE-SL": ("Sarre", "es.wp"),
    "DE-SN": ("Sajonia", "es.wp"),
    "DE-ST": ("Sajonia-Anhalt", "es.wp"),
    "DE-TH": ("Turingia", "es.wp"),
    # Austria.
    "AT-2": ("Carintia", "es.wp"),
    "AT-3": ("Baja Austria", "es.wp"),
    "AT-4": ("Alta Austria", "es.wp"),
    "AT-5": ("Salzburgo", "es.wp"),
    "AT-6": ("Estiria", "es.wp"),
    "AT-7": ("Tirol", "es.wp"),
    "AT-9": ("Viena", "es.wp"),
    # Switzerland.
    "CH-BE": ("Berna", "es.wp"),
    "CH-BL": ("Basilea-Campiña", "es.wp"),
    "CH-BS": ("Basilea-Ciudad", "es.wp"),
    "CH-FR": ("Friburgo", "es.wp"),
    "CH-GE": ("Ginebra", "es.wp"),
    "CH-GR": ("Grisones", "es.wp"),
    "CH-LU": ("Lucerna", "es.wp"),
    "CH-NE": ("Neuchâtel", "es.wp"),
    "CH-SG": ("San Galo", "es.wp"),
    "CH-SH": ("Schaffhausen", "es.wp"),
    "CH-SO": ("Soleura", "es.wp"),
    "CH-TG": ("Turgovia", "es.wp"),
    "CH-TI": ("Tesino", "es.wp"),
    "CH-VS": ("Valais", "es.wp"),
    "CH-ZH": ("Zúrich", "es.wp"),
    # Belgium and the Netherlands.
    "BE-BRU": ("Región de Bruselas-Capital", "es.wp"),
    "BE-VAN": ("Amberes", "es.wp"),
    "BE-VLG": ("Flandes", "es.wp"),
    "BE-VOV": ("Flandes Oriental", "es.wp"),
    "BE-VWV": ("Flandes Occidental", "es.wp"),
    "BE-VBR": ("Brabante Flamenco", "es.wp"),
    "BE-WBR": ("Brabante Valón", "es.wp"),
    "BE-WAL": ("Valonia", "es.wp"),
    "BE-WHT": ("Henao", "es.wp"),
    "BE-WLG": ("Lieja", "es.wp"),
    "BE-WLX": ("Luxemburgo", "es.wp"),
    "NL-NB": ("Brabante Septentrional", "es.wp"),
    "NL-NH": ("Holanda Septentrional", "es.wp"),
    "NL-ZH": ("Holanda Meridional", "es.wp"),
    "NL-FR": ("Frisia", "es.wp"),
    "NL-GE": ("Güeldres", "es.wp"),
    "NL-ZE": ("Zelanda", "es.wp"),
    # United Kingdom: its four countries and London.
    "GB-ENG": ("Inglaterra", "es.wp"),
    "GB-SCT": ("Escocia", "es.wp"),
    "GB-WLS": ("Gales", "es.wp"),
    "GB-NIR": ("Irlanda del Norte", "es.wp"),
    "GB-LND": ("Londres", "es.wp"),
    # France: the regions.
    "FR-ARA": ("Auvernia-Ródano-Alpes", "es.wp"),
    "FR-BFC": ("Borgoña-Franco Condado", "es.wp"),
    "FR-BRE": ("Bretaña", "es.wp"),
    "FR-CVL": ("Centro-Valle de Loira", "es.wp"),
    "FR-20R": ("Córcega", "es.wp"),
    "FR-GES": ("Gran Este", "es.wp"),
    "FR-HDF": ("Alta Francia", "es.wp"),
    "FR-IDF": ("Isla de Francia", "es.wp"),
    "FR-NOR": ("Normandía", "es.wp"),
    "FR-NAQ": ("Nueva Aquitania", "es.wp"),
    "FR-PDL": ("País del Loira", "es.wp"),
    "FR-PAC": ("Provenza-Alpes-Costa Azul", "es.wp"),
    "FR-973": ("Guayana Francesa", "es.wp"),
    "FR-972": ("Martinica", "es.wp"),
    "FR-974": ("Reunión", "es.wp"),
    # Italy: the regions iso-codes leaves untranslated, and the great cities.
    "IT-23": ("Valle de Aosta", "es.wp"),
    "IT-36": ("Friuli-Venecia Julia", "es.wp"),
    "IT-52": ("Toscana", "es.wp"),
    "IT-82": ("Sicilia", "es.wp"),
    "IT-MI": ("Milán", "es.wp"),
    "IT-NA": ("Nápoles", "es.wp"),
    "IT-RM": ("Roma", "es.wp"),
    "IT-TO": ("Turín", "es.wp"),
    "IT-VE": ("Venecia", "es.wp"),
    # Canada, Australia, Russia.
    "CA-QC": ("Quebec", "es.wp"),
    "AU-ACT": ("Territorio de la Capital Australiana", "es.wp"),
    "AU-NSW": ("Nueva Gales del Sur", "es.wp"),
    "AU-NT": ("Territorio del Norte", "es.wp"),
    "AU-SA": ("Australia Meridional", "es.wp"),
    "AU-WA": ("Australia Occidental", "es.wp"),
    "RU-MOW": ("Moscú", "es.wp"),
    "RU-MOS": ("Óblast de Moscú", "es.wp"),
    "RU-SPE": ("San Petersburgo", "es.wp"),
    "RU-SE": ("Osetia del Norte-Alania", "es.wp"),
    # Greece: its regions, whose ISO names are romanised Greek.
    "GR-A": ("Macedonia Oriental y Tracia", "es.wp"),
    "GR-B": ("Macedonia Central", "es.wp"),
    "GR-C": ("Macedonia Occidental", "es.wp"),
    "GR-D": ("Epiro", "es.wp"),
    "GR-E": ("Tesalia", "es.wp"),
    "GR-F": ("Islas Jónicas", "es.wp"),
    "GR-G": ("Grecia Occidental", "es.wp"),
    "GR-H": ("Grecia Central", "es.wp"),
    "GR-I": ("Ática", "es.wp"),
    "GR-J": ("Peloponeso", "es.wp"),
    "GR-K": ("Egeo Septentrional", "es.wp"),
    "GR-L": ("Egeo Meridional", "es.wp"),
    "GR-M": ("Creta", "es.wp"),
    # Others whose ISO name in its own language would replace a well-known Spanish one.
    "BA-BIH": ("Federación de Bosnia y Herzegovina", "es.wp"),
    "CV-S": ("Islas de Sotavento", "es.wp"),
    "DK-81": ("Jutlandia Septentrional", "es.wp"),
    "DK-82": ("Jutlandia Central", "es.wp"),
    "DK-83": ("Dinamarca Meridional", "es.wp"),
    "FR-TF": ("Tierras Australes y Antárticas Francesas", "es.wp"),
    "FR-WF": ("Wallis y Futuna", "es.wp"),
    "RS-02": ("Banato Central", "es.wp"),
    "RS-03": ("Banato del Norte", "es.wp"),
    "UA-43": ("República Autónoma de Crimea", "es.wp"),
}

# Words that mark a division's name as English ("Region of Murcia", "Canary Islands").
ENGLISH_WORDS = {
    "and", "Autonomous", "Bay", "Capital", "Central", "City", "Coast", "Community", "County",
    "District", "East", "Eastern", "Greater", "Island", "Islands", "Isles", "Lower", "New",
    "North", "Northern", "of", "Principality", "Proper", "Province", "Region", "Republic",
    "Saint", "South", "Southern", "State", "the", "Territory", "Upper", "Valley", "West",
    "Western", "Council", "Lands", "Peninsula", "Shoals",
}

# Designations ISO writes after a comma: "Madrid, Comunidad de", "Wake, isla".
INVERTED_DESIGNATION = re.compile(
    r"^(?P<place>[^,]+), (?P<designation>(Comunidad|Región|Principado|Respublika|isla|islas)"
    r"( de)?)$"
)

# Marks of a transliteration, whose ISO spelling is no better than the dataset's.
TRANSLITERATION_MARKS = set("'\u2018\u2019\u02bb\u02bf\u02be")


def words(text: str):
    return re.findall(r"[^\W\d_]+", text)


def fold(text: str) -> str:
    return "".join(
        c for c in unicodedata.normalize("NFD", text) if not unicodedata.combining(c)
    ).casefold()


def tidy_iso_name(name: str) -> str:
    """An ISO 3166-2 name without its annotations: the asterisk or dagger that marks a
    romanisation, the bracketed alternative, a closing remark in parentheses ("Sofia
    (stolitsa)", "Bicol (Region V)") and the inverted order of a designation."""
    name = re.sub(r"\s*\[[^\]]*\]", "", name).replace("*", "").replace("\u2020", "")
    name = clean_text(re.sub(r"\s*\([^)]*\)$", "", name))
    match = INVERTED_DESIGNATION.match(name)
    if match:
        designation = match["designation"]
        name = designation[0].upper() + designation[1:] + " " + match["place"]
    return name


def spanish_bracket(name: str):
    match = re.search(r"\[([^\]]+)\]", name)
    return clean_text(match[1]) if match else None


def is_english_exonym(dataset: str, iso: str) -> bool:
    """The dataset's name is English where the ISO name, written in Latin letters without
    transliteration marks, says the same place in its own language: either the dataset's has
    English words the ISO one lacks ("Canary Islands", "Canarias"), or it is the ISO name
    without its accents ("Aragon", "Aragón")."""
    if dataset == iso or any(ord(c) > 0xFF or c in TRANSLITERATION_MARKS for c in iso):
        return False
    if ENGLISH_WORDS & set(words(dataset)) and not ENGLISH_WORDS & set(words(iso)):
        return True
    return dataset.isascii() and not iso.isascii() and fold(dataset) == fold(iso)


class IsoCodes:
    """ISO 3166-2 from Debian's iso-codes: each division's name and its Spanish translation."""

    def __init__(self, share: Path):
        for relative, digest in ISO_CODES_FILES.items():
            path = share / relative
            if not path.is_file():
                sys.exit(f"{path}: missing; install {ISO_CODES_RELEASE}")
            if hashlib.sha256(path.read_bytes()).hexdigest() != digest:
                sys.exit(f"{path}: not the pinned {ISO_CODES_RELEASE}; names would differ")
        entries = load_json(share / "iso-codes/json/iso_3166-2.json")["3166-2"]
        self.names = {entry["code"]: entry["name"] for entry in entries}
        with (share / "locale/es/LC_MESSAGES/iso_3166-2.mo").open("rb") as mo:
            self.spanish = gettext.GNUTranslations(mo)

    def translation(self, name: str):
        translated = self.spanish.gettext(name)
        return translated if translated != name else None


class Namer:
    """Chooses every country's and state's Spanish name and counts which rule gave it."""

    def __init__(self, cldr: Path, iso: IsoCodes):
        territories = load_json(cldr / "main" / "es" / "territories.json")
        self.territories = territories["main"]["es"]["localeDisplayNames"]["territories"]
        self.iso = iso
        self.countries = collections.Counter()
        self.states = collections.Counter()
        self.curated_used = set()

    def country(self, code: str, package_name: str) -> str:
        if code in COUNTRY_NAME_EXCEPTIONS:
            self.countries["exception"] += 1
            return self.territories[COUNTRY_NAME_EXCEPTIONS[code][0]]
        if code in self.territories:
            self.countries["CLDR"] += 1
            return self.territories[code]
        self.countries["dataset"] += 1
        return package_name

    def state(self, country_code: str, state, siblings) -> str:
        """`siblings`: the dataset's names of the country's states, which a name taken from
        ISO must not repeat ("Chiayi County" stays apart from "Chiayi City")."""
        name, rule = self.choose_state(country_code, state, siblings)
        self.states[rule] += 1
        return name

    def choose_state(self, country_code: str, state, siblings):
        dataset = clean_text(state["name"])
        code = state.get("iso3166_2") or f"{country_code}-{state['iso2']}"
        iso = self.iso.names.get(code)
        if iso is not None:
            translated = self.iso.translation(iso)
            if translated:
                return tidy_iso_name(translated), "iso-codes translation"
            if country_code in SPANISH_BRACKET_COUNTRIES and spanish_bracket(iso):
                return spanish_bracket(iso), "ISO bracketed Spanish"
        if code in CURATED_STATE_NAMES:
            self.curated_used.add(code)
            return CURATED_STATE_NAMES[code][0], "curated table"
        native = tidy_iso_name(iso) if iso is not None else None
        if native and native not in siblings and is_english_exonym(dataset, native):
            return native, "ISO native name"
        return dataset, "dataset"

    def check_curated_table(self):
        """A row that no state reaches is a mistake in the table (a wrong code, or a name
        iso-codes now translates): stop rather than ship a table that says more than it does."""
        unused = sorted(set(CURATED_STATE_NAMES) - self.curated_used)
        if unused:
            sys.exit(f"curated state names never used: {', '.join(unused)}")


class Source:
    """The package's layout: data/countries.json lists every country; data/<Country-ISO2>/ holds
    meta.json (with translations), states.json and one folder per state with cities.json."""

    def __init__(self, package: Path):
        self.data = package / "dist" / "data"
        self.version = load_json(package / "package.json")["version"]
        self.folders = {}
        for folder in sorted(p for p in self.data.iterdir() if p.is_dir()):
            meta = load_json(folder / "meta.json")
            self.folders[meta["id"]] = folder

    def countries(self):
        return sorted(load_json(self.data / "countries.json"), key=lambda c: c["id"])

    def spanish_name(self, country) -> str:
        folder = self.folders.get(country["id"])
        if folder is None:
            return clean_text(country["name"])
        translations = load_json(folder / "meta.json").get("translations") or {}
        return clean_text(translations.get("es") or country["name"])

    def states(self, country):
        folder = self.folders.get(country["id"])
        if folder is None:
            return []
        return sorted(load_json(folder / "states.json"), key=lambda s: s["id"])

    def cities_by_state(self, country):
        folder = self.folders.get(country["id"])
        by_state = {}
        if folder is None:
            return by_state
        for state_folder in sorted(p for p in folder.iterdir() if p.is_dir()):
            for city in load_json(state_folder / "cities.json"):
                by_state.setdefault(city["state_id"], []).append(city)
        return by_state


class Writer:
    """Collects the rows in file order and checks that every source id appears once per kind,
    since the importer derives each row's Sys_GUID from its kind and id."""

    def __init__(self):
        self.lines = []
        self.seen = {"P": set(), "E": set(), "C": set()}

    def row(self, kind: str, source_id: int, *fields: str):
        if source_id in self.seen[kind]:
            sys.exit(f"source id {source_id} repeats in rows of kind {kind}")
        self.seen[kind].add(source_id)
        self.lines.append("\t".join([kind, str(source_id), *fields]))

    def counts(self):
        return [len(self.seen[kind]) for kind in ("P", "E", "C")]


def derive_country(source: Source, namer: Namer, country, out: Writer):
    code = clean_text(country["iso2"])
    out.row(
        "P",
        country["id"],
        code,
        phone_code(country["phonecode"]),
        namer.country(code, source.spanish_name(country)),
    )
    cities = source.cities_by_state(country)
    states = source.states(country)
    orphans = set(cities) - {state["id"] for state in states}
    if orphans:
        sys.exit(f"{country['name']}: cities of unknown states {sorted(orphans)}")
    state_codes = set()
    siblings = {clean_text(state["name"]) for state in states}
    for state in states:
        state_code = unique_code(clean_text(state["iso2"]), state_codes)
        out.row("E", state["id"], state_code, namer.state(code, state, siblings))
        for city in sorted(cities.get(state["id"], []), key=lambda c: c["id"]):
            out.row("C", city["id"], city_code(city["id"]), clean_text(city["name"]))


def derive(source: Source, namer: Namer):
    out = Writer()
    for country in source.countries():
        derive_country(source, namer, country, out)
    namer.check_curated_table()
    return out.counts(), out.lines


def pinned_package(modules: Path, name: str) -> Path:
    """The installed npm package, refused unless it is the version data/sources pins."""
    pins = load_json(SOURCES_DIR / "package.json")["dependencies"]
    folder = modules / name
    if not (folder / "package.json").is_file():
        sys.exit(f"{folder}: missing; run: npm ci --prefix {SOURCES_DIR}")
    version = load_json(folder / "package.json")["version"]
    if version != pins[name]:
        sys.exit(f"{folder}: version {version}, but {pins[name]} is pinned")
    return folder


def build(modules: Path, share: Path):
    """The file's text and the namer (with its counts) from the pinned sources."""
    source = Source(pinned_package(modules, "@countrystatecity/countries"))
    namer = Namer(pinned_package(modules, "cldr-localenames-full"), IsoCodes(share))
    counts, body = derive(source, namer)
    header = [
        f"{FORMAT_NAME}\t{FORMAT_VERSION}",
        f"source\t@countrystatecity/countries\t{source.version}\tODbL-1.0",
        f"guid-namespace\t{GUID_NAMESPACE}",
        "counts\t" + "\t".join(str(n) for n in counts),
    ]
    return counts, "\n".join(header + body) + "\n", namer


def write_gzip(path: Path, text: str):
    with path.open("wb") as raw, gzip.GzipFile(
        filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0
    ) as packed:
        packed.write(text.encode("utf-8"))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[1])
    parser.add_argument(
        "--modules",
        type=Path,
        default=SOURCES_DIR / "node_modules",
        help="node_modules folder holding the pinned npm packages (default: data/sources/)",
    )
    parser.add_argument(
        "--share", type=Path, default=Path("/usr/share"), help="where iso-codes is installed"
    )
    parser.add_argument(
        "--output",
        type=Path,
        default=DATA_DIR / "world.tsv.gz",
        help="file to write (default: data/world.tsv.gz beside this script)",
    )
    args = parser.parse_args()

    counts, text, namer = build(args.modules, args.share)
    write_gzip(args.output, text)
    print(f"{args.output}: {counts[0]} countries, {counts[1]} states, {counts[2]} cities")
    for kind, tally in (("country", namer.countries), ("state", namer.states)):
        for rule, count in tally.most_common():
            print(f"  {kind} names from {rule}: {count}")


if __name__ == "__main__":
    main()
