#!/usr/bin/env python3
"""Writes docs/xml-vocabulary.md from the XML vocabulary headers of the core library.

    scripts/vocabulary-doc.py          rewrite the page
    scripts/vocabulary-doc.py --check  exit 1 when the page differs from the headers
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
HEADERS = [
    ("SRCore::XMLKey", "Element and attribute names", ROOT / "serverlibs/corelib/vocabulary/xmlkey.h"),
    ("SRCore::XMLValues", "Values", ROOT / "serverlibs/corelib/vocabulary/xmlvalues.h"),
]
PAGE = ROOT / "docs/xml-vocabulary.md"

CONSTANT = re.compile(r'inline const QString (\w+) = (?:QStringLiteral\("((?:[^"\\]|\\.)*)"\)|(\w+));')
GROUP = re.compile(r"^// (.+)$")


def read(header):
    """Yields (group, name, text) in header order."""
    group = ""
    texts = {}
    previous = ""
    in_namespace = False
    for line in header.read_text(encoding="utf-8").splitlines():
        line = line.strip()
        in_namespace = in_namespace or line.startswith("namespace ")
        # A group is named by the first line of a comment block after a blank line.
        heading = GROUP.match(line)
        starts_block = heading and previous == ""
        previous = line
        if heading:
            if in_namespace and starts_block:
                group = heading.group(1)
            continue
        constant = CONSTANT.match(line)
        if constant:
            name, text, alias = constant.groups()
            text = texts[alias] if alias else text.replace('\\"', '"')
            texts[name] = text
            yield group, name, text


def render():
    out = ["# XML vocabulary", "",
           "Every element, attribute and value name of the program's XML files is a constant of",
           "the core library; code compares against the constants and never spells the texts.",
           "This page is generated from the headers by `scripts/vocabulary-doc.py`.", ""]
    for namespace, title, header in HEADERS:
        out += [f"## {title} (`{namespace}`)", ""]
        current = None
        for group, name, text in read(header):
            if group != current:
                out += ["", f"### {group}", "", "| Constant | Text |", "|---|---|"]
                current = group
            out.append(f"| `{name}` | `{text}` |")
        out.append("")
    return "\n".join(out).replace("\n\n\n", "\n\n") + "\n"


def main():
    page = render()
    if sys.argv[1:] == ["--check"]:
        if not PAGE.exists() or PAGE.read_text(encoding="utf-8") != page:
            print(f"{PAGE} is out of date: run scripts/vocabulary-doc.py", file=sys.stderr)
            return 1
        return 0
    PAGE.write_text(page, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
