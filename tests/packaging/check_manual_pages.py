#!/usr/bin/env python3
"""The manual pages against the programs: yilou-cli(1) has a section (.SS) for every command
that names each of its options, names the commands below a command in that command's section,
and names every global option; yilou(1) names every option of the window. Both pages format
without a warning from groff at three line lengths (what man and lintian run).

Usage: check_manual_pages.py YILOU_CLI YILOU PAGE_FOLDER"""

import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cli_help  # noqa: E402


def plain(text):
    """The page's text without font changes, with its escaped hyphens as hyphens."""
    return re.sub(r"\\f[BIRP]", "", text).replace("\\-", "-")


def command_sections(page):
    """The text of each .SS section, by the first word of its heading."""
    sections = {}
    name = None
    for line in page.splitlines():
        if line.startswith(".SS"):
            name = line[3:].strip().strip('"').split()[0]
            sections[name] = ""
        elif line.startswith(".SH"):
            name = None
        if name:
            sections[name] += line + "\n"
    return sections


def names(text, word):
    return re.search(r"(?<![\w-])" + re.escape(word) + r"(?![\w-])", text) is not None


def check_cli_page(program, page):
    problems = []
    sections = command_sections(page)
    for command in cli_help.commands(program):
        if not command.path:
            for option in command.options:
                if not names(page, option):
                    problems.append(f"global option {option} is missing")
            continue
        top = command.path[0]
        if top not in sections:
            problems.append(f"command {top} has no .SS section")
            continue
        where = sections[top] if len(command.path) == 1 else page
        for word in list(command.options) + command.subcommands:
            if not names(where, word):
                problems.append(f"{' '.join(command.path)}: {word} is missing")
    return problems


def check_window_page(program, page):
    # The help is asked for as on a terminal without a display.
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    window = cli_help.parse(cli_help.help_text(program, env=env))
    return [f"option {option} is missing" for option in window.options
            if not names(page, option)]


def groff_warnings(file):
    problems = []
    for width in (60, 80, 120):
        try:
            result = subprocess.run(
                ["groff", "-K", "utf-8", "-mandoc", "-Tutf8", "-wmac", f"-rLL={width}n", "-z",
                 file], capture_output=True, text=True, timeout=60)
        except subprocess.TimeoutExpired:
            problems.append(f"groff does not finish at {width} columns")
            continue
        if result.returncode != 0 or result.stderr:
            problems.append(f"groff at {width} columns: {result.stderr.strip()}")
    return problems


def main():
    cli, window, folder = sys.argv[1:4]
    checks = [("yilou-cli.1", cli, check_cli_page), ("yilou.1", window, check_window_page)]
    failed = False
    for name, program, check in checks:
        file = os.path.join(folder, name)
        with open(file, encoding="utf-8") as handle:
            page = plain(handle.read())
        for problem in check(program, page) + groff_warnings(file):
            print(f"{name}: {problem}")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
