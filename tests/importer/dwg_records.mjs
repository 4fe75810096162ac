// Writes the records the DWG reader makes of a database as the package
// converts one, made up here with an entity of every kind the reader tells
// apart, so that the mapping is tested without any DWG drawing.
//   node dwg_records.mjs READER_DIR
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const dir = process.argv[2];
const { writeDrawing } = await import(pathToFileURL(path.join(dir, 'DwgEntities.mjs')).href);
const { RecordWriter } = await import(pathToFileURL(path.join(dir, 'RecordWriter.mjs')).href);

const at = (x, y, z = 0) => ({ x, y, z });
const up = at(0, 0, 1);
const model = [
    { type: 'LINE', layer: 'L\xc2\xd6', thickness: 2, startPoint: at(0, 0), endPoint: at(10, 0), extrusionDirection: up },
    { type: 'ARC', layer: '0', center: at(1, 1), radius: 2, startAngle: 0, endAngle: Math.PI / 2 },
    { type: 'CIRCLE', layer: '0', center: at(5, 5, 3), radius: 1, extrusionDirection: at(0, 0, -1) },
    { type: 'CIRCLE', layer: '0', center: at(5, 5), radius: 1, extrusionDirection: at(1, 0, 0) },
    { type: 'ELLIPSE', layer: '0', center: at(0, 0), majorAxisEndPoint: at(4, 0), axisRatio: 0.5, startAngle: 0,
      endAngle: 2 * Math.PI },
    { type: 'LWPOLYLINE', layer: '0', flag: 512, elevation: 1, extrusionDirection: at(0, 0, 0),
      vertices: [{ x: 0, y: 0, bulge: 1 }, { x: 2, y: 0, bulge: 0 }, { x: 2, y: 2 }] },
    { type: 'LWPOLYLINE', layer: '0', flag: 1, vertices: [{ x: 0, y: 0 }, { x: 1, y: 0 }] },
    { type: 'POLYLINE2D', layer: '0', flag: 1, vertices: [{ x: 0, y: 0, bulge: 0.5 }, { x: 1, y: 1 }] },
    { type: 'POLYLINE3D', layer: '0', flag: 0, vertices: [{ x: 0, y: 0, z: 5, bulge: 1 }, { x: 1, y: 1, z: 6 }] },
    { type: 'SPLINE', layer: '0', flag: 1, degree: 2, knots: [0, 0, 0, 1, 1, 1], weights: [1, 0.5, 1],
      controlPoints: [at(0, 0), at(1, 1), at(2, 0)], fitPoints: [] },
    { type: 'INSERT', layer: '0', name: 'B', insertionPoint: at(3, 4), xScale: 2, yScale: 2, zScale: 1,
      rotation: Math.PI / 2, columnCount: 0, rowCount: 0, columnSpacing: 0, rowSpacing: 0,
      attribs: [{ type: 'ATTRIB', layer: '0', text: { startPoint: { x: 3, y: 5 } } }] },
    { type: 'TEXT', layer: '0', startPoint: { x: 7, y: 8 } },
    { type: 'MTEXT', layer: '0', insertionPoint: at(9, 9) },
    { type: 'DIMENSION', layer: '0', textPoint: { x: 6, y: 1 } },
    { type: 'HATCH', layer: '0' },
    { type: 'WIPEOUT', layer: '0' },
    { type: 'ATTDEF', layer: '0' },
    { type: 'LINE', layer: '0', startPoint: at(NaN, 0), endPoint: at(1, 1) },
];
const db = {
    tables: {
        BLOCK_RECORD: {
            entries: [
                { name: '*Model_Space', entities: model },
                { name: 'B', basePoint: at(1, 2), entities: [{ type: 'CIRCLE', layer: 'H', center: at(0, 0), radius: 3 }] },
                { name: '*Paper_Space', entities: [{ type: 'LINE', layer: '0', startPoint: at(0, 0), endPoint: at(1, 0) }] },
                { name: '*Paper_Space0', entities: [{ type: 'POINT', layer: '0' }] },
            ],
        },
    },
};
const limits = { entities: 1000, entityVertices: 1000, fileVertices: 10000, blocks: 10, kinds: 64, textBytes: 1024 };
const out = new RecordWriter(os.endianness() === 'LE', limits.textBytes);
out.finish(writeDrawing(db, out, { limits, unicode: false, readWithErrors: false }));
