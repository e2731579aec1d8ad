"""test-summary.py RESULTS_DIR SUITE... : the end of make test. One line per build folder with
its passed, failed and skipped tests, read from the JUnit file CTest wrote for the suite
(RESULTS_DIR/<suite>.xml), and a loud notice for each folder whose Windows programs were
skipped: the Wine runner ends with exit code 77 only when the host cannot run them at all, so
such a folder's architecture went untested. A test counts as skipped only when it ended with 77
and its output holds the runner's line saying so; CTest's skip by the exit code alone is a
failure here. A folder whose Windows programs ran in the emulated machine (an i686 build on a host
that cannot execute 32-bit programs) is named so, from the line the Wine runner's start printed.
Exits with 1 when a suite failed or has no results.
"""
import pathlib
import sys
import xml.etree.ElementTree as ElementTree

RUNNER_SKIP = "SKIP_RETURN_CODE=77"
RUNNER_LINE = "wine-run.sh: SKIPPED: "
EMULATED_LINE = "wine-run.sh: win32 runs in an emulated machine"
# The build folder each CTest preset runs in.
FOLDERS = {"fuzz-smoke": "fuzz"}

results, suites = pathlib.Path(sys.argv[1]), sys.argv[2:]
failed_run = False
notices = []
for suite in suites:
    folder = FOLDERS.get(suite, suite)
    file = results / f"{suite}.xml"
    if not file.is_file():
        print(f"{folder:<12} NO RESULTS: its build or its tests did not run")
        failed_run = True
        continue
    passed = failed = skipped = 0
    reasons = set()
    for case in ElementTree.parse(file).getroot().iter("testcase"):
        skip = case.find("skipped")
        output = (case.findtext("system-out") or "").splitlines()
        runner_lines = [line for line in output if line.startswith(RUNNER_LINE)]
        if case.get("name") == "wine_start" and any(line.startswith(EMULATED_LINE) for line in output):
            folder = f"{folder} (in an emulated machine)"
        if case.get("status") == "run":
            passed += 1
        elif skip is not None and skip.get("message") == RUNNER_SKIP and runner_lines:
            skipped += 1
            reasons.update(runner_lines)
        else:
            failed += 1  # failed, or not run for another reason (a fixture that failed)
            if skip is not None and skip.get("message") == RUNNER_SKIP:
                notices.append(f"!!! {folder}: {case.get('name')} ended with 77 without the Wine "
                               "runner's SKIPPED line, so it counts as FAILED")
    print(f"{folder:<12} {passed:4} passed, {failed:4} failed, {skipped:4} skipped")
    failed_run = failed_run or failed > 0
    if skipped:
        why = "; ".join(sorted(reasons)) or "the Wine runner could not run them"
        notices.append(f"!!! {folder}: ALL {skipped} tests that run its Windows programs were "
                       f"SKIPPED, so this architecture is NOT tested here: {why}")
for notice in notices:
    print(notice)
sys.exit(1 if failed_run else 0)
