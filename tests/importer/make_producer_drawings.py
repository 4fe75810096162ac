#!/usr/bin/python3
"""Writes drawings as CAD programs write them, in every DXF version ezdxf
writes, as text and as binary DXF: a hinge plate and a lock core with what
drawing offices put around a part -- blocks inserted as arrays, dimensions,
hatches, splines, texts in GBK (up to R2004) or UTF-8 (from R2007).

    make_producer_drawings.py OUTPUT_FOLDER

Run by the build for the importer tests, and by the fuzz scripts as seeds.
Every hinge drawing holds the same part: a 100 x 35 plate with round
corners, a 26 mm cup in its middle and two screw holes.
"""
import math
import os
import sys

import ezdxf

VERSIONS = ("R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018")
CORNER_BULGE = math.tan(math.radians(90) / 4)


def is_r12(doc):
    return doc.dxfversion == "AC1009"


def closed_outline(msp, points, attribs=None):
    """A closed outline with bulges, as each version writes one."""
    attribs = attribs or {}
    if is_r12(msp.doc):
        msp.add_polyline2d(points, format="xyb", close=True, dxfattribs=attribs)
    else:
        msp.add_lwpolyline(points, format="xyb", close=True, dxfattribs=attribs)


def rounded_plate(msp, x0, y0, x1, y1, r, attribs=None):
    closed_outline(msp, [
        (x0 + r, y0, 0), (x1 - r, y0, CORNER_BULGE), (x1, y0 + r, 0), (x1, y1 - r, CORNER_BULGE),
        (x1 - r, y1, 0), (x0 + r, y1, CORNER_BULGE), (x0, y1 - r, 0), (x0, y0 + r, CORNER_BULGE),
    ], attribs)


def texts(msp, y, attribs=None):
    attribs = attribs or {}
    msp.add_text("合页 型号 A-1 比例 1:1", dxfattribs=dict(attribs, height=2.5)).set_placement((0, y))
    if not is_r12(msp.doc):
        mtext = msp.add_mtext("技术要求：\\P未注圆角 R2", dxfattribs=dict(attribs, char_height=2.5))
        mtext.set_location((0, y - 6))


def decorations(msp, y):
    """What an office draws beside a part: a dimension of its length, a
    hatched label box, a spline leader and texts, all clear of the part."""
    doc = msp.doc
    dim = msp.add_linear_dim(base=(0, y), p1=(0, 0), p2=(100, 0), dimstyle="EZDXF")
    dim.render()
    texts(msp, y - 10)
    if is_r12(doc):
        return
    hatch = msp.add_hatch(color=3)
    hatch.paths.add_polyline_path([(120, 0), (140, 0), (140, 10), (120, 10)], is_closed=True)
    msp.add_spline([(120, 20), (130, 30), (140, 22), (150, 35)])


def hinge(doc):
    msp = doc.modelspace()
    rounded_plate(msp, 0, 0, 100, 35, 4)
    msp.add_circle((50, 17.5), 13)
    screw = doc.blocks.new("SCREW")
    screw.add_circle((0, 0), 2.25)
    screw.add_line((-3, 0), (3, 0), dxfattribs={"layer": "CENTER"})
    # Both screw holes are one array insert of one block, 80 mm apart.
    msp.add_blockref("SCREW", (10, 17.5)).grid(size=(1, 2), spacing=(10, 80))
    decorations(msp, -15)


def lock_core(doc):
    msp = doc.modelspace()
    doc.layers.add("顶面")
    doc.layers.add("侧面")
    top = {"layer": "顶面"}
    side = {"layer": "侧面"}
    closed_outline(msp, [(0, 0, 0), (60, 0, 0), (60, 24, 0), (0, 24, 0)], top)
    msp.add_circle((15, 12), 11, dxfattribs=top)
    closed_outline(msp, [(35, 8, 0), (45, 8, 0), (45, 16, 0), (35, 16, 0)], top)
    closed_outline(msp, [(0, 50, 0), (240, 50, 0), (240, 74, 0), (0, 74, 0)], side)
    msp.add_circle((20, 62), 2, dxfattribs=side)
    msp.add_circle((220, 62), 2, dxfattribs=side)
    texts(msp, -10, top)


def new(version):
    doc = ezdxf.new(version, setup=True, units=4)
    if version in ("R12", "R2000", "R2004"):
        doc.encoding = "gbk"  # written as $DWGCODEPAGE ANSI_936; later versions are UTF-8
    return doc


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for version in VERSIONS:
        for name, draw in (("hinge", hinge), ("lockcore", lock_core)):
            doc = new(version)
            draw(doc)
            stem = os.path.join(folder, "%s_%s" % (name, version.lower()))
            doc.saveas(stem + ".dxf")
            doc.saveas(stem + "_binary.dxf", fmt="bin")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make_producer_drawings.py OUTPUT_FOLDER")
    main(sys.argv[1])
