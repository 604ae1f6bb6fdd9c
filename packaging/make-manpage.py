#!/usr/bin/env python3
"""Writes a program's manual page from its --help text, so the two never disagree.

usage: make-manpage.py PROGRAM NAME SUMMARY VERSION OUTPUT [SEE_ALSO...]

The help text is read as Lumora's programs write it: a "Usage:" line, paragraphs, and sections
that start with a line ending in ":" at the left margin. Inside a section, a line indented by two
spaces names an entry (a command or an option, its description either after two or more spaces
on the same line or on the following lines indented further).
"""
import re
import subprocess
import sys


def escaped(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


def entry_term(text):
    return ".B " + escaped(text) if " " not in text else '.B "' + escaped(text).replace('"', '\\(dq') + '"'


def page(help_text, name, summary, version, see_also):
    out = [f'.TH {name.upper()} 1 "" "Lumora {version}" "User Commands"',
           ".SH NAME", f"{escaped(name)} \\- {escaped(summary)}"]
    lines = help_text.splitlines()
    section = None
    paragraph = []
    in_entry = False

    def flush():
        if paragraph:
            out.append(escaped(" ".join(paragraph)))
            paragraph.clear()

    for line in lines:
        stripped = line.strip()
        if line.startswith("Usage:"):
            out.append(".SH SYNOPSIS")
            # Qt writes the program as it was started (its full path); the page names it.
            usage = stripped[len("Usage:"):].split(maxsplit=1)
            out.append(escaped(" ".join([name] + usage[1:])))
            out.append(".SH DESCRIPTION")
            section = "DESCRIPTION"
            continue
        if not stripped:
            flush()
            if section == "DESCRIPTION" or not in_entry:
                out.append(".PP")
            continue
        if not line.startswith(" ") and stripped.endswith(":"):
            flush()
            section = stripped[:-1].upper()
            out.append(f".SH {escaped(section)}")
            in_entry = False
            continue
        entry = re.match(r"^  (\S.*?)(?:\s{2,}(\S.*))?$", line)
        if entry and not line.startswith("   ") and section != "DESCRIPTION":
            flush()
            # Several entries in a row share one description: they follow each other tightly.
            if in_entry and out[-1].startswith(".B"):
                out.append(".PD 0")
                out.append(".TP")
                out.append(entry_term(entry.group(1)))
                out.append(".PD")
            else:
                out.append(".TP")
                out.append(entry_term(entry.group(1)))
            if entry.group(2):
                paragraph.append(entry.group(2))
            in_entry = True
            continue
        paragraph.append(stripped)
    flush()
    out.append(".SH ENVIRONMENT")
    out.append(".TP")
    out.append(".B LUMORA_HOME")
    out.append(escaped("The program folder: the settings file, temp/, Captured/ and Acquired/. "
                       "Without it an installed Lumora uses ~/.local/share/lumora."))
    if see_also:
        out.append(".SH SEE ALSO")
        references = (reference.partition("(") for reference in see_also)
        out.append(", ".join(f"\\fB{escaped(title)}\\fR({section}" for title, _, section in references))
    return "\n".join(line for line in out) + "\n"


def main():
    program, name, summary, version, output, *see_also = sys.argv[1:]
    help_text = subprocess.run([program, "--help"], check=True, capture_output=True, text=True).stdout
    with open(output, "w", encoding="utf-8") as f:
        f.write(page(help_text, name, summary, version, see_also))


if __name__ == "__main__":
    main()
