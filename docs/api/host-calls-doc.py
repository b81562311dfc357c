#!/usr/bin/python3
"""Writes copies of headers that expand HostCalls.def with the host calls spelt out, for the
reference: Doxygen does not follow the X-macro into the class. Each header's own definition of
CKW_HOST_CALL is applied to every entry. With --documented, each call keeps the comment it has in
HostCalls.def and the comment lines "// --- Name ---" become member groups.

  host-calls-doc.py HOSTCALLS_DEF OUTPUT_DIR [--documented] HEADER [[--documented] HEADER...]
"""
import os
import re
import sys

ENTRY = re.compile(r"CKW_HOST_CALL\(\s*([^,]+?),\s*(\w+),\s*(\((?:[^()]|\([^()]*\))*\))")
DEFINITION = re.compile(r"#define CKW_HOST_CALL\(([^)]*)\)\s*(.*?)\n#include \"HostCalls.def\"\n#undef CKW_HOST_CALL\n", re.S)


def entries(calls_text):
    """(comment lines, group or None, result, name, parameters) of every call, in order."""
    body = calls_text[calls_text.index("#endif") + len("#endif"):]
    found, comment, group, pending = [], [], None, ""
    for line in body.splitlines(keepends=True):
        stripped = line.strip()
        section = re.match(r"^// --- (.*?) -*$", stripped)
        if section:
            group, comment = section.group(1), []
        elif stripped.startswith("///") and not pending:
            comment.append(stripped)
        elif stripped.startswith("CKW_HOST_CALL") or pending:
            pending += line
            match = ENTRY.search(pending)
            if match:
                found.append((comment, group, match.group(1).strip(), match.group(2),
                              re.sub(r"\s+", " ", match.group(3))))
                comment, group, pending = [], None, ""
    return found


def expand(header, calls, documented):
    definition = DEFINITION.search(header)
    assert definition, "the header expands HostCalls.def"
    names = [n.strip() for n in definition.group(1).split(",")]
    out, open_group = [], False
    for comment, group, result, name, parameters in calls:
        if documented and group:
            if open_group:
                out.append("    /// @}")
            out += ["    /// @name " + group, "    /// @{"]
            open_group = True
        member = definition.group(2).strip()
        for macro, value in zip(names, [result, name, parameters]):
            member = re.sub(r"\b%s\b" % macro, lambda _: value, member)
        out += (["    " + c for c in comment] if documented else []) + ["    " + member]
    if open_group:
        out.append("    /// @}")
    return header[:definition.start()] + "\n".join(out) + "\n" + header[definition.end():]


def main(arguments):
    calls_path, output_dir = arguments[:2]
    calls = entries(open(calls_path, encoding="utf-8").read())
    assert len(calls) == open(calls_path, encoding="utf-8").read().count("\nCKW_HOST_CALL("), "every entry is read"
    documented = False
    for argument in arguments[2:]:
        if argument == "--documented":
            documented = True
            continue
        text = open(argument, encoding="utf-8").read()
        with open(os.path.join(output_dir, os.path.basename(argument)), "w", encoding="utf-8") as f:
            f.write(expand(text, calls, documented))
        documented = False


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    main(sys.argv[1:])
