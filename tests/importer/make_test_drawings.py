#!/usr/bin/python3
"""Writes the DXF drawings the importer tests read, and the sample drawings.

Run once with Debian's python3-ezdxf (/usr/bin/python3 make_test_drawings.py);
the generated files are committed and the tests only read them.
"""
import math
import os

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "data")
SAMPLES = os.path.join(HERE, "..", "..", "samples", "cad")
MM = 4
INCH = 1
CORNER_BULGE = math.tan(math.radians(90) / 4)  # a quarter circle


def new(version="R2010", units=MM):
    doc = ezdxf.new(version, units=units)
    return doc, doc.modelspace()


def save(doc, name, folder=DATA, **kw):
    doc.saveas(os.path.join(folder, name), **kw)


def rounded_rect(msp, x0, y0, x1, y1, r, dxfattribs=None):
    pts = [
        (x0 + r, y0, 0), (x1 - r, y0, CORNER_BULGE), (x1, y0 + r, 0), (x1, y1 - r, CORNER_BULGE),
        (x1 - r, y1, 0), (x0 + r, y1, CORNER_BULGE), (x0, y1 - r, 0), (x0, y0 + r, CORNER_BULGE),
    ]
    return msp.add_lwpolyline(pts, format="xyb", close=True, dxfattribs=dxfattribs or {})


def rect(msp, x0, y0, x1, y1, dxfattribs=None):
    return msp.add_lwpolyline([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], close=True, dxfattribs=dxfattribs or {})


def hinge_rounded():
    """A plate with rounded corners (bulges), three holes with depths, and
    things that are skipped or left out."""
    doc, msp = new()
    rounded_rect(msp, 0, 0, 60, 40, 5)
    msp.add_circle((20, 20), 17.5, dxfattribs={"thickness": -12.5})
    msp.add_circle((45, 10, -10), 4)
    msp.add_circle((45, 30), 4, dxfattribs={"thickness": 8})
    rect(msp, 35, 17, 40, 22)              # inside, not a circle: reported
    msp.add_circle((100, 100), 3)          # outside: left out
    msp.add_text("HINGE", dxfattribs={"insert": (0, -10)})
    msp.add_mtext("note")
    msp.add_linear_dim(base=(0, -20), p1=(0, 0), p2=(60, 0)).render()
    hatch = msp.add_hatch()
    hatch.paths.add_polyline_path([(70, 0), (80, 0), (80, 10)], is_closed=True)
    msp.add_point((1, 1))
    doc.layout("Layout1").add_line((0, 0), (500, 500))  # paper space
    save(doc, "hinge_rounded.dxf")


def chain_mixed():
    """A slot drawn as LINE and ARC pieces in mixed order and directions."""
    doc, msp = new()
    msp.add_arc((50, 10), 10, -90, 90)
    msp.add_line((0, 20), (50, 20))        # runs against the chain
    msp.add_circle((25, 10), 3)
    msp.add_arc((0, 10), 10, 90, 270)
    msp.add_line((50, 0), (0, 0))
    save(doc, "chain_mixed.dxf")


