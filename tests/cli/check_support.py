"""What the reader checks of tavlon-export's files share: the two
arguments, failures gathered as they come, fresh work folders and the
closing report."""
import os
import shutil
import sys

EXPORT, WORK = sys.argv[1], sys.argv[2]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def fresh(name):
    path = os.path.join(WORK, name)
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path


def finish(script):
    for failure in failures:
        print("FAILED:", failure)
    print(f"{script}: {0 if failures else 1} passed, {1 if failures else 0} failed")
    sys.exit(1 if failures else 0)
