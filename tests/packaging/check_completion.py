#!/usr/bin/env python3
"""The bash completion of yilou-cli against the program's --help: every command completes,
every option of every command completes after a dash, and an option's values complete after
it, the values being the choices --help lists ({a,b}) or, for an option that checks its value
itself, the words its description lists ("排序列：a、b、c").

Usage: check_completion.py YILOU_CLI COMPLETION_FILE"""

import re
import shlex
import subprocess
import sys
import os

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cli_help  # noqa: E402

# "按该列从小到大排列：value、hits、…": ASCII words after the colon, one parenthesis allowed
# after each ("last（默认）").
_LISTED = re.compile(r"：((?:[A-Za-z0-9]+(?:（[^）]*）)?、)+[A-Za-z0-9]+(?:（[^）]*）)?)\s*$")


def listed_values(program, path):
    """Option name -> the values its description lists, for the options whose --help names no
    choices."""
    found = {}
    name = None
    for line in cli_help.help_text(program, path).splitlines():
        # The description stands on the option's line or, after a long one, on the next.
        option = re.match(r"^  (--[\w-]+)", line)
        if option:
            name = option.group(1)
        elif not line.startswith("   "):
            name = None
        match = _LISTED.search(line) if name else None
        if match:
            found[name] = re.sub(r"（[^）]*）", "", match.group(1)).split("、")
            name = None
    return found


def completions(completion_file, queries):
    """The words bash offers for each query (the words typed, the last one being completed)."""
    script = [f"source {shlex.quote(completion_file)}"]
    for words in queries:
        script.append(f"COMP_WORDS=({' '.join(shlex.quote(w) for w in words)}); "
                      f"COMP_CWORD={len(words) - 1}; _yilou_cli; "
                      "printf '%s\\n' \"${COMPREPLY[@]}\"; echo '@@'")
    result = subprocess.run(["bash", "-c", "\n".join(script)], capture_output=True, text=True,
                            check=True, timeout=60)
    answers = result.stdout.split("@@\n")
    return [set(answer.split()) for answer in answers[:len(queries)]]


def main():
    program, completion_file = sys.argv[1:3]
    commands = cli_help.commands(program)
    checks = []  # (query, expected words, what)
    for command in commands:
        typed = ["yilou-cli", *command.path]
        if command.subcommands:
            checks.append((typed + [""], set(command.subcommands),
                           f"commands after '{' '.join(typed)}'"))
        checks.append((typed + ["--"], set(command.options), f"options of '{' '.join(typed)}'"))
        listed = listed_values(program, command.path)
        for option in command.options.values():
            values = option.choices or listed.get(option.name, [])
            if values:
                checks.append((typed + [option.name, ""], set(values),
                               f"values of {option.name} in '{' '.join(typed)}'"))
    answers = completions(completion_file, [query for query, _, _ in checks])
    failed = False
    for (query, expected, what), offered in zip(checks, answers):
        missing = expected - offered
        if missing:
            print(f"{what}: {' '.join(sorted(missing))} not completed")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
