#!/usr/bin/env python3
"""A small mutation check: how many deliberate faults in the facade, the browser and nubex's
record code does the test suite catch?

It lists every place in those files where one of a few simple faults can be made (a comparison
flipped, && and || swapped, a call statement dropped, an integer or truth constant changed, an
if/while condition negated), draws a seeded random sample of them, and for each one in turn:
writes the fault into the file, rebuilds the one library that holds it (in an existing build
folder), runs the suite's SQLite tests (the "pg." registrations are left out), puts the file
back and rebuilds the library again. A mutant is killed when a test fails or times out, survives
when every test passes, and does not count when it does not compile. The same seed over the same
source draws the same mutants, in the same order, so that two runs (before and after a change to
the tests) compare.

  scripts/mutation-check.py --seed 14 --count 120                 run, and print the table
  scripts/mutation-check.py --seed 14 --count 120 --list          only show the sample
  scripts/mutation-check.py ... --report before.json             keep the outcome of each mutant
  scripts/mutation-check.py --compare before.json after.json     mutants killed once, not now

--count is the number of mutants that compile: the sample goes on down the seeded order past
those that do not. Run it by hand on an up-to-date build (cmake --build build); it is slow (a
rebuild of one library and a run of the suite per mutant) and is not part of CI. The file under
test is always put back, also on Ctrl-C; should the script itself be killed, the next run puts
it back first (from <build>/mutation-check.saved).
"""

import argparse
import concurrent.futures
import hashlib
import json
import os
import random
import re
import shlex
import signal
import subprocess
import sys
import threading
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# The code under test, and the library target that holds each part of it.
TARGET_FILES = [
    ("facade/*.cpp", "mundor"),
    ("browser/*.cpp", "mundor"),
    ("nubex/com/record_core.cpp", "nubex"),
    ("nubex/com/record_core.h", "nubex"),
    ("nubex/com/record_object.h", "nubex"),
    ("nubex/com/pais_object.cpp", "nubex"),
    ("nubex/com/edoprov_object.cpp", "nubex"),
    ("nubex/com/ciudad_object.cpp", "nubex"),
    ("nubex/store/record_store.cpp", "nubex"),
]

# Test folders whose programs cannot reach that code (the runtime, the two toolkits on their
# own, the installed-file checks, the fuzz targets): left out to save time. The benchmarks' smoke
# runs are not part of the suite.
SKIPPED_TEST_DIRS = {"runtime", "headless", "qt", "install", "fuzz"}

RELATIONAL = {"<": ">=", ">=": "<", ">": "<=", "<=": ">", "==": "!=", "!=": "=="}
LOGICAL = {"&&": "||", "||": "&&"}
TRUTH = {"true": "false", "false": "true", "VARIANT_TRUE": "VARIANT_FALSE",
         "VARIANT_FALSE": "VARIANT_TRUE"}
NOT_A_CALL = {"return", "if", "while", "for", "switch", "case", "delete", "throw", "else", "do",
              "co_return", "using", "namespace", "static_assert"}


@dataclass(frozen=True)
class Mutant:
    file: str
    line: int  # 1-based
    column: int  # 0-based, where the change starts
    kind: str
    before: str
    after: str

    @property
    def key(self):
        return f"{self.file}:{self.line}:{self.column}:{self.kind}:{self.before}->{self.after}"

    @property
    def ident(self):
        return hashlib.sha1(self.key.encode()).hexdigest()[:10]

    def apply(self, text):
        lines = text.split("\n")
        row = lines[self.line - 1]
        assert row[self.column:self.column + len(self.before)] == self.before, self.key
        lines[self.line - 1] = row[:self.column] + self.after + row[self.column + len(self.before):]
        return "\n".join(lines)


# ---------------------------------------------------------------------------------------------
# Where the faults can go


