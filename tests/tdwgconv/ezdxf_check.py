"""An independent reading of a DXF file for the converter's tests (Debian's python3-ezdxf).

Prints one JSON object: the audit's error count, the model-space entity counts per kind and the
texts of TEXT and MTEXT entities (plain), in file order; the counts of the entities section (model
space and the active paper space, the attributes of their inserts as ATTRIB) and each line type's
dash pattern.
"""
import collections
import json
import sys

import ezdxf
from ezdxf import recover


def main(path):
    try:
        doc = ezdxf.readfile(path)
    except ezdxf.DXFStructureError:
        doc, _ = recover.readfile(path)
    auditor = doc.audit()
    counts = collections.Counter(e.dxftype() for e in doc.modelspace())
    texts = []
    for e in doc.modelspace():
        if e.dxftype() == "TEXT":
            texts.append(e.dxf.text)
        elif e.dxftype() == "MTEXT":
            texts.append(e.plain_text())
    section = collections.Counter()
    for layout in (doc.modelspace(), doc.layouts.active_layout()):
        for e in layout:
            section[e.dxftype()] += 1
            if e.dxftype() == "INSERT":
                section["ATTRIB"] += len(e.attribs)
    section = {k: n for k, n in section.items() if n}
    linetypes = {lt.dxf.name: [v for code, v in (lt.pattern_tags.tags if lt.pattern_tags else []) if code == 49]
                 for lt in doc.linetypes}
    print(json.dumps({"errors": len(auditor.errors), "counts": counts, "texts": texts, "section": section,
                      "linetypes": linetypes}, ensure_ascii=False))


if __name__ == "__main__":
    try:
        main(sys.argv[1])
    except Exception as e:  # a file ezdxf cannot take (names it refuses, ...): no reference
        print(json.dumps({"unreadable": f"{type(e).__name__}: {e}"}))
