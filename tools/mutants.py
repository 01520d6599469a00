#!/usr/bin/env python3
"""Rule-based mutation check for the C++ sources, standard library only.

Makes one-line faults in the manner of universalmutator's C/C++ rules (a
condition negated, a relational or logical operator swapped, an integer
literal moved by one, a statement line deleted, true and false swapped, a
return value changed), samples a fixed number per file with a fixed seed,
and for each one rebuilds a private copy of the tree and runs the tests.
A mutant that still builds and passes every test is a survivor: a fault the
suite cannot see. The working tree is never touched.

Usage: mutants.py --tree COPY --build-cmd CMD --test-cmd CMD [--per-file N]
                  [--seed N] [--report FILE] PATH...
PATH is a product file or folder relative to the tree (settings, workcopy/WorkPath.cpp).
"""
import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
import zlib

SOURCE_SUFFIXES = (".cpp",)

# (name, pattern, replacement); each match on a line gives its own mutant.
RULES = [
    ("relational", r"==", "!="),
    ("relational", r"!=", "=="),
    ("relational", r"(?<![<>=!-])<=(?!=)", "<"),
    ("relational", r"(?<![<>=!-])>=(?!=)", ">"),
    ("relational", r"(?<![<\-])<(?![<=])(?=\s)", "<="),
    ("relational", r"(?<![>\-])>(?![>=])(?=\s)", ">="),
    ("logical", r"&&", "||"),
    ("logical", r"\|\|", "&&"),
    ("boolean", r"\btrue\b", "false"),
    ("boolean", r"\bfalse\b", "true"),
    ("boolean", r"\bTRUE\b", "FALSE"),
    ("boolean", r"\bFALSE\b", "TRUE"),
    ("arithmetic", r"(?<=\s)\+(?=\s)", "-"),
    ("arithmetic", r"(?<=\s)-(?=\s)", "+"),
    ("arithmetic", r"\+\+", "--"),
    ("arithmetic", r"--", "++"),
    ("literal+1", r"(?<![\w.])(\d+)(?![\w.])", lambda m: str(int(m.group(1)) + 1)),
    ("literal-1", r"(?<![\w.])([1-9]\d*)(?![\w.])", lambda m: str(int(m.group(1)) - 1)),
    ("return", r"\breturn (?!;)([^;]+);", "return {};"),
    ("control", r"\bbreak;", "continue;"),
    ("control", r"\bcontinue;", "break;"),
]

STATEMENT = re.compile(r"^\s*[\w:~*&(\[].*;\s*$")
NOT_DELETABLE = re.compile(r"^\s*(return\b|case\b|default\b|using\b|namespace\b|struct\b|class\b|enum\b|"
                           r"template\b|typedef\b|static_assert\b|\}|.*\)\s*const\s*;|[\w:<>,\s*&]+\s\w+\([^)]*\);)")


def code_part(line):
    """The line without its // comment, keeping string literals whole."""
    in_string = False
    i = 0
    while i < len(line) - 1:
        c = line[i]
        if c == '"' and (i == 0 or line[i - 1] != "\\"):
            in_string = not in_string
        elif not in_string and line.startswith("//", i):
            return line[:i], line[i:]
        i += 1
    return line, ""


def mutants_of_line(text):
    stripped = text.strip()
    if not stripped or stripped.startswith(("//", "#", "*", "/*")):
        return []
    code, comment = code_part(text.rstrip("\n"))
    newline = "\n" if text.endswith("\n") else ""
    found = []
    for name, pattern, replacement in RULES:
        for match in re.finditer(pattern, code):
            if name.startswith("literal") and _inside_string(code, match.start()):
                continue
            new = replacement(match) if callable(replacement) else replacement
            mutated = code[:match.start()] + new + code[match.end():]
            if mutated != code:
                found.append((name, mutated + comment + newline))
    for mutated in negated_conditions(code):
        found.append(("negate", mutated + comment + newline))
    if STATEMENT.match(code) and not NOT_DELETABLE.match(code) and code.rstrip().endswith(";"):
        found.append(("delete", newline))
    return found


def negated_conditions(code):
    """if (c) and while (c) with c negated, the parentheses matched."""
    results = []
    for match in re.finditer(r"\b(if|while) \(", code):
        depth, start = 1, match.end()
        for i in range(start, len(code)):
            depth += {"(": 1, ")": -1}.get(code[i], 0)
            if depth == 0:
                results.append(code[:start] + "!(" + code[start:i] + ")" + code[i:])
                break
    return results


def _inside_string(code, position):
    return code[:position].count('"') % 2 == 1 or code[:position].count("'") % 2 == 1


