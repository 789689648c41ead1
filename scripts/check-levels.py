#!/usr/bin/env python3
"""Checks the direction of dependencies between the program's libraries.

The top-level CMakeLists.txt lists the levels of the architecture in a comment, one line per
level ("#   N  folder, folder"). Every folder that builds a library or a program (other than
tests/ and bench/) must be listed, every listed folder must exist, and no source file may
include a header of another folder of its own level or of a higher one. Exit status 1 lists every fault with
the file, the line and the levels involved.
"""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Where "#include <x/y.h>" is looked for, besides the including file's own folder.
INCLUDE_ROOTS = [ROOT, os.path.join(ROOT, "serverlibs")]
UNCHECKED = ("tests", "bench", "build")

LEVEL_LINE = re.compile(r"^#\s+(\d+)\s+(\S.*?)(?:\s{2,}\S.*)?$")
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')


def read_levels():
    """Folder (relative, with "/") → level, from the comment of the top-level CMakeLists.txt."""
    levels = {}
    in_table = False
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as cmake:
        for line in cmake:
            if line.startswith("# Levels of the architecture"):
                in_table = True
                continue
            if in_table and not line.startswith("#"):
                break
            match = LEVEL_LINE.match(line.rstrip()) if in_table else None
            if match:
                for folder in match.group(2).split(","):
                    levels[folder.strip().rstrip("/") + "/"] = int(match.group(1))
    return levels


def target_folders():
    """Folders whose CMakeLists.txt makes a library or a program."""
    folders = set()
    for folder, subfolders, files in os.walk(ROOT):
        relative = os.path.relpath(folder, ROOT)
        subfolders[:] = [name for name in subfolders if not name.startswith(".")]
        if relative.split(os.sep)[0] in UNCHECKED or relative.startswith("build"):
            subfolders[:] = []
            continue
        if relative != "." and "CMakeLists.txt" in files:
            with open(os.path.join(folder, "CMakeLists.txt"), encoding="utf-8") as cmake:
                if re.search(r"^\s*add_(library|executable)\(", cmake.read(), re.MULTILINE):
                    folders.add(relative.replace(os.sep, "/") + "/")
    return folders


def level_of(path, levels):
    relative = os.path.relpath(path, ROOT).replace(os.sep, "/")
    owners = [folder for folder in levels if relative.startswith(folder)]
    return max(owners, key=len) if owners else None


def resolve(include, including_file):
    for base in [os.path.dirname(including_file)] + INCLUDE_ROOTS:
        candidate = os.path.normpath(os.path.join(base, include))
        if os.path.isfile(candidate):
            return candidate
    return None


def main():
    levels = read_levels()
    faults = []
    if not levels:
        faults.append("CMakeLists.txt: no level table found")
    for folder in sorted(target_folders() - set(levels)):
        faults.append(f"CMakeLists.txt: {folder} builds a target but has no level")
    for folder in sorted(levels):
        if not os.path.isdir(os.path.join(ROOT, folder)):
            faults.append(f"CMakeLists.txt: level {levels[folder]} lists {folder}, which does not exist")

    for owner in sorted(levels):
        for folder, _, files in os.walk(os.path.join(ROOT, owner)):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(folder, name)
                if level_of(path, levels) != owner:
                    continue  # a sub-folder with a level of its own
                with open(path, encoding="utf-8") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        target = resolve(match.group(1), path) if match else None
                        included = level_of(target, levels) if target else None
                        if included and included != owner and levels[included] >= levels[owner]:
                            faults.append(
                                f"{os.path.relpath(path, ROOT)}:{number}: {owner} (level "
                                f"{levels[owner]}) includes {match.group(1)} of {included} "
                                f"(level {levels[included]})")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