def blocks():
    doc, msp = new()
    plate = doc.blocks.new("PLATE", base_point=(10, 10))
    plate.add_lwpolyline([(0, 0), (20, 0), (20, 20), (0, 20)], close=True)
    plate.add_circle((10, 10), 2)
    msp.add_blockref("PLATE", (100, 0), dxfattribs={"xscale": 2, "yscale": 2})
    msp.add_blockref("PLATE", (0, 100))
    save(doc, "blocks_scaled.dxf")

    doc, msp = new()
    ell = doc.blocks.new("ELL")
    ell.add_lwpolyline([(0, 0), (20, 0), (20, 5), (5, 5), (5, 15), (0, 15)], close=True)
    ell.add_circle((2.5, 2.5), 1)
    msp.add_blockref("ELL", (50, 50), dxfattribs={"xscale": -1, "rotation": 90})
    save(doc, "blocks_mirror_rotate.dxf")

    doc, msp = new()
    inner = doc.blocks.new("INNER")
    inner.add_circle((0, 0), 1)
    outer = doc.blocks.new("OUTER")
    outer.add_lwpolyline([(0, 0), (10, 0), (10, 10), (0, 10)], close=True)
    outer.add_blockref("INNER", (5, 5), dxfattribs={"xscale": 2, "yscale": 2})
    msp.add_blockref("OUTER", (100, 100), dxfattribs={"xscale": 1.5, "yscale": 1.5, "rotation": 45})
    save(doc, "blocks_nested.dxf")

    doc, msp = new()
    hole = doc.blocks.new("HOLE")
    hole.add_circle((0, 0), 1)
    rect(msp, 0, 0, 100, 100)
    msp.add_blockref("HOLE", (10, 10), dxfattribs={
        "column_count": 3, "row_count": 2, "column_spacing": 20, "row_spacing": 30})
    save(doc, "blocks_array.dxf")

    doc, msp = new()
    self_ref = doc.blocks.new("SELF")
    self_ref.add_circle((0, 0), 1)
    self_ref.add_blockref("SELF", (3, 0))
    rect(msp, -10, -10, 10, 10)
    msp.add_blockref("SELF", (0, 0))
    msp.add_blockref("MISSING", (0, 0))
    save(doc, "blocks_recursive.dxf")

    doc, msp = new()
    disc = doc.blocks.new("DISC")
    disc.add_circle((0, 0), 5)
    msp.add_blockref("DISC", (0, 0), dxfattribs={"xscale": 2, "yscale": 1})  # an ellipse: an outline
    msp.add_circle((3, 0), 1)
    save(doc, "blocks_stretched.dxf")

    doc, msp = new()
    line = doc.blocks.new("ONE")
    line.add_line((0, 0), (1, 0))
    grid = doc.blocks.new("MANY")
    grid.add_blockref("ONE", (0, 0), dxfattribs={
        "column_count": 1000, "row_count": 1000, "column_spacing": 1, "row_spacing": 1})
    msp.add_blockref("MANY", (0, 0), dxfattribs={
        "column_count": 1000, "row_count": 1000, "column_spacing": 2000, "row_spacing": 2000})
    save(doc, "blocks_bomb.dxf")


def curves():
    doc, msp = new()
    # Quarter of a circle of radius 40 as an exact rational spline.
    w = math.sqrt(0.5)
    msp.add_rational_spline([(40, 0), (40, 40), (0, 40)], [1, w, 1], degree=2, knots=[0, 0, 0, 1, 1, 1])
    msp.add_line((0, 40), (0, 0))
    msp.add_line((0, 0), (40, 0))
    msp.add_circle((10, 10), 2)
    save(doc, "spline_rational.dxf")

    doc, msp = new()
    msp.add_spline([(0, 0), (10, 6), (20, 4), (30, 0)])
    msp.add_line((30, 0), (30, -10))
    msp.add_line((30, -10), (0, -10))
    msp.add_line((0, -10), (0, 0))
    save(doc, "spline_fit.dxf")

    doc, msp = new()
    msp.add_ellipse((0, 0), major_axis=(30, 0), ratio=0.5)
    msp.add_circle((10, 0), 2)
    save(doc, "ellipse_full.dxf")

    doc, msp = new()
    msp.add_ellipse((0, 0), major_axis=(0, 30), ratio=0.5, start_param=math.pi, end_param=2 * math.pi)
    msp.add_line((0, 30), (0, -30))
    save(doc, "ellipse_half.dxf")

    doc, msp = new("R12")
    p = msp.add_polyline2d([(0, 0), (40, 0), (40, 20), (0, 20)], close=True)
    p.vertices[1].dxf.bulge = 1.0  # a half circle bulging out to the right
    msp.add_circle((20, 10), 3)
    save(doc, "polyline_r12.dxf")

    doc, msp = new()
    below = {"extrusion": (0, 0, -1)}
    msp.add_arc((10, 0), 5, 0, 180, dxfattribs=below)  # lies at x = -15 .. -5
    msp.add_line((-15, 0), (-5, 0))
    msp.add_circle((10, 1), 1, dxfattribs=below)
    save(doc, "extrusion_mirrored.dxf")


