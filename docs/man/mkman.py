#!/usr/bin/python3
"""Makes manual pages from what the project already says, so that they cannot drift from it.

  mkman.py md NAME SECTION TITLE INPUT.md OUTPUT     a page from a Markdown document of docs/
  mkman.py help TEMPLATE PROGRAM OUTPUT              a page from a hand-written TEMPLATE whose
                                                     @COMMANDS@ line becomes one part per
                                                     subcommand of PROGRAM, read from its --help

The Markdown understood is the docs' own: headings, paragraphs, "- " lists, tables, indented
code blocks, `code`, **bold**, [links](...); HTML lines (pictures) are left out.
"""
import re
import subprocess
import sys

DATE = "2026-12-10"


def escape(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return text


def inline(text):
    """Markdown inline markup to roff fonts, after escaping."""
    text = re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", text)
    parts = re.split(r"(`[^`]*`|\*\*[^*]*\*\*)", text)
    out = []
    for part in parts:
        if part.startswith("`") and part.endswith("`") and len(part) >= 2:
            out.append("\\fB" + escape(part[1:-1]) + "\\fR")
        elif part.startswith("**") and part.endswith("**") and len(part) >= 4:
            out.append("\\fB" + escape(part[2:-2]) + "\\fR")
        else:
            out.append(escape(part))
    return "".join(out)


def line(text):
    """A text line roff does not take for a request."""
    return "\\&" + text if text[:1] in (".", "'") else text


def cells(row):
    """The cells of a table row; "\\|" is a bar inside a cell."""
    inner = row.strip()[1:-1] if row.strip().endswith("|") else row.strip()[1:]
    return [c.strip().replace("\\|", "|") for c in re.split(r"(?<!\\)\|", inner)]


def markdown_to_roff(lines):
    out, paragraph, table, code = [], [], [], []

    def flush():
        nonlocal paragraph, table, code
        if paragraph:
            out.append(".PP")
            out.extend(line(inline(p)) for p in paragraph)
        if table:
            header = cells(table[0])
            for row in table[2:]:
                values = cells(row)
                out.append(".TP")
                out.append(line(inline(values[0])))
                rest = []
                for name, value in zip(header[1:], values[1:]):
                    if value:
                        rest.append((inline(name) + ": " if len(header) > 2 and name else "") + inline(value))
                out.append(line("; ".join(rest) if rest else "\\&"))
        if code:
            while code and not code[-1].strip():
                code.pop()
            out.extend([".PP", ".RS 4", ".nf"])
            out.extend(line(escape(c)) for c in code)
            out.extend([".fi", ".RE"])
        paragraph, table, code = [], [], []

    in_list = False
    for raw in lines:
        text = raw.rstrip("\n")
        if code and (text.startswith("    ") or not text.strip()):
            code.append(text[4:])
            continue
        if text.startswith("    ") and not paragraph and not in_list:
            flush()
            code.append(text[4:])
            continue
        stripped = text.strip()
        if not stripped or stripped.startswith("<"):
            flush()
            in_list = False
            continue
        if stripped.startswith("#"):
            flush()
            in_list = False
            level = len(stripped) - len(stripped.lstrip("#"))
            title = stripped[level:].strip()
            if level == 1:
                continue  # the page's NAME says it
            out.append((".SH " if level == 2 else ".SS ") + '"' + inline(title.upper() if level == 2 else title) + '"')
            continue
        if stripped.startswith("|"):
            if paragraph:
                flush()
            table.append(stripped)
            continue
        if stripped.startswith("- "):
            flush()
            in_list = True
            out.append(".IP \\(bu 2")
            out.append(line(inline(stripped[2:])))
            continue
        if in_list:
            out.append(line(inline(stripped)))
            continue
        if table:
            flush()
        paragraph.append(stripped)
    flush()
    if out and not out[0].startswith(".SH"):
        out.insert(0, ".SH DESCRIPTION")
    return out


def header(name, section, title):
    return [
        '.\\" Made by docs/man/mkman.py; edit its source, not this file.',
        '.TH "%s" "%s" "%s" "CkwCommonUtil" "CkwCommonUtil"' % (escape(name).upper(), section, DATE),
        ".SH NAME",
        "%s \\- %s" % (escape(name), escape(title)),
    ]


def from_markdown(name, section, title, source, target):
    with open(source, encoding="utf-8") as f:
        body = markdown_to_roff(f.readlines())
    write(target, header(name, section, title) + body)


def help_text(program, *words):
    result = subprocess.run([program, *words, "--help"], capture_output=True, text=True, check=True)
    return result.stdout


def subcommands(program):
    """(name, description) of each subcommand listed in the program's --help."""
    listed, found = False, []
    for text in help_text(program).splitlines():
        if text.startswith("Subcommands:"):
            listed = True
        elif listed and re.match(r"^  [a-z]", text):
            name, _, description = text.strip().partition(" ")
            found.append((name, description.strip()))
        elif listed and text and not text.startswith(" "):
            listed = False
    return found


def command_parts(program):
    out = []
    for name, description in subcommands(program):
        usage = help_text(program, name).splitlines()
        out.append('.SS "%s"' % escape(name))
        out.append(line(escape(description[:1].upper() + description[1:] + ".")))
        body = []
        for text in usage:
            if text.startswith("Usage:"):
                words = text.split(None, 2)
                words = "kwutil " + (words[2] if len(words) > 2 else name)
                body.extend([".PP", ".RS 4", "\\fB" + escape(words) + "\\fR", ".RE"])
            elif re.match(r"^  \S", text) and "--help" not in text:
                option, _, meaning = text.strip().partition("  ")
                body.extend([".TP", "\\fB" + escape(option.strip()) + "\\fR"])
                if meaning.strip():
                    body.append(line(escape(meaning.strip())))
            elif re.match(r"^ {10,}\S", text) and body:  # a long option's meaning on lines of its own
                body.append(line(escape(text.strip())))
        out.extend(body)
    return out


def from_help(template, program, target):
    out = []
    with open(template, encoding="utf-8") as f:
        for text in f.read().splitlines():
            out.extend(command_parts(program) if text.strip() == "@COMMANDS@" else [text])
    write(target, out)


def write(target, lines):
    with open(target, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    if len(sys.argv) == 7 and sys.argv[1] == "md":
        from_markdown(*sys.argv[2:])
    elif len(sys.argv) == 5 and sys.argv[1] == "help":
        from_help(*sys.argv[2:])
    else:
        sys.exit(__doc__)
