"""An independent reading of a DXF file for the converter's tests (Debian's python3-ezdxf).

Prints one JSON object: the audit's error count, the model-space entity counts per kind and the
texts of TEXT and MTEXT entities (plain), in file order; the counts of the entities section (model
space and the active paper space, the attributes of their inserts as ATTRIB) and each line type's
dash pattern; and the extents of the straight-edged entities (lines, points, solids, traces,
polylines without arcs, multi-lines) of model space, through every block reference and array copy, by ezdxf.bbox:
for these its boxes are exact, where arcs and curves are measured on approximations.
"""
import collections
import json
import math
import sys

import ezdxf
from ezdxf import bbox, recover

STRAIGHT = {"LINE", "POINT", "SOLID", "TRACE"}
# Kinds ezdxf draws as simpler entities: dimensions and tables by their block, multi-lines by the
# lines of their elements (leaders are not measured: ezdxf draws their arrowheads as hatches).
DRAWN_BY_PARTS = {"DIMENSION", "ARC_DIMENSION", "ACAD_TABLE", "MLINE"}


def straight_edged(entity):
    kind = entity.dxftype()
    if kind == "LWPOLYLINE":
        return not entity.has_arc
    if kind == "POLYLINE":
        return entity.is_2d_polyline and not entity.has_arc
    return kind in STRAIGHT


def flattened(entities, depth=0):
    """The entities with every block reference (each array copy) replaced by its content."""
    for e in entities:
        if e.dxftype() == "INSERT" and depth < 16:
            for copy in e.multi_insert():
                try:
                    yield from flattened(copy.virtual_entities(), depth + 1)
                except Exception:  # a reference to a missing block or one ezdxf cannot transform
                    pass
        elif e.dxftype() in DRAWN_BY_PARTS and depth < 16:
            try:
                yield from flattened(e.virtual_entities(), depth + 1)
            except Exception:
                pass
        else:
            yield e


def straight_extents(layout):
    box = bbox.BoundingBox()
    for e in flattened(layout):
        if straight_edged(e):
            part = bbox.extents([e])
            if part.has_data and all(math.isfinite(v) for v in (*part.extmin, *part.extmax)):
                box.extend(part)
    if not box.has_data:
        return None
    return [box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y]


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
                      "linetypes": linetypes,
                      "extents": straight_extents(doc.modelspace())}, ensure_ascii=False))


if __name__ == "__main__":
    try:
        main(sys.argv[1])
    except Exception as e:  # a file ezdxf cannot take (names it refuses, ...): no reference
        print(json.dumps({"unreadable": f"{type(e).__name__}: {e}"}))
