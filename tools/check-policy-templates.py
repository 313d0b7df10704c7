#!/usr/bin/env python3
"""Checks the administrators' policy templates in FOLDER (wavelith.admx, en-US/ and ja-JP/
wavelith.adml): each file is well-formed XML, every string and presentation the .admx names is in
every language, and the key and value names are the ones the program reads.

    tools/check-policy-templates.py FOLDER
"""
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

NS = "{http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions}"
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LANGUAGES = ("en-US", "ja-JP")


def read_source(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as file:
        return file.read()


def program_names():
    key = re.search(r'kPolicyKeyPath = "([^"]+)"', read_source("settings/policy.h")).group(1)
    values = set(re.findall(r'(?:flag|readDword)\("(\w+)"\)', read_source("settings/policy.cpp")))
    return key.replace("\\\\", "\\"), values


def main(folder):
    problems = []
    try:
        admx = ElementTree.parse(os.path.join(folder, "wavelith.admx")).getroot()
        admls = {language: ElementTree.parse(os.path.join(folder, language, "wavelith.adml")).getroot()
                 for language in LANGUAGES}
    except (OSError, ElementTree.ParseError) as error:
        print(f"check-policy-templates: {error}", file=sys.stderr)
        return 1

    text = ElementTree.tostring(admx, encoding="unicode")
    strings = set(re.findall(r"\$\(string\.(\w+)\)", text))
    presentations = set(re.findall(r"\$\(presentation\.(\w+)\)", text))
    for language, adml in admls.items():
        have_strings = {node.get("id") for node in adml.iter(NS + "string")}
        have_presentations = {node.get("id") for node in adml.iter(NS + "presentation")}
        for missing in sorted(strings - have_strings):
            problems.append(f"{language}: no string {missing}")
        for missing in sorted(presentations - have_presentations):
            problems.append(f"{language}: no presentation {missing}")
        for node in adml.iter(NS + "string"):
            if not (node.text or "").strip():
                problems.append(f"{language}: empty string {node.get('id')}")

    key, values = program_names()
    written = set()
    for policy in admx.iter(NS + "policy"):
        name = policy.get("name")
        if policy.get("key") != key:
            problems.append(f"{name}: key {policy.get('key')}, the program reads {key}")
        if policy.get("valueName"):
            written.add(policy.get("valueName"))
            if policy.find(NS + "enabledValue") is None or policy.find(NS + "disabledValue") is None:
                problems.append(f"{name}: no enabled or disabled value")
        for element in policy.iter(NS + "decimal"):
            if element.get("valueName"):
                written.add(element.get("valueName"))
    if written != values:
        problems.append(f"the templates write {sorted(written)}, the program reads {sorted(values)}")

    for problem in problems:
        print("check-policy-templates:", problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