def source_files(tree, paths):
    files = []
    for path in paths:
        full = os.path.join(tree, path)
        if os.path.isdir(full):
            for name in sorted(os.listdir(full)):
                if name.endswith(SOURCE_SUFFIXES):
                    files.append(os.path.join(path, name))
        elif os.path.isfile(full):
            files.append(path)
        else:
            sys.exit("no such product file or folder: " + path)
    return files


def sample(tree, relative, per_file, seed):
    with open(os.path.join(tree, relative), encoding="utf-8") as f:
        lines = f.readlines()
    candidates = []
    for number, line in enumerate(lines, 1):
        for rule, mutated in mutants_of_line(line):
            candidates.append((number, rule, mutated))
    rng = random.Random(seed * 1000003 + zlib.crc32(relative.replace("\\", "/").encode()))
    rng.shuffle(candidates)
    return lines, sorted(candidates[:per_file]), len(candidates)


def sync_tree(source, tree):
    """Copies the sources into tree, leaving files whose bytes did not change
    alone, so that the copy's build stays incremental from one run to the next."""
    for folder, subfolders, names in os.walk(source):
        relative = os.path.relpath(folder, source)
        subfolders[:] = [d for d in subfolders if not (relative == "." and d in ("build", ".git"))
                         and not d.startswith("build-")]
        os.makedirs(os.path.join(tree, relative), exist_ok=True)
        for name in names:
            src, dst = os.path.join(folder, name), os.path.join(tree, relative, name)
            with open(src, "rb") as f:
                data = f.read()
            if os.path.exists(dst):
                with open(dst, "rb") as f:
                    if f.read() == data:
                        continue
            shutil.copy2(src, dst)


def run(command, log, timeout):
    try:
        with open(log, "w") as out:
            return subprocess.run(command, shell=True, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def write(path, lines):
    with open(path, "w", encoding="utf-8") as f:
        f.writelines(lines)


def stop(signum, frame):
    raise KeyboardInterrupt  # the finally below puts the file back first


def main():
    signal.signal(signal.SIGTERM, stop)
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tree", required=True, help="the private copy of the source tree to mutate")
    parser.add_argument("--build-cmd")
    parser.add_argument("--test-cmd")
    parser.add_argument("--per-file", type=int, default=5)
    parser.add_argument("--seed", type=int, default=14)
    parser.add_argument("--timeout", type=int, default=600, help="seconds for one build or test run")
    parser.add_argument("--report", default=None)
    parser.add_argument("paths", nargs="*")
    parser.add_argument("--sync-from", default=None, help="copy this source tree into --tree and stop")
    args = parser.parse_args()
    if args.sync_from:
        sync_tree(args.sync_from, args.tree)
        return 0

    logs = os.path.join(args.tree, "build", "mutant-logs")
    os.makedirs(logs, exist_ok=True)
    if run(args.build_cmd, os.path.join(logs, "build-original.log"), args.timeout) != 0:
        sys.exit("the unmutated tree does not build; see " + logs)

    counts = {"killed": 0, "survived": 0, "stillborn": 0}
    survivors = []
    started = time.time()
    for relative in source_files(args.tree, args.paths):
        path = os.path.join(args.tree, relative)
        lines, chosen, available = sample(args.tree, relative, args.per_file, args.seed)
        print(f"{relative}: {len(chosen)} of {available} mutants", flush=True)
        for index, (number, rule, mutated) in enumerate(chosen):
            changed = list(lines)
            changed[number - 1] = mutated
            label = f"{relative}:{number} [{rule}] {mutated.strip() or '(line deleted)'}"
            log = os.path.join(logs, f"{relative.replace('/', '_')}-{index}.log")
            try:
                write(path, changed)
                if run(args.build_cmd, log, args.timeout) != 0:
                    outcome = "stillborn"
                else:
                    outcome = "killed" if run(args.test_cmd, log + ".test", args.timeout) != 0 else "survived"
            finally:
                write(path, lines)  # the tree is whole again whatever happened
            counts[outcome] += 1
            if outcome == "survived":
                survivors.append(label + "\n    was: " + lines[number - 1].strip())
            print(f"  {outcome:9} {label}", flush=True)
    run(args.build_cmd, os.path.join(logs, "build-restored.log"), args.timeout)

    minutes = (time.time() - started) / 60
    summary = [f"mutants: {sum(counts.values())} sampled, {counts['killed']} killed, "
               f"{counts['survived']} survived, {counts['stillborn']} did not build ({minutes:.1f} min, "
               f"seed {args.seed}, {args.per_file} per file)", "survivors:"] + ["  " + s for s in survivors]
    print("\n".join(summary))
    if args.report:
        with open(args.report, "w", encoding="utf-8") as f:
            f.write("\n".join(summary) + "\n")
    return 1 if survivors else 0


if __name__ == "__main__":
    sys.exit(main())
