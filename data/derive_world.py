#!/usr/bin/env python3
"""Builds data/world.tsv.gz, the world catalog that ships with Mundor, from the npm package
@countrystatecity/countries (ODbL-1.0).

Usage:
    mkdir -p /tmp/csc && cd /tmp/csc && npm install @countrystatecity/countries
    python3 data/derive_world.py /tmp/csc/node_modules/@countrystatecity/countries

The output is reproducible: the same package version gives the same bytes. The file format is
described in data/README.md; nubex/import reads it.
"""

import argparse
import gzip
import json
import sys
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


def derive_country(source: Source, country, out: Writer):
    out.row(
        "P",
        country["id"],
        clean_text(country["iso2"]),
        phone_code(country["phonecode"]),
        source.spanish_name(country),
    )
    cities = source.cities_by_state(country)
    states = source.states(country)
    orphans = set(cities) - {state["id"] for state in states}
    if orphans:
        sys.exit(f"{country['name']}: cities of unknown states {sorted(orphans)}")
    state_codes = set()
    for state in states:
        code = unique_code(clean_text(state["iso2"]), state_codes)
        out.row("E", state["id"], code, clean_text(state["name"]))
        for city in sorted(cities.get(state["id"], []), key=lambda c: c["id"]):
            out.row("C", city["id"], city_code(city["id"]), clean_text(city["name"]))


def derive(source: Source):
    out = Writer()
    for country in source.countries():
        derive_country(source, country, out)
    return out.counts(), out.lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("package", type=Path, help="folder of the installed npm package")
    parser.add_argument(
        "--output",
        type=Path,
        default=Path(__file__).resolve().parent / "world.tsv.gz",
        help="file to write (default: data/world.tsv.gz beside this script)",
    )
    args = parser.parse_args()

    source = Source(args.package)
    counts, body = derive(source)
    header = [
        f"{FORMAT_NAME}\t{FORMAT_VERSION}",
        f"source\t@countrystatecity/countries\t{source.version}\tODbL-1.0",
        f"guid-namespace\t{GUID_NAMESPACE}",
        "counts\t" + "\t".join(str(n) for n in counts),
    ]
    text = "\n".join(header + body) + "\n"
    with args.output.open("wb") as raw, gzip.GzipFile(
        filename="", mode="wb", fileobj=raw, compresslevel=9, mtime=0
    ) as packed:
        packed.write(text.encode("utf-8"))
    print(f"{args.output}: {counts[0]} countries, {counts[1]} states, {counts[2]} cities")


if __name__ == "__main__":
    main()
