"""Runs `orvanta describe --json` (with any further arguments given) and checks
that the output is JSON holding the whole description, as loaded from a
bundle whose binary lies under the expected folder.

usage: check_describe_json.py ORVANTA EXPECTED_BINARY_FOLDER [ARGUMENTS...]
"""
import json
import os
import subprocess
import sys


def main():
    orvanta, binary_folder, extra = sys.argv[1], sys.argv[2], sys.argv[3:]
    run = subprocess.run([orvanta, "describe", "--json", *extra],
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, check=False)
    if run.returncode != 0:
        sys.exit("orvanta describe exited with %d: %s" % (run.returncode, run.stderr))
    report = json.loads(run.stdout)

    problems = []

    def expect(condition, what):
        if not condition:
            problems.append(what)

    origin = report["module"]["origin"]
    expect(os.path.realpath(os.path.dirname(origin)) == os.path.realpath(binary_folder),
           "module loaded from %s, not from %s" % (origin, binary_folder))
    expect(report["manufacturer"] == "Quillfern", "manufacturer")
    expect(report["packages"] == ["Orvanta", "Oq"], "packages")
    expect(report["packageVersion"] == 1, "package version")
    expect(len(report["effects"]) == 1, "one effect")
    effect = report["effects"][0]
    expect(effect["id"] == "com.quillfern.aax.orvanta", "effect id")
    expect(effect["names"] == ["Orvanta", "Orvanta", "Oz"], "names")
    expect(effect["categories"] == [{"mask": "0x40", "names": ["Harmonic"]}], "category")
    expect([p["id"] for p in effect["procedures"]] == [0, 1], "procedure ids")

    components = effect["components"]
    expect([c["stemFormat"] for c in components] == ["mono", "stereo"], "components by stem format")
    for component in components:
        fields = {f["index"]: f for f in component["fields"]}
        expect(sorted(fields) == [0, 1, 2, 3, 4], "context fields 0 to 4")
        expect(fields[0]["packetSize"] == 20 and fields[1]["size"] == 568, "packet and private-data sizes")
        kinds = [r["kind"] for r in component["registrations"]]
        expect(kinds == ["native", "DSP"] * 3, "six registrations alternating native and DSP")
        for registration in component["registrations"]:
            ids = [p["id"] for p in registration["properties"]]
            expect(58 in ids and 56 in ids, "rate and latency on every registration")

    resource = effect["resources"][0]
    expect(resource["file"] == "ZirorovAruva_d5.xml", "page-table resource")
    tables = resource["content"]["tables"]
    expect([t["controlsPerPage"] for t in tables] == ["1", "4", "8"], "page tables of 1, 4 and 8 controls")
    for table in tables:
        shown = sorted(p for page in table["pages"] for p in page["parameters"])
        expect(shown == sorted(["Harmonic", "Dynamic", "OutputTrim", "Dither", "Color"]),
               "every page table shows the five controls once")

    if problems:
        sys.exit("orvanta describe --json: " + "; ".join(problems))


if __name__ == "__main__":
    main()
