"""The commands and options of a program as its own --help lists them (CLI11's layout for
yilou-cli, Qt's for yilou): the reference the manual pages and the completion are checked
against."""

import re
import subprocess
from dataclasses import dataclass, field

# "  -h,--help", "  --to TEXT Excludes: --before", "  --type TEXT:{number,zodiac}",
# "  -h, --help", "  --data-dir <DIR>": the names, then the value and the description.
_OPTION_LINE = re.compile(r"^  (-[\w-]+(?:, ?-[\w-]+)*)(.*)$")
# CLI11 names the type of a value in capitals (TEXT, TEXT:{a,b}); Qt writes <NAME>.
_VALUE = re.compile(r"^(?:[A-Z]+(?::\S*)?|<[^>]+>)$")
_CHOICES = re.compile(r":\{([^}]*)\}")


@dataclass
class Option:
    name: str
    takes_value: bool
    choices: list = field(default_factory=list)


@dataclass
class Command:
    path: tuple
    options: dict = field(default_factory=dict)  # long name -> Option, --help left out
    subcommands: list = field(default_factory=list)


def help_text(program, args=(), env=None):
    result = subprocess.run([program, *args, "--help"], capture_output=True, text=True, env=env,
                            check=True, timeout=60)
    return result.stdout


def parse(text, path=()):
    command = Command(path)
    section = ""
    for line in text.splitlines():
        if line and not line[0].isspace():
            section = line.rstrip(":").lower()
            continue
        if section.startswith("subcommands"):
            name = re.match(r"^  (\S+)", line)
            if name:
                command.subcommands.append(name.group(1))
            continue
        match = _OPTION_LINE.match(line)
        if not match:
            continue
        # The value's type stands before the description, which is two or more spaces away.
        rest = re.split(r" {2,}", match.group(2))[0].split()
        takes_value = bool(rest) and bool(_VALUE.match(rest[0]))
        choices = _CHOICES.search(rest[0]) if takes_value else None
        for name in re.split(r", ?", match.group(1)):
            if name.startswith("--") and name != "--help":
                command.options[name] = Option(
                    name, takes_value, choices.group(1).split(",") if choices else [])
    return command


def commands(program):
    """The program itself (path ()) and every command below it, depth first."""
    found = []
    pending = [()]
    while pending:
        path = pending.pop(0)
        command = parse(help_text(program, path), path)
        found.append(command)
        pending.extend(path + (name,) for name in command.subcommands)
    return found
