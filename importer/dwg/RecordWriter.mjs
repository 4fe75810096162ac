// Writes records in the form importer/RecordStream.cpp reads: a four-byte
// mark, then frames of a one-byte tag, a four-byte payload length and the
// payload, numbers in this machine's byte order. Like the program's own
// writer, it turns an entity with a number that is not finite into a skipped
// one and places a block at no number at the origin: the reader refuses
// such numbers.
import fs from 'node:fs';

const Tag = {
    Layer: 1, InsUnits: 2, CodePage: 3, Version: 4, BeginBlock: 5, EndBlock: 6, Skipped: 7, Line: 8, Arc: 9,
    Circle: 10, Polyline: 11, Ellipse: 12, Spline: 13, Insert: 14, Annotation: 15, End: 16,
};

// DxfParseOutcome and SkipReason (importer/ParseOutcome.h, ImportReport.h).
export const Outcome = {
    Read: 0, TooManyEntities: 2, TooManyVertices: 3, TooManyEntityVertices: 4, TooManyBlocks: 5, Damaged: 7,
};
export const SkipReason = { Unsupported: 0, PaperSpace: 2, NotInPlane: 3, BadCoordinates: 4 };

const kMark = Buffer.from('VHR1', 'latin1');
const kHeaderBytes = 5;
const kChunkBytes = 256 * 1024;

// Hands bytes to standard output, waiting while a full pipe takes them.
function writeOut(bytes) {
    const pause = new Int32Array(new SharedArrayBuffer(4));
    let at = 0;
    while (at < bytes.length) {
        try {
            at += fs.writeSync(1, bytes, at, bytes.length - at);
        } catch (error) {
            if (error.code !== 'EAGAIN')
                process.exit(0); // nobody reads any more
            Atomics.wait(pause, 0, 0, 5);
        }
    }
}

export class RecordWriter {
    constructor(littleEndian, textBytes) {
        this.little = littleEndian;
        this.textBytes = textBytes;
        this.buffer = Buffer.alloc(2 * kChunkBytes);
        this.view = new DataView(this.buffer.buffer, this.buffer.byteOffset, this.buffer.length);
        this.length = 0;
        this.frameStart = 0;
        this.finite = true;
        this.bytes(kMark);
    }

    // --- frames -------------------------------------------------------------
    insunits(code) {
        this.begin(Tag.InsUnits);
        this.int32(code);
        this.end();
    }
    codePage(text) {
        this.begin(Tag.CodePage);
        this.text(text);
        this.end();
    }
    version(text) {
        this.begin(Tag.Version);
        this.text(text);
        this.end();
    }
    layer(name) {
        this.begin(Tag.Layer);
        this.text(name);
        this.end();
    }
    beginBlock(name, base) {
        this.begin(Tag.BeginBlock);
        this.point(base);
        this.text(name);
        if (!this.finite) {
            this.length = this.frameStart;
            this.beginBlock(name, { x: 0, y: 0, z: 0 });
            return;
        }
        this.end();
    }
    endBlock() {
        this.begin(Tag.EndBlock);
        this.end();
    }
    skipped(reason, entity) {
        this.begin(Tag.Skipped);
        this.uint8(reason);
        this.text(entity);
        this.end();
    }
    line(head, a, b) {
        this.entity(Tag.Line, head, () => {
            this.point(a);
            this.point(b);
        });
    }
    arc(head, centre, radius, startDeg, endDeg) {
        this.entity(Tag.Arc, head, () => {
            this.point(centre);
            this.reals([radius, startDeg, endDeg]);
        });
    }
    circle(head, centre, radius) {
        this.entity(Tag.Circle, head, () => {
            this.point(centre);
            this.real(radius);
        });
    }
    polyline(head, closed, elevation, vertices) {
        this.entity(Tag.Polyline, head, () => {
            this.uint8(closed ? 1 : 0);
            this.real(elevation);
            this.uint32(vertices.length);
            for (const v of vertices)
                this.reals([v.x, v.y, v.bulge]);
        });
    }
    ellipse(head, centre, majorX, majorY, ratio, startParam, endParam) {
        this.entity(Tag.Ellipse, head, () => {
            this.point(centre);
            this.reals([majorX, majorY, ratio, startParam, endParam]);
        });
    }
    spline(head, degree, closed, knots, weights, control, fit) {
        this.entity(Tag.Spline, head, () => {
            this.int32(degree);
            this.uint8(closed ? 1 : 0);
            for (const list of [knots, weights]) {
                this.uint32(list.length);
                this.reals(list);
            }
            for (const list of [control, fit]) {
                this.uint32(list.length);
                for (const p of list)
                    this.point(p);
            }
        });
    }
    insert(head, ins) {
        this.entity(Tag.Insert, head, () => {
            this.point(ins.at);
            this.reals([ins.scaleX, ins.scaleY, ins.scaleZ, ins.angleDeg]);
            this.int32(ins.columns);
            this.int32(ins.rows);
            this.reals([ins.columnSpacing, ins.rowSpacing]);
            this.text(ins.block);
        });
    }
    annotation(head, at) {
        this.entity(Tag.Annotation, head, () => this.point(at));
    }
    // Ends the stream with the outcome and hands on what is left.
    finish(outcome) {
        this.begin(Tag.End);
        this.uint8(outcome);
        this.end();
        writeOut(this.buffer.subarray(0, this.length));
        this.length = 0;
    }

    // --- bytes --------------------------------------------------------------
    entity(tag, head, body) {
        this.begin(tag);
        this.uint32(head.layer);
        this.real(head.thickness);
        this.uint8(head.mirrored ? 1 : 0);
        body();
        if (!this.finite) {
            this.length = this.frameStart;
            this.skipped(SkipReason.BadCoordinates, Buffer.alloc(0));
            return;
        }
        this.end();
    }
    begin(tag) {
        this.frameStart = this.length;
        this.uint8(tag);
        this.uint32(0);
        this.finite = true;
    }
    end() {
        this.view.setUint32(this.frameStart + 1, this.length - this.frameStart - kHeaderBytes, this.little);
        if (this.length >= kChunkBytes) {
            writeOut(this.buffer.subarray(0, this.length));
            this.length = 0;
        }
    }
    room(bytes) {
        if (this.length + bytes <= this.buffer.length)
            return;
        const grown = Buffer.alloc(Math.max(2 * this.buffer.length, this.length + bytes));
        this.buffer.copy(grown, 0, 0, this.length);
        this.buffer = grown;
        this.view = new DataView(grown.buffer, grown.byteOffset, grown.length);
    }
    uint8(v) {
        this.room(1);
        this.view.setUint8(this.length, v);
        this.length += 1;
    }
    uint32(v) {
        this.room(4);
        this.view.setUint32(this.length, v, this.little);
        this.length += 4;
    }
    int32(v) {
        this.room(4);
        this.view.setInt32(this.length, v, this.little);
        this.length += 4;
    }
    real(v) {
        const n = typeof v === 'number' ? v : NaN;
        this.finite = this.finite && Number.isFinite(n);
        this.room(8);
        this.view.setFloat64(this.length, n, this.little);
        this.length += 8;
    }
    reals(list) {
        for (const v of list)
            this.real(v);
    }
    point(p) {
        this.reals([p?.x, p?.y, p?.z ?? 0]);
    }
    bytes(b) {
        this.room(b.length);
        b.copy(this.buffer, this.length);
        this.length += b.length;
    }
    text(b) {
        const cut = b.subarray(0, this.textBytes);
        this.uint32(cut.length);
        this.bytes(cut);
    }
}
