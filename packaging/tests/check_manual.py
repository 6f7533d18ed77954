#!/usr/bin/env python3
"""The calculator's manual page against the program and the README:
  check_manual.py CALCULATOR MANUAL README
- every flag that --help lists, of the program and of each of its commands, is described
  (as the tag of an item) in the manual's part for that command, for a command whose
  flags it says it takes, or under OPTIONS;
- every exit status that a --help names has an entry under EXIT STATUS;
- every example of the calculator in the README is among the manual's EXAMPLES.
Prints what is missing and exits 1; 0 when all is there."""

import re
import subprocess
import sys

calculator, manual_path, readme_path = sys.argv[1:4]
missing = []


def help_of(*command):
    run = subprocess.run([calculator, *command, "--help"], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"{calculator} {' '.join(command)} --help failed: {run.stderr}")
    return run.stdout


def flags_of(help_text):
    return re.findall(r"^  (?:-h,)?(--[a-z0-9-]+)", help_text, re.M)


def plain(roff):
    """Manual text without font changes and escapes, as a reader sees it."""
    text = re.sub(r"\\f[BIRP]", "", roff)
    text = text.replace("\\-", "-").replace("\\e", "\\")
    return re.sub(r'^\.(B|I|BI|BR|IR|RB|RI)\s+', "", text, flags=re.M).replace('"', "")


def tags(part):
    """The tags of the part's items: the line after each .TP, as a reader sees it."""
    return plain("".join(re.findall(r"^\.TP\n(.*\n)", part, re.M)))


def sections(roff, marker):
    """The manual's parts under each heading `marker` (".SH" or ".SS"), by their titles; a
    part ends at the next heading of its level or above."""
    ends = (".SH",) if marker == ".SH" else (".SH", ".SS")
    parts, title = {}, None
    for line in roff.splitlines():
        if line.startswith(ends):
            title = plain(line[4:]).strip() if line.startswith(marker) else None
            continue
        if title is not None:
            parts[title] = parts.get(title, "") + line + "\n"
    return parts


with open(manual_path, encoding="utf-8") as f:
    roff = f.read()
chapters = sections(roff, ".SH")
commands_part = sections(roff, ".SS")

top_help = help_of()
commands = re.findall(r"^  ([a-z][a-z0-9-]*) ", top_help.split("Subcommands:")[1], re.M)
options = tags(chapters.get("OPTIONS", ""))
for flag in flags_of(top_help):
    if not re.search(re.escape(flag) + r"\b", options):
        missing.append(f"OPTIONS: {flag}")

statuses = set(re.findall(r"\b(\d+) [a-z]", " ".join(
    re.findall(r"Exit status:([^.]*)\.", top_help.replace("\n", " ")))))
for command in commands:
    part = commands_part.get(command, "")
    text = plain(part)
    if not text:
        missing.append(f"COMMANDS: no part for {command}")
        continue
    command_help = help_of(command)
    statuses |= set(re.findall(r"\b(\d+) [a-z]", " ".join(
        re.findall(r"Exit status:([^.]*)\.", command_help.replace("\n", " ")))))
    taken = re.findall(r"every flag of the (\S+) command", text.replace("\n", " "))
    # The options of the program (--help, --version) are described once, for every command.
    described = options + tags(part) + "".join(tags(commands_part.get(c, "")) for c in taken)
    for flag in flags_of(command_help):
        if not re.search(re.escape(flag) + r"(?![a-z0-9-])", described):
            missing.append(f"{command}: {flag}")

entries = re.findall(r"^\.B (\d+)$", chapters.get("EXIT STATUS", ""), re.M)
for status in sorted(statuses - set(entries), key=int):
    missing.append(f"EXIT STATUS: {status}")


def commands_in(text):
    """Each command line of the calculator in the text, continuation lines joined."""
    joined = re.sub(r"\\\n\s*", " ", text)
    return [" ".join(m.split()) for m in
            re.findall(r"^\s*(?:build/bin/)?(expansion-chamber-calc .*)$", joined, re.M)]


with open(readme_path, encoding="utf-8") as f:
    readme = f.read()
examples = set(commands_in(plain(chapters.get("EXAMPLES", ""))))
for block in re.findall(r"```sh\n(.*?)```", readme, re.S):
    for example in commands_in(block):
        if example not in examples:
            missing.append(f"EXAMPLES: {example}")

for m in missing:
    print(f"missing from {manual_path}: {m}")
if not commands:
    sys.exit("no commands found in the calculator's --help")
sys.exit(1 if missing else 0)