def units_and_gaps():
    doc, msp = new(units=INCH)
    rect(msp, 0, 0, 2, 2)
    msp.add_circle((1, 1), 0.25, dxfattribs={"thickness": 0.5})
    save(doc, "units_inches.dxf")

    doc, msp = new()
    msp.add_line((0, 0), (50, 0))
    msp.add_line((50, 0), (50, 50))
    msp.add_line((50, 50), (0, 50))
    msp.add_line((0, 50), (0, 0.5))        # 0.5 mm short of closing
    msp.add_circle((25, 25), 4)
    msp.add_line((200, 0), (220, 0))       # far from closing
    msp.add_line((220, 0), (220, 20))
    msp.add_line((220, 20), (205, 0))
    save(doc, "almost_closed.dxf")

    doc, msp = new()
    rect(msp, 0, 0, 20, 20)
    msp.add_circle((5, 5), 1)
    msp.add_circle((15, 5), float("inf"))
    msp.add_line((1e300, 0), (0, 0))
    save(doc, "bad_numbers.dxf")


def lock_cores():
    # The top face is drawn below the side face: only the layer names tell.
    doc, msp = new("R2000")
    doc.encoding = "gbk"  # written as $DWGCODEPAGE ANSI_936
    doc.layers.add("顶面")
    doc.layers.add("侧面")
    rect(msp, 0, 0, 60, 20, {"layer": "顶面"})
    msp.add_circle((10, 10), 3, dxfattribs={"layer": "顶面", "thickness": 15})
    rect(msp, 30, 5, 40, 15, {"layer": "顶面", "elevation": 0})
    rect(msp, 0, 50, 80, 70, {"layer": "侧面"})
    msp.add_circle((40, 60), 5, dxfattribs={"layer": "侧面"})
    save(doc, "lockcore_gbk.dxf")

    doc, msp = new()
    doc.layers.add("face_Side")
    doc.layers.add("top")
    rect(msp, 0, 50, 80, 70, {"layer": "face_Side"})
    rect(msp, 0, 0, 60, 20, {"layer": "top"})
    save(doc, "lockcore_layers.dxf")

    doc, msp = new()
    rect(msp, 0, 0, 80, 20)                 # lower: side
    rect(msp, 0, 40, 60, 60)                # higher: top
    msp.add_circle((10, 50), 3)
    rect(msp, 30, 45, 40, 55)
    msp.add_circle((50, 50), 2)
    msp.add_circle((20, 10), 4)
    msp.add_circle((200, 200), 4)           # outside both
    save(doc, "lockcore_position.dxf")

    # Block content on layer 0 takes the layer of each reference.
    doc, msp = new()
    doc.layers.add("TOP")
    doc.layers.add("SIDE")
    face = doc.blocks.new("FACE")
    face.add_lwpolyline([(0, 0), (50, 0), (50, 20), (0, 20)], close=True)
    face.add_circle((10, 10), 2)
    msp.add_blockref("FACE", (0, 100), dxfattribs={"layer": "SIDE"})
    msp.add_blockref("FACE", (0, 0), dxfattribs={"layer": "TOP", "xscale": 1.2})
    save(doc, "lockcore_blocks.dxf")

    doc, msp = new()
    rect(msp, 0, 0, 60, 20)
    msp.add_circle((10, 10), 3)
    save(doc, "lockcore_single.dxf")