def code_mask(text):
    """One flag per character: True where it is code (not a comment, string or char literal)."""
    mask = [True] * len(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            j += 1
        else:
            i += 1
            continue
        for k in range(i, min(j, n)):
            mask[k] = False
        i = j
    return mask


def matching_paren(row, open_at, mask_row):
    depth = 0
    for k in range(open_at, len(row)):
        if not mask_row[k]:
            continue
        if row[k] == "(":
            depth += 1
        elif row[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


CALL_STATEMENT = re.compile(r"^(\s*)([A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*)*)\s*\((.*)\);\s*$")


def sites_in(path, rel):
    text = path.read_text()
    mask = code_mask(text)
    found = []
    offset = 0
    for number, row in enumerate(text.split("\n"), start=1):
        m_row = mask[offset:offset + len(row)]
        offset += len(row) + 1
        if row.lstrip().startswith("#"):
            continue

        def add(column, kind, before, after, whole=True):
            if all(m_row[column:column + len(before) if whole else column + 1]):
                found.append(Mutant(rel, number, column, kind, before, after))

        for m in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", row):
            add(m.start(), "relational", m.group(1), RELATIONAL[m.group(1)])
        for m in re.finditer(r"(?<=\s)(&&|\|\|)(?=\s)", row):
            add(m.start(), "logical", m.group(1), LOGICAL[m.group(1)])
        for m in re.finditer(r"(?<![\w.])(\d+)(?![\w.'])", row):
            value = int(m.group(1))
            add(m.start(), "constant", m.group(1), "1" if value == 0 else
                "0" if value == 1 else str(value + 1))
        for m in re.finditer(r"\b(VARIANT_TRUE|VARIANT_FALSE|true|false)\b", row):
            add(m.start(), "constant", m.group(1), TRUTH[m.group(1)])
        for m in re.finditer(r"\b(if|while) \(", row):
            open_at = m.end() - 1
            close_at = matching_paren(row, open_at, m_row)
            if close_at < 0 or not m_row[m.start()]:
                continue
            condition = row[open_at:close_at + 1]
            add(open_at, "negate", condition, "(!" + condition + ")", whole=False)
        call = CALL_STATEMENT.match(row)
        if call and call.group(2).split("::")[0] not in NOT_A_CALL and all(m_row[len(call.group(1)):]):
            statement = row[len(call.group(1)):].rstrip()
            depth = 0
            balanced = True
            for ch in statement:
                depth += ch == "("
                depth -= ch == ")"
                balanced = balanced and depth >= 0
            if balanced and depth == 0 and "=" not in re.sub(r"\(.*\)", "", statement):
                add(len(call.group(1)), "drop-call", statement, ";")
    return found


def target_files():
    files = []
    for pattern, target in TARGET_FILES:
        for path in sorted(ROOT.glob(pattern)):
            files.append((path, path.relative_to(ROOT).as_posix(), target))
    return files


def all_sites():
    sites, fingerprint = [], hashlib.sha1()
    for path, rel, target in target_files():
        fingerprint.update(rel.encode() + b"\0" + path.read_bytes())
        sites.extend((site, target) for site in sites_in(path, rel))
    sites.sort(key=lambda s: (s[0].file, s[0].line, s[0].column, s[0].kind, s[0].after))
    return sites, fingerprint.hexdigest()[:12]


def seeded_order(sites, seed):
    order = list(sites)
    random.Random(seed).shuffle(order)
    return order


# ---------------------------------------------------------------------------------------------
# Building and testing


def suite_groups(build):
    """The SQLite tests of the suite, one group per program (its tests run in one process)."""
    listing = subprocess.run(["ctest", "--test-dir", str(build), "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    groups = {}
    for test in json.loads(listing)["tests"]:
        name = test["name"]
        command = test.get("command")
        if name.startswith("pg.") or not command:
            continue
        program = Path(command[0])
        props = {p["name"]: p["value"] for p in test.get("properties", [])}
        workdir = props.get("WORKING_DIRECTORY", str(build))
        try:  # a test runs in the build folder of the CMakeLists.txt that declared it
            folder = Path(workdir).relative_to(build / "tests").parts[0]
        except (ValueError, IndexError):
            continue  # not one of the suite's (the benchmarks' smoke runs)
        if folder in SKIPPED_TEST_DIRS:
            continue
        env = dict(os.environ)
        for item in props.get("ENVIRONMENT", []):
            k, _, v = item.partition("=")
            env[k] = v
        gtest = [a for a in command[1:] if a.startswith("--gtest_filter=")]
        if gtest:
            key = (command[0], tuple(sorted(props.get("ENVIRONMENT", []))), workdir)
            group = groups.setdefault(key, {"label": program.name, "program": command[0],
                                            "env": env, "cwd": workdir, "tests": []})
            group["tests"].append(gtest[0].split("=", 1)[1])
        else:
            groups[(name,)] = {"label": name, "command": command, "env": env, "cwd": workdir,
                               "skip_code": props.get("SKIP_RETURN_CODE")}
    return list(groups.values())


def group_commands(group):
    if "command" in group:
        return [group["command"]]
    commands, chunk, size = [], [], 0
    for test in group["tests"]:  # one argument may hold at most 128 KiB
        if size + len(test) > 100_000:
            commands.append(chunk)
            chunk, size = [], 0
        chunk.append(test)
        size += len(test) + 1
    commands.append(chunk)
    return [[group["program"], "--gtest_filter=" + ":".join(c), "--gtest_brief=1"]
            for c in commands]


class Runner:
    def __init__(self, jobs):
        self.jobs = jobs
        self.lock = threading.Lock()
        self.live = set()

    def _run_one(self, command, group, timeout, cancelled):
        if cancelled.is_set():
            return "cancelled", ""
        proc = subprocess.Popen(command, cwd=group["cwd"], env=group["env"], text=True,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                start_new_session=True)
        with self.lock:
            self.live.add(proc)
        try:
            out, _ = proc.communicate(timeout=timeout)
            # A test that says it cannot run here (its SKIP_RETURN_CODE) fails no mutant either.
            if proc.returncode == 0 or proc.returncode == group.get("skip_code"):
                return "passed", out
            # Stopped because another program already failed: that says nothing of this one.
            return ("cancelled" if cancelled.is_set() and proc.returncode == -signal.SIGKILL
                    else "failed"), out
        except subprocess.TimeoutExpired:
            self.kill(proc)
            out, _ = proc.communicate()
            return "timeout", out
        finally:
            with self.lock:
                self.live.discard(proc)

    @staticmethod
    def kill(proc):
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass

    def kill_all(self):
        with self.lock:
            for proc in list(self.live):
                self.kill(proc)

    def run(self, groups, timeouts, stop_at_first_failure=True):
        """Runs every group; returns (outcome, {label: (status, seconds, output)})."""
        cancelled = threading.Event()
        results = {}

        def work(group):
            start = time.monotonic()
            status, output = "passed", ""
            for command in group_commands(group):
                status, out = self._run_one(command, group, timeouts.get(group["label"]),
                                            cancelled)
                output += out
                if status != "passed":
                    break
            if status in ("failed", "timeout") and stop_at_first_failure:
                cancelled.set()
                self.kill_all()
            return group["label"], (status, time.monotonic() - start, output)

        pool = concurrent.futures.ThreadPoolExecutor(self.jobs)
        try:
            for label, result in pool.map(work, groups):
                results[label] = result
        except BaseException:
            cancelled.set()
            self.kill_all()
            raise
        finally:
            pool.shutdown(wait=True)
        statuses = [r[0] for r in results.values()]
        if "failed" in statuses:
            return "killed", results
        if "timeout" in statuses:
            return "timeout", results
        return "survived", results


def build_target(build, target):
    proc = subprocess.run(["cmake", "--build", str(build), "-j2", "--target", target],
                          capture_output=True, text=True)
    return proc.returncode == 0, proc.stdout + proc.stderr


def failed_tests(output):
    """The tests gtest reports failed, each once, in order."""
    names = re.findall(r"^\[  FAILED  \] ([^\s,]+)", output, re.M)
    return list(dict.fromkeys(n for n in names if "." in n))


# ---------------------------------------------------------------------------------------------
# Putting the file back


class SavedFile:
    """Keeps the original text of the file under mutation on disk until it is back in place."""

    def __init__(self, build):
        self.journal = build / "mutation-check.saved"

    def recover(self):
        if not self.journal.exists():
            return
        saved = json.loads(self.journal.read_text())
        (ROOT / saved["file"]).write_text(saved["text"])
        self.journal.unlink()
        print(f"put back {saved['file']}, left mutated by an interrupted run", file=sys.stderr)

    def mutate(self, mutant, original):
        self.journal.write_text(json.dumps({"file": mutant.file, "text": original}))
        (ROOT / mutant.file).write_text(mutant.apply(original))

    def restore(self, mutant, original):
        (ROOT / mutant.file).write_text(original)
        self.journal.unlink(missing_ok=True)


# ---------------------------------------------------------------------------------------------


def describe(mutant):
    before = mutant.before if len(mutant.before) <= 40 else mutant.before[:37] + "..."
    after = mutant.after if len(mutant.after) <= 40 else mutant.after[:37] + "..."
    return f"{mutant.kind:10} {before!r} -> {after!r}"


def print_table(rows, out=sys.stdout):
    print(f"{'#':>3} {'id':10} {'where':38} {'mutation':64} outcome", file=out)
    for i, row in enumerate(rows, 1):
        where = f"{row['file']}:{row['line']}"
        what = f"{row['kind']:10} {row['before'][:24]!r} -> {row['after'][:24]!r}"
        extra = f" ({row['by']})" if row.get("by") else ""
        print(f"{i:>3} {row['id']:10} {where:38} {what:64} {row['outcome']}{extra}", file=out)


def summary(rows):
    counted = [r for r in rows if r["outcome"] != "compile-error"]
    killed = [r for r in counted if r["outcome"] in ("killed", "timeout")]
    compile_errors = len(rows) - len(counted)
    rate = 100.0 * len(killed) / len(counted) if counted else 0.0
    return (f"mutants: {len(counted)}  killed: {len(killed)} "
            f"(timeouts among them: {sum(r['outcome'] == 'timeout' for r in counted)})  "
            f"survived: {len(counted) - len(killed)}  did not compile: {compile_errors}  "
            f"kill rate: {rate:.1f}%")


def compare(before_path, after_path):
    before = {r["id"]: r for r in json.loads(Path(before_path).read_text())["mutants"]}
    after = {r["id"]: r for r in json.loads(Path(after_path).read_text())["mutants"]}
    dead = ("killed", "timeout")
    lost = [after[i] for i in after if i in before and before[i]["outcome"] in dead
            and after[i]["outcome"] not in dead and after[i]["outcome"] != "compile-error"]
    gained = [after[i] for i in after if i in before and before[i]["outcome"] not in dead
              and after[i]["outcome"] in dead]
    missing = sorted(set(before) ^ set(after))
    print("killed before, surviving now:", len(lost))
    print_table(lost)
    print("surviving before, killed now:", len(gained))
    print_table(gained)
    if missing:
        print("mutants in one report only (different samples?):", len(missing))
    return 1 if lost or missing else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0],
                                     formatter_class=argparse.RawDescriptionHelpFormatter,
                                     epilog=__doc__.split("\n\n", 1)[1])
    parser.add_argument("--seed", type=int, default=14,
                        help="draws the sample; the same seed draws the same mutants")
    parser.add_argument("--count", type=int, default=120, help="mutants that compile")
    parser.add_argument("--build", default=str(ROOT / "build"), help="existing build folder")
    parser.add_argument("--jobs", type=int, default=2, help="test programs run at once")
    parser.add_argument("--report", help="write each mutant's outcome to this JSON file")
    parser.add_argument("--list", action="store_true", help="show the sample and stop")
    parser.add_argument("--all-killers", action="store_true",
                        help="run every test program on each mutant and record every test that "
                        "fails (slower; tells which tests alone catch a mutant)")
    parser.add_argument("--compare", nargs=2, metavar=("BEFORE", "AFTER"),
                        help="two --report files: the mutants one run killed and the other not")
    parser.add_argument("--version", action="version", version="mutation-check 1")
    args = parser.parse_args()

    if args.compare:
        return compare(*args.compare)

    build = Path(args.build).resolve()
    sites, fingerprint = all_sites()
    order = seeded_order(sites, args.seed)
    print(f"{len(sites)} mutation sites in {len(target_files())} files "
          f"(source {fingerprint}); seed {args.seed}")
    if args.list:
        for i, (mutant, _) in enumerate(order[:args.count], 1):
            print(f"{i:>3} {mutant.ident} {mutant.file}:{mutant.line} {describe(mutant)}")
        return 0

    saved = SavedFile(build)
    saved.recover()
    groups = suite_groups(build)
    runner = Runner(args.jobs)
    # A program hung by a mutant is stopped at four times its usual time, plus a margin.
    print(f"baseline: {len(groups)} test programs, "
          f"{sum(len(g.get('tests', [1])) for g in groups)} tests", flush=True)
    ok, log = build_target(build, "all")
    if not ok:
        sys.exit(f"the unchanged code does not build:\n{log[-5000:]}")
    outcome, results = runner.run(groups, {}, stop_at_first_failure=False)
    if outcome != "survived":
        bad = {k: v for k, v in results.items() if v[0] != "passed"}
        for label, (status, _, output) in bad.items():
            print(f"--- {label}: {status}\n{output[-3000:]}", file=sys.stderr)
        sys.exit("the unchanged code does not pass its tests; fix that first")
    timeouts = {label: 4 * seconds + 30 for label, (_, seconds, _) in results.items()}
    print("baseline passes in " + f"{sum(r[1] for r in results.values()):.0f}s", flush=True)

    def interrupted(signum, frame):
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, interrupted)
    rows = []
    report = {"seed": args.seed, "count": args.count, "source": fingerprint, "mutants": rows}
    counted = 0
    try:
        for mutant, target in order:
            if counted >= args.count:
                break
            original = (ROOT / mutant.file).read_text()
            try:
                saved.mutate(mutant, original)
                ok, _ = build_target(build, target)
                if ok:
                    outcome, results = runner.run(groups, timeouts,
                                                  stop_at_first_failure=not args.all_killers)
                    counted += 1
                else:
                    outcome, results = "compile-error", {}
            finally:
                saved.restore(mutant, original)
            # The library must hold the original code again before the next mutant: that one may
            # rebuild another library only, and a fault left behind here would be charged to it.
            ok, log = build_target(build, target)
            if not ok:
                sys.exit(f"the code put back does not build:\n{log[-5000:]}")
            failing = {label: failed_tests(r[2]) or [r[0]]
                       for label, r in results.items() if r[0] in ("failed", "timeout")}
            by = ", ".join(f"{label}: {names[0]}" for label, names in failing.items())
            row = {"id": mutant.ident, "file": mutant.file, "line": mutant.line,
                   "kind": mutant.kind, "before": mutant.before, "after": mutant.after,
                   "outcome": outcome, "by": by}
            if args.all_killers:
                row["killers"] = [f"{label}: {name}" for label, names in failing.items()
                                  for name in names]
            rows.append(row)
            print(f"[{counted:>3}/{args.count}] {mutant.ident} {mutant.file}:{mutant.line} "
                  f"{describe(mutant)} => {outcome}" + (f" ({by})" if by else ""), flush=True)
            if args.report:
                Path(args.report).write_text(json.dumps(report, indent=1, ensure_ascii=False))
    except KeyboardInterrupt:
        runner.kill_all()
        print("interrupted; the file under mutation is back as it was", file=sys.stderr)
    finally:
        for target in sorted({t for _, t in sites}):
            build_target(build, target)

    print()
    print_table(rows)
    print()
    print(summary(rows))
    if args.report:
        report["summary"] = summary(rows)
        Path(args.report).write_text(json.dumps(report, indent=1, ensure_ascii=False))
    return 0


if __name__ == "__main__":
    sys.exit(main())
