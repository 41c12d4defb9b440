#!/usr/bin/env python3
"""Measures the bite of the native tests: applies each mutant of a list (an
exact text replacement modelling a real fault) to a scratch copy of the
tree, rebuilds incrementally and runs the core tests. A mutant is killed
when the tests fail (or time out), survived when they pass.

  tools/mutate/mutate.py [--list FILE] [--only ID,ID...] [--keep]
                         [--results FILE] [--filter GTEST_FILTER] [SOURCE_DIR]

Prints one line per mutant and a summary line; exits 1 when a mutant was
not applied or did not build (the list needs mending), else 0. --results
writes, per mutant, the tests that failed (to see which test kills what).
"""
import argparse, os, shutil, subprocess, sys, tempfile, time

HERE = os.path.dirname(os.path.abspath(__file__))


def read_mutants(path):
    mutants, current = [], None
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if line.startswith("@ "):
                head, _, what = line[2:].partition("|")
                ident, file = head.split()
                current = {"id": ident, "file": file, "what": what.strip(), "old": [], "new": [],
                           "line": number}
                mutants.append(current)
            elif line.startswith("- ") and current:
                current["old"].append(line[2:])
            elif (line.startswith("+ ") or line == "+") and current:
                current["new"].append(line[2:])
    for m in mutants:
        m["old"], m["new"] = "\n".join(m["old"]), "\n".join(m["new"])
        if not m["old"]:
            sys.exit(f"{path}:{m['line']}: mutant {m['id']} has no text to replace")
    return mutants


def run(cmd, cwd, log, timeout=None, env=None):
    with open(log, "w") as out:
        try:
            return subprocess.run(cmd, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout, env=env).returncode
        except subprocess.TimeoutExpired:
            return "timeout"


def failed_tests(log):
    names = []
    with open(log, errors="replace") as f:
        for line in f:
            if line.startswith("[  FAILED  ] "):
                name = line[13:].split(" ")[0].strip().rstrip(",")  # "Suite/Test/0, where ..."
                if name and name[0].isalpha() and name not in names:
                    names.append(name)
    return names


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("source", nargs="?", default=os.path.normpath(os.path.join(HERE, "..", "..")))
    ap.add_argument("--list", default=os.path.join(HERE, "mutants.txt"))
    ap.add_argument("--only", default="")
    ap.add_argument("--keep", action="store_true", help="keep the scratch folder")
    ap.add_argument("--results", default="")
    ap.add_argument("--filter", default="", help="GoogleTest filter for every run")
    ap.add_argument("--timeout", type=int, default=0,
                    help="seconds a test run may take (default: 10 times the baseline, at least 60)")
    args = ap.parse_args()

    mutants = read_mutants(args.list)
    if args.only:
        wanted = set(args.only.split(","))
        mutants = [m for m in mutants if m["id"] in wanted]

    scratch = tempfile.mkdtemp(prefix="tavlon-mutate-")  # unique, outside the tree
    tree = os.path.join(scratch, "tree")
    print(f"scratch: {scratch}", flush=True)
    shutil.copytree(args.source, tree, symlinks=True,
                    ignore=shutil.ignore_patterns(".git", "build"))
    env = dict(os.environ, CMAKE_CXX_COMPILER_LAUNCHER="ccache", CMAKE_C_COMPILER_LAUNCHER="ccache",
               CCACHE_BASEDIR=tree, CCACHE_NOHASHDIR="1")
    logs = os.path.join(scratch, "logs")
    os.mkdir(logs)
    binary = os.path.join(tree, "build", "native", "tests", "tavlon_core_tests")
    build = ["cmake", "--build", "--preset", "native", "-j2", "--target", "tavlon_core_tests"]
    tests = [binary, "--gtest_brief=1"] + ([f"--gtest_filter={args.filter}"] if args.filter else [])

    status = 0
    try:
        # The native preset without debug information: the same code, linked
        # much faster for each mutant.
        configure = ["cmake", "--preset", "native", "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG",
                     "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"]
        if run(configure, tree, os.path.join(logs, "configure.log"), env=env) \
                or run(build, tree, os.path.join(logs, "build.log"), env=env):
            sys.exit(f"the unmutated tree does not build: see {logs}")
        started = time.time()
        if run(tests, tree, os.path.join(logs, "baseline.log"), 1800, env) != 0:
            sys.exit(f"the unmutated tree fails its tests: see {logs}/baseline.log")
        took = time.time() - started
        timeout = args.timeout or max(60, int(10 * took))  # a mutant that hangs is killed
        print(f"baseline passes ({took:.0f} s a run; timeout {timeout} s)", flush=True)

        killed, survived, broken, results = [], [], [], []
        for m in mutants:
            path = os.path.join(tree, m["file"])
            with open(path, encoding="utf-8", newline="") as f:
                original = f.read()
            count = original.count(m["old"])
            if count != 1:
                print(f"{m['id']:24} NOT APPLIED: text found {count} times in {m['file']}", flush=True)
                broken.append(m["id"])
                continue
            log = os.path.join(logs, m["id"] + ".log")
            try:
                with open(path, "w", encoding="utf-8", newline="") as f:
                    f.write(original.replace(m["old"], m["new"]))
                if run(build, tree, log, env=env) != 0:
                    print(f"{m['id']:24} DOES NOT BUILD (see {log})", flush=True)
                    broken.append(m["id"])
                    continue
                code = run(tests, tree, log, timeout, env)
            finally:
                with open(path, "w", encoding="utf-8", newline="") as f:
                    f.write(original)
            names = failed_tests(log)
            if code != 0:
                killed.append(m["id"])
                how = "timeout" if code == "timeout" else f"{len(names)} failing"
                print(f"{m['id']:24} killed    ({how}: {' '.join(names[:3])}{' ...' if len(names) > 3 else ''})",
                      flush=True)
            else:
                survived.append(m["id"])
                print(f"{m['id']:24} SURVIVED  {m['file']}: {m['what']}", flush=True)
            results.append(f"{m['id']} {'killed' if code != 0 else 'survived'} {' '.join(names)}")
        run(build, tree, os.path.join(logs, "restore.log"), env=env)
        print(f"summary: {len(killed)} killed, {len(survived)} survived, {len(broken)} not run "
              f"of {len(mutants)} mutants" + (f"; survivors: {' '.join(survived)}" if survived else ""))
        if args.results:
            with open(args.results, "w") as f:
                f.write("\n".join(results) + "\n")
        status = 1 if broken else 0
    finally:
        if args.keep:
            print(f"kept: {scratch}")
        else:
            shutil.rmtree(scratch, ignore_errors=True)
    return status


if __name__ == "__main__":
    sys.exit(main())
