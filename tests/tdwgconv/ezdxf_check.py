"""An independent reading of a DXF file for the converter's tests (Debian's python3-ezdxf).

Prints one JSON object: the audit's error count, the model-space entity counts per kind and the
texts of TEXT and MTEXT entities (plain), in file order.
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
    print(json.dumps({"errors": len(auditor.errors), "counts": counts, "texts": texts}, ensure_ascii=False))


if __name__ == "__main__":
    main(sys.argv[1])
