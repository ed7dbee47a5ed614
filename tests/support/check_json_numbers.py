"""Checks the JSON the command line printed, with Python's own JSON reader.

Usage: /usr/bin/python3 check_json_numbers.py FILE...

Each FILE must hold one JSON document in which figures are JSON numbers: a string that reads
as a number is allowed only as a ten-digit issue or as a label ("03", a zodiac name) with its
codes beside it (key "code" or "codes" in the same object). Prints one line per fault, naming
the file and the place, and exits with status 1 when there is any.
"""

import json
import re
import sys

NUMBER = re.compile(r"-?\d+(\.\d+)?([eE][+-]?\d+)?")
ISSUE = re.compile(r"20\d{8}")
# A label key and the key of the codes that must stand beside it.
LABELS = {"value": "code", "values": "codes", "columns": "codes", "content": "codes",
          "desc": "codes"}


def reject_constant(name):
    raise ValueError(f"{name} is not JSON")


def check(node, place, label, faults):
    if isinstance(node, dict):
        for key, value in node.items():
            is_label = key in LABELS
            if is_label and LABELS[key] not in node:
                faults.append(f"{place}.{key}: a label without {LABELS[key]}")
            check(value, f"{place}.{key}", is_label, faults)
    elif isinstance(node, list):
        for i, value in enumerate(node):
            check(value, f"{place}[{i}]", label, faults)
    elif isinstance(node, str) and not label and NUMBER.fullmatch(node) and \
            not ISSUE.fullmatch(node):
        faults.append(f"{place}: the number {node!r} is written as a string")


def main():
    faults = []
    for path in sys.argv[1:]:
        with open(path, encoding="utf-8") as file:
            try:
                document = json.load(file, parse_constant=reject_constant)
            except ValueError as error:
                faults.append(f"{path}: not JSON: {error}")
                continue
        check(document, path, False, faults)
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
