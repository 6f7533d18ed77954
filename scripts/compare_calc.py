#!/usr/bin/env python3
"""Runs expansion-chamber-calc of each toolchain on cases of the reference build and
compares the exit status, standard output and standard error with the reference's, byte
for byte.

    compare_calc.py CASES.jsonl PER_COMMAND NAME=COMMAND...

CASES.jsonl is what calc_cases of the reference (Linux GCC) build wrote. COMMAND runs one
build's calculator, e.g. "cmake/wine-run.sh build-mingw/bin/expansion-chamber-calc.exe".
The worked cases and the first PER_COMMAND random cases of each command are run.
"""
import collections
import concurrent.futures
import json
import shlex
import subprocess
import sys


def chosen_cases(path, per_command):
    cases = [json.loads(line) for line in open(path, encoding="utf-8")]
    chosen = [c for c in cases if c["worked"]]
    taken = collections.Counter()
    for case in cases[len(chosen):]:
        command = case["args"][0]
        if taken[command] < per_command:
            taken[command] += 1
            chosen.append(case)
    return chosen


def run(prefix, case):
    done = subprocess.run(prefix + case["args"], capture_output=True, timeout=120)
    expected = (case["status"], case["out"].encode(), case["err"].encode())
    return (done.returncode, done.stdout, done.stderr) == expected, done


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    cases = chosen_cases(sys.argv[1], int(sys.argv[2]))
    failed = False
    for case_arg in sys.argv[3:]:
        name, command = case_arg.split("=", 1)
        prefix = shlex.split(command)
        with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
            results = list(pool.map(lambda c: run(prefix, c), cases))
        counts = collections.Counter(c["args"][0] for c in cases)
        wrong = [(c, done) for c, (same, done) in zip(cases, results) if not same]
        print(f"  {name}: {len(cases) - len(wrong)} of {len(cases)} runs identical "
              f"({', '.join(f'{k} {v}' for k, v in sorted(counts.items()))})")
        for case, done in wrong[:5]:
            print(f"    differs: {shlex.join(case['args'])}\n"
                  f"      status {done.returncode}, expected {case['status']}\n"
                  f"      out {done.stdout[:300]!r}\n      expected {case['out'][:300]!r}\n"
                  f"      err {done.stderr[:300]!r}\n      expected {case['err'][:300]!r}")
        failed = failed or bool(wrong)
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