def broken():
    doc, msp = new()
    rect(msp, 0, 0, 10, 10)
    save(doc, "binary.dxf", fmt="bin")
    save(doc, "valid_small.dxf")
    with open(os.path.join(DATA, "valid_small.dxf"), "rb") as f:
        whole = f.read()
    with open(os.path.join(DATA, "truncated.dxf"), "wb") as f:
        f.write(whole[: len(whole) // 2])
    with open(os.path.join(DATA, "not_a_drawing.dxf"), "w") as f:
        f.write("Dear workshop,\nplease drill the door by Friday.\n")
    open(os.path.join(DATA, "empty.dxf"), "wb").close()
    with open(os.path.join(DATA, "drawing.dwg"), "wb") as f:
        f.write(b"AC1015" + bytes(122))
    entities = "0\nSECTION\n2\nENTITIES\n{}0\nENDSEC\n0\nEOF\n"
    with open(os.path.join(DATA, "huge_count.dxf"), "w") as f:
        f.write(entities.format("0\nLWPOLYLINE\n90\n2000000000\n70\n1\n10\n0\n20\n0\n"))
    with open(os.path.join(DATA, "huge_spline.dxf"), "w") as f:
        f.write(entities.format("0\nSPLINE\n71\n3\n72\n2000000000\n73\n2000000000\n10\n0\n20\n0\n"))


def samples():
    doc, msp = new()
    doc.layers.add("OUTLINE")
    doc.layers.add("HOLES")
    rounded_rect(msp, 0, 0, 70, 48, 6, {"layer": "OUTLINE"})
    msp.add_circle((24, 24), 17.5, dxfattribs={"layer": "HOLES", "thickness": 12})
    msp.add_circle((56, 14), 4, dxfattribs={"layer": "HOLES", "thickness": 10})
    msp.add_circle((56, 34), 4, dxfattribs={"layer": "HOLES", "thickness": 10})
    save(doc, "hinge_cup.dxf", folder=SAMPLES)

    doc, msp = new()
    doc.layers.add("TOP")
    doc.layers.add("SIDE")
    rounded_rect(msp, 0, 60, 24, 295, 4, {"layer": "TOP"})
    for y in (80, 275):
        msp.add_circle((12, y), 2.5, dxfattribs={"layer": "TOP", "thickness": 5})
    rect(msp, 7, 170, 17, 185, {"layer": "TOP"})
    rect(msp, 40, 0, 100, 235, {"layer": "SIDE"})
    msp.add_circle((70, 40), 11, dxfattribs={"layer": "SIDE", "thickness": 60})
    rect(msp, 62, 110, 78, 140, {"layer": "SIDE"})
    save(doc, "lockcore_plate.dxf", folder=SAMPLES)


def producers():
    """Drawings as other offices write them: centre marks and loose block
    lines beside the outline, and one hinge in several file versions."""
    folder = os.path.join(DATA, "producers")
    os.makedirs(folder, exist_ok=True)

    def hinge(msp):
        corners = [(0, 0), (60, 0), (60, 45), (0, 45)]
        if msp.doc.dxfversion == "AC1009":  # R12 knows only the old POLYLINE
            msp.add_polyline2d(corners, close=True)
        else:
            msp.add_lwpolyline(corners, close=True)
        msp.add_circle((30, 22.5), 8)

    doc, msp = new()
    hinge(msp)
    for cx, cy in ((10, 60), (25, 60), (40, 60), (55, 60)):  # four centre marks, two lines each
        msp.add_line((cx - 3, cy), (cx + 3, cy))
        msp.add_line((cx, cy - 3), (cx, cy + 3))
    save(doc, "centre_marks.dxf", folder)

    doc, msp = new()
    hinge(msp)
    mark = doc.blocks.new("MARK")
    mark.add_line((-2, 0), (-0.5, 0))
    mark.add_line((0.5, 0), (2, 0))
    for x in (10, 20, 30, 40):
        msp.add_blockref("MARK", (x, 70))
    save(doc, "block_loose_lines.dxf", folder)

    for version in ("R12", "R2000", "R2018"):
        doc, msp = new(version)
        hinge(msp)
        msp.add_line((80, 0), (90, 0))
        save(doc, "hinge_%s.dxf" % version.lower(), folder)
        if version != "R2018":  # binary twins in both forms of group codes
            save(doc, "hinge_%s_binary.dxf" % version.lower(), folder, fmt="bin")
    doc, msp = new("R2010")
    hinge(msp)
    save(doc, "hinge_binary.dxf", folder, fmt="bin")


def a4_frame(msp, layer, text_layer, title_closed=True):
    """An A4 sheet: outer border, inner border with the binding margin on the
    left, a title block in the lower right corner with its cells and texts."""
    on = {"layer": layer}
    rect(msp, 0, 0, 297, 210, on)
    rect(msp, 25, 10, 287, 200, on)
    if title_closed:
        rect(msp, 107, 10, 287, 66, on)
    else:
        msp.add_line((107, 10), (107, 66), dxfattribs=on)
        msp.add_line((107, 66), (287, 66), dxfattribs=on)
    for y in (24, 38, 52):
        msp.add_line((107, y), (287, y), dxfattribs=on)
    msp.add_line((167, 10), (167, 66), dxfattribs=on)
    texts = {"layer": text_layer, "height": 5}
    msp.add_text("门铰链", dxfattribs=dict(texts, insert=(112, 56)))
    msp.add_text("比例 1:1", dxfattribs=dict(texts, insert=(172, 42)))
    msp.add_text("图号 HJ-01", dxfattribs=dict(texts, insert=(172, 14)))
    msp.add_mtext("技术要求：去毛刺", dxfattribs={"layer": text_layer, "insert": (30, 60)})


def framed_hinge(msp, x, y, width=60, height=45, holes=2, layer="0", dim_layer="0"):
    """A hinge plate with its holes in a row, centre lines and a dimension."""
    rect(msp, x, y, x + width, y + height, {"layer": layer})
    for k in range(holes):
        cx = x + width * (k + 1) / (holes + 1)
        msp.add_circle((cx, y + height / 2), 5, dxfattribs={"layer": layer, "thickness": 11})
    msp.add_linear_dim(base=(x, y - 12), p1=(x, y), p2=(x + width, y), dxfattribs={"layer": dim_layer}).render()


def frames():
    """Parts drawn the way drawing offices send them: in a frame with a title
    block, dimensions and centre lines, one or several to a sheet."""
    doc, msp = new()
    for name in ("图框", "文字", "标注", "中心线"):
        doc.layers.add(name)
    a4_frame(msp, "图框", "文字")
    framed_hinge(msp, 60, 100, dim_layer="标注")
    msp.add_line((50, 122.5), (130, 122.5), dxfattribs={"layer": "中心线"})
    msp.add_circle((90, 122.5), 12, dxfattribs={"layer": "中心线"})  # a pitch circle: no hole
    save(doc, "frame_hinge.dxf")

    # The same sheet with everything on layer 0: the frame is told by its shape.
    doc, msp = new()
    a4_frame(msp, "0", "0")
    framed_hinge(msp, 60, 100)
    save(doc, "frame_hinge_layer0.dxf")

    # A lock core in a frame on layer 0, its title block a closed rectangle
    # larger than either face.
    doc, msp = new()
    a4_frame(msp, "0", "0")
    rect(msp, 40, 150, 190, 174)
    msp.add_circle((60, 162), 3)
    msp.add_circle((170, 162), 3)
    rect(msp, 110, 157, 120, 167)
    rect(msp, 40, 90, 190, 130)
    msp.add_circle((115, 110), 10)
    msp.add_linear_dim(base=(40, 140), p1=(40, 150), p2=(190, 150)).render()
    save(doc, "frame_lockcore.dxf")

    # Three hinges side by side, the middle one the largest; the frame's
    # layer names are written in full-width letters and lower case.
    doc, msp = new()
    doc.layers.add("ＢＯＲＤＥＲ")
    doc.layers.add("title")
    a4_frame(msp, "ＢＯＲＤＥＲ", "title")
    framed_hinge(msp, 35, 110)
    framed_hinge(msp, 115, 110, width=70, height=48, holes=3)
    framed_hinge(msp, 205, 110)
    save(doc, "frame_three_hinges.dxf")

    # A frame and nothing in it: the title block is drawn with lines only.
    doc, msp = new()
    a4_frame(msp, "0", "0", title_closed=False)
    save(doc, "frame_only.dxf")


if __name__ == "__main__":
    os.makedirs(DATA, exist_ok=True)
    os.makedirs(SAMPLES, exist_ok=True)
    hinge_rounded()
    chain_mixed()
    blocks()
    curves()
    units_and_gaps()
    lock_cores()
    broken()
    samples()
    producers()
    frames()
