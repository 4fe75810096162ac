// Turns the database the package converts a DWG into the records the DXF
// reader sends for the same drawing (importer/DxfParse.cpp): blocks first,
// then model space; the same entity kinds kept, counted or left out; the same
// limits, with the first one reached as the outcome.
import { Outcome, SkipReason } from './RecordWriter.mjs';

const kModelSpace = '*model_space';
const kPaperSpace = '*paper_space'; // the active layout; *Paper_Space0... are the others
const kUprightNormal = 1.0 - 1e-9;
const kLwPolylineClosedBit = 512; // DWG's bit, not DXF's 1
const kPolylineClosedBit = 1;
const kSplineClosedBit = 1;
const kDegrees = 180 / Math.PI;

// Kinds the DXF reader counts as left out under their own name, but whose
// places it keeps: they tell a sheet's frame from its parts.
const kAnnotations = new Set(['TEXT', 'MTEXT', 'ARCALIGNEDTEXT', 'DIMENSION']);
// Kinds the DXF reader neither keeps nor counts.
const kIgnored = new Set(['ATTDEF']);
// DWG kinds under their DXF names.
const kDxfNames = { POLYLINE2D: 'POLYLINE', POLYLINE3D: 'POLYLINE', PROXY_ENTITY: 'ACAD_PROXY_ENTITY' };

function number(v, fallback = 0) {
    return typeof v === 'number' ? v : fallback;
}

// A count as the record's 32-bit field holds it, at least one.
function count(v) {
    return Math.min(0x7fffffff, Math.max(1, Math.trunc(number(v, 1))));
}

class Collector {
    constructor(out, limits, unicode) {
        this.out = out;
        this.limits = limits;
        this.unicode = unicode;
        this.overflow = Outcome.Read;
        this.layerIds = new Map();
        this.unsupportedNames = new Set();
        this.entityCount = 0;
        this.vertexCount = 0;
        this.blockCount = 0;
        this.paperSpace = false;
    }

    // Text as the bytes the file holds: before 2007 each character of the
    // package's string is one byte of the drawing's code page (a \U+XXXX
    // escape it decoded goes back to the escape), from 2007 on UTF-8.
    bytes(text) {
        const s = typeof text === 'string' ? text : '';
        if (this.unicode || !/[^\x00-\xff]/.test(s))
            return Buffer.from(s, this.unicode ? 'utf8' : 'latin1');
        const escaped = s.replace(/[^\x00-\xff]/g, (c) => `\\U+${c.charCodeAt(0).toString(16).toUpperCase().padStart(4, '0')}`);
        return Buffer.from(escaped, 'latin1');
    }

    reachLimit(outcome) {
        if (this.overflow === Outcome.Read)
            this.overflow = outcome;
    }

    // Past a number of distinct kinds, further unsupported kinds are counted
    // together.
    countUnsupported(kind) {
        if (!this.unsupportedNames.has(kind)) {
            if (this.unsupportedNames.size >= this.limits.kinds) {
                this.out.skipped(SkipReason.Unsupported, Buffer.alloc(0));
                return;
            }
            this.unsupportedNames.add(kind);
        }
        this.out.skipped(SkipReason.Unsupported, this.bytes(kind));
    }

    layerId(name) {
        let id = this.layerIds.get(name);
        if (id === undefined) {
            id = this.layerIds.size;
            this.layerIds.set(name, id);
            this.out.layer(this.bytes(name));
        }
        return id;
    }

    // Whether the entity may be kept; counts it as left out when it may not.
    accept(e) {
        if (this.paperSpace) {
            this.out.skipped(SkipReason.PaperSpace, Buffer.alloc(0));
            return false;
        }
        if (!upright(e)) {
            this.out.skipped(SkipReason.NotInPlane, Buffer.alloc(0));
            return false;
        }
        return this.takeEntity();
    }
    takeEntity() {
        if (this.entityCount >= this.limits.entities) {
            this.reachLimit(Outcome.TooManyEntities);
            return false;
        }
        ++this.entityCount;
        return true;
    }

    // The first items of a list, as many as the limits let through.
    vertices(list) {
        const items = Array.isArray(list) ? list : [];
        let n = Math.min(items.length, this.limits.entityVertices);
        if (n < items.length)
            this.reachLimit(Outcome.TooManyEntityVertices);
        const room = this.limits.fileVertices - this.vertexCount;
        if (n > room) {
            n = Math.max(room, 0);
            this.reachLimit(Outcome.TooManyVertices);
        }
        this.vertexCount += n;
        return n === items.length ? items : items.slice(0, n);
    }

    head(e) {
        return {
            layer: this.layerId(e.layer),
            thickness: Number.isFinite(e.thickness) ? e.thickness : 0,
            mirrored: normal(e).z < 0,
        };
    }

    annotate(kind, e, at) {
        this.countUnsupported(kind);
        if (this.paperSpace || !upright(e) || !this.takeEntity())
            return;
        this.out.annotation(this.head(e), at);
    }

