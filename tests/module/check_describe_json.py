"""Runs `orvanta describe --json` (with any further arguments given) and checks
that the output is JSON describing the whole effect, loaded from a bundle whose
binary lies in the expected folder.

usage: check_describe_json.py ORVANTA EXPECTED_BINARY_FOLDER [ARGUMENTS...]
"""
import json
import os
import subprocess
import sys

orvanta, binary_folder, extra = sys.argv[1], sys.argv[2], sys.argv[3:]
run = subprocess.run([orvanta, "describe", "--json", *extra],
                     stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, check=False)
if run.returncode != 0:
    sys.exit("orvanta describe exited with %d: %s" % (run.returncode, run.stderr))
report = json.loads(run.stdout)

origin = report["module"]["origin"]
if os.path.realpath(os.path.dirname(origin)) != os.path.realpath(binary_folder):
    sys.exit("module loaded from %s, not from %s" % (origin, binary_folder))
effect = report["effects"][0]
checks = {
    "components by stem format": [c["stemFormat"] for c in effect["components"]] == ["mono", "stereo"],
    "six registrations per component": all(
        [r["kind"] for r in c["registrations"]] == ["native", "DSP"] * 3 for c in effect["components"]),
    "five context fields per component": all(len(c["fields"]) == 5 for c in effect["components"]),
    "procedure ids": [p["id"] for p in effect["procedures"]] == [0, 1],
    "page tables of 1, 4 and 8 controls": [t["controlsPerPage"] for t in
                                           effect["resources"][0]["content"]["tables"]] == ["1", "4", "8"],
}
failed = [name for name, passed in checks.items() if not passed]
if failed:
    sys.exit("orvanta describe --json: " + "; ".join(failed))
