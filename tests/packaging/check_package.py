#!/usr/bin/env python3
"""The Debian package holds what a player's installation needs and depends on what the window
needs at run time without linking it.

Usage: check_package.py PACKAGE.deb SOURCE_ROOT"""

import glob
import os
import subprocess
import sys

RUN_TIME_DEPENDS = ["qt6-translations-l10n", "libqt6svg6", "fonts-noto-cjk | fonts-wqy-microhei"]


def expected_files(root):
    files = [
        "usr/bin/yilou",
        "usr/bin/yilou-cli",
        "usr/share/man/man1/yilou.1.gz",
        "usr/share/man/man1/yilou-cli.1.gz",
        "usr/share/bash-completion/completions/yilou-cli",
        "usr/share/metainfo/org.yilou.yilou.metainfo.xml",
        "usr/share/applications/yilou.desktop",
        "usr/share/icons/hicolor/scalable/apps/yilou.svg",
        "usr/share/doc/yilou/guide/index.html",
        "usr/share/doc/yilou/copyright",
        "usr/share/doc/yilou/changelog.gz",
    ]
    icons = os.path.join(root, "packaging", "icons")
    files += ["usr/share/icons/hicolor/" + os.path.relpath(png, icons)
              for png in glob.glob(os.path.join(icons, "*", "apps", "yilou.png"))]
    files += ["usr/share/yilou/samples/" + os.path.basename(sample)
              for sample in glob.glob(os.path.join(root, "tests", "data", "*11x5-*.txt"))]
    return files


def main():
    package, root = sys.argv[1:3]
    listing = subprocess.run(["dpkg-deb", "-c", package], capture_output=True, text=True,
                             check=True).stdout
    held = {line.split()[-1].removeprefix("./") for line in listing.splitlines() if line}
    problems = [f"{file} is not in the package" for file in expected_files(root)
                if file not in held]
    depends = subprocess.run(["dpkg-deb", "-f", package, "Depends"], capture_output=True,
                             text=True, check=True).stdout
    names = [part.strip() for part in depends.split(",")]
    problems += [f"Depends lacks {name}" for name in RUN_TIME_DEPENDS if name not in names]
    # dpkg-shlibdeps adds the libraries the programs link.
    problems += [f"Depends lacks {name}" for name in ["libqt6widgets6", "libsqlite3-0"]
                 if not any(part.startswith(name) for part in names)]
    for problem in problems:
        print(f"{os.path.basename(package)}: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