    entity(e) {
        const kind = typeof e?.type === 'string' ? e.type : '';
        if (kIgnored.has(kind))
            return;
        if (kAnnotations.has(kind)) {
            this.annotate(kind, e, annotationPlace(e));
            return;
        }
        const keep = keepers[kind];
        if (!keep) {
            this.countUnsupported(kDxfNames[kind] ?? kind);
            return;
        }
        if (this.accept(e))
            keep(this, e);
        // Attributes follow their reference as they do in DXF.
        if (kind === 'INSERT' && Array.isArray(e.attribs))
            for (const attrib of e.attribs)
                this.annotate('ATTRIB', attrib, attrib?.text?.startPoint);
    }

    block(record) {
        if (this.blockCount >= this.limits.blocks) {
            this.reachLimit(Outcome.TooManyBlocks);
            return;
        }
        ++this.blockCount;
        this.out.beginBlock(this.bytes(record.name), record.basePoint ?? {});
        for (const e of record.entities ?? [])
            this.entity(e);
        this.out.endBlock();
    }
}

function normal(e) {
    const n = e?.extrusionDirection;
    const x = number(n?.x), y = number(n?.y), z = number(n?.z);
    // Some kinds come without one, light-weight polylines with a zero one.
    return x === 0 && y === 0 && z === 0 ? { x: 0, y: 0, z: 1 } : { x, y, z };
}

// Whether the entity lies in a plane parallel to the x/y plane.
function upright(e) {
    const n = normal(e);
    return Math.abs(n.z) >= kUprightNormal * Math.hypot(n.x, n.y, n.z);
}

function annotationPlace(e) {
    switch (e.type) {
    case 'TEXT':
        return e.startPoint;
    case 'MTEXT':
        return e.insertionPoint;
    case 'ARCALIGNEDTEXT':
        return e.center;
    default:
        return e.textPoint; // a dimension, at its text
    }
}

function polyline(c, e, closed, withBulges) {
    const vertices = c.vertices(e.vertices).map((v) => ({ x: v?.x, y: v?.y, bulge: withBulges ? number(v?.bulge) : 0 }));
    c.out.polyline(c.head(e), closed, number(e.elevation), vertices);
}

const keepers = {
    LINE: (c, e) => c.out.line(c.head(e), e.startPoint, e.endPoint),
    ARC: (c, e) => c.out.arc(c.head(e), e.center, e.radius, e.startAngle * kDegrees, e.endAngle * kDegrees),
    CIRCLE: (c, e) => c.out.circle(c.head(e), e.center, e.radius),
    ELLIPSE: (c, e) => c.out.ellipse(c.head(e), e.center, e.majorAxisEndPoint?.x, e.majorAxisEndPoint?.y,
        e.axisRatio, e.startAngle, e.endAngle),
    LWPOLYLINE: (c, e) => polyline(c, e, (number(e.flag) & kLwPolylineClosedBit) !== 0, true),
    POLYLINE2D: (c, e) => polyline(c, e, (number(e.flag) & kPolylineClosedBit) !== 0, true),
    POLYLINE3D: (c, e) => polyline(c, e, (number(e.flag) & kPolylineClosedBit) !== 0, false),
    SPLINE: (c, e) => {
        const control = c.vertices(e.controlPoints);
        const weights = control.map((_, i) => number(e.weights?.[i], 1));
        c.out.spline(c.head(e), count(e.degree), (number(e.flag) & kSplineClosedBit) !== 0,
            c.vertices(e.knots).map((k) => number(k, NaN)), weights, control, c.vertices(e.fitPoints));
    },
    INSERT: (c, e) => c.out.insert(c.head(e), {
        block: c.bytes(e.name),
        at: e.insertionPoint,
        scaleX: e.xScale, scaleY: e.yScale, scaleZ: e.zScale,
        angleDeg: number(e.rotation) * kDegrees,
        // A reference without an array has no columns and rows at all.
        columns: count(e.columnCount),
        rows: count(e.rowCount),
        columnSpacing: number(e.columnSpacing), rowSpacing: number(e.rowSpacing),
    }),
};

// Writes the blocks and spaces of the database, its texts in UTF-8 when
// `unicode`; the outcome of the reading. A drawing read with errors that
// yields no entity at all was not read.
export function writeDrawing(db, out, { limits, unicode, readWithErrors }) {
    const c = new Collector(out, limits, unicode);
    const records = db?.tables?.BLOCK_RECORD?.entries ?? [];
    let model = null, paper = null;
    for (const record of records) {
        const name = String(record?.name ?? '').toLowerCase();
        if (name === kModelSpace)
            model = record;
        else if (name === kPaperSpace)
            paper = record;
        else if (!name.startsWith(kPaperSpace))
            c.block(record);
    }
    for (const e of model?.entities ?? [])
        c.entity(e);
    c.paperSpace = true;
    for (const e of paper?.entities ?? [])
        c.entity(e);
    const found = (model?.entities?.length ?? 0) + (paper?.entities?.length ?? 0);
    if (readWithErrors && found === 0)
        return Outcome.Damaged;
    return c.overflow;
}
