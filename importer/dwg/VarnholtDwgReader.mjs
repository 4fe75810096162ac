// The DWG reader: reads one DWG drawing with LibreDWG, compiled to
// WebAssembly in the npm package @mlightcad/libredwg-web, and streams its
// records to the program in the form of importer/RecordStream.h, as the DXF
// reader does. VarnholtDwgReader confines the process and starts it as
//   node FLAGS VarnholtDwgReader.mjs ENTITIES ENTITY_VERTICES FILE_VERTICES BLOCKS KINDS TEXT_BYTES HEAP_BYTES
// with the import's limits and the script heap the drawing may fill. The
// drawing comes on standard input, the records leave on standard output;
// nothing is written anywhere else.
import fs from 'node:fs';
import os from 'node:os';
import { fileURLToPath } from 'node:url';

import { writeDrawing } from './DwgEntities.mjs';
import { Outcome, RecordWriter } from './RecordWriter.mjs';

// Exit codes, as importer/ReaderProcess.h names them.
const kExitUsage = 2;
const kExitOutOfMemory = 3;
const kExitDamaged = 4;
const kExitNoPackage = 7;

// LibreDWG's errors from this one on leave nothing usable.
const kCriticalError = 128;
const kOutOfMemoryError = 8192;
// Script heap the converted database takes per DWG object, measured on the
// largest fixtures with room to spare: a drawing of more objects than the
// heap holds is refused before it is converted.
const kHeapBytesPerObject = 4096;
// LibreDWG's code pages by number, under the names of DXF's $DWGCODEPAGE.
const kCodePages = [
    '', 'ASCII', 'ISO8859-1', 'ISO8859-2', 'ISO8859-3', 'ISO8859-4', 'ISO8859-5', 'ISO8859-6', 'ISO8859-7',
    'ISO8859-8', 'ISO8859-9', 'DOS437', 'DOS850', 'DOS852', 'DOS855', 'DOS857', 'DOS860', 'DOS861', 'DOS863',
    'DOS864', 'DOS865', 'DOS869', 'DOS932', 'MACINTOSH', 'BIG5', 'KSC5601', 'JOHAB', 'DOS866', 'ANSI_1250',
    'ANSI_1251', 'ANSI_1252', 'GB2312', 'ANSI_1253', 'ANSI_1254', 'ANSI_1255', 'ANSI_1256', 'ANSI_1257',
    'ANSI_874', 'ANSI_932', 'ANSI_936', 'ANSI_949', 'ANSI_950', 'ANSI_1361', 'UTF16', 'ANSI_1258',
];
// AutoCAD 2000 introduced $INSUNITS; from 2007 on texts are stored in UTF-16.
const kFirstUnitsVersion = 'AC1015';
const kFirstUnicodeVersion = 'AC1021';

// The package and LibreDWG print as they go: nothing of it may reach the
// record channel, nor a log file the process may not write.
for (const method of ['log', 'info', 'warn', 'error', 'debug', 'trace'])
    console[method] = () => {};

function parseLimits(args) {
    const numbers = args.map(Number);
    if (numbers.length !== 7 || !numbers.every((n) => Number.isSafeInteger(n) && n > 0))
        process.exit(kExitUsage);
    const [entities, entityVertices, fileVertices, blocks, kinds, textBytes, heapBytes] = numbers;
    return { entities, entityVertices, fileVertices, blocks, kinds, textBytes, heapBytes };
}

async function loadLibrary() {
    const root = new URL('./node_modules/@mlightcad/libredwg-web/', import.meta.url);
    let dwg;
    try {
        dwg = await import(new URL('dist/libredwg-web.js', root).href);
    } catch {
        process.exit(kExitNoPackage);
    }
    const wasm = fileURLToPath(new URL('wasm', root));
    const module = await dwg.createModule({ locateFile: (name) => `${wasm}/${name}`, print() {}, printErr() {} });
    const lib = dwg.LibreDwg.createByWasmInstance(module);
    // Texts of drawings before 2007 stay the bytes the file holds, in its
    // code page, as the DXF reader hands them on: the importer decodes them.
    const asBytes = { decode: (bin) => Buffer.from(bin.buffer, bin.byteOffset, bin.byteLength).toString('latin1') };
    Object.defineProperty(lib, 'decoder', { get: () => asBytes, set() {}, configurable: true });
    return lib;
}

function readDrawing(lib, out, limits) {
    lib.FS.writeFile('drawing.dwg', fs.readFileSync(0), { canOwn: true });
    const read = lib.dwg_read_file('drawing.dwg');
    if (read.error & kOutOfMemoryError)
        process.exit(kExitOutOfMemory);
    if (read.error >= kCriticalError || !read.data)
        return Outcome.Damaged;
    if (lib.dwg_get_num_objects(read.data) * kHeapBytesPerObject > limits.heapBytes)
        process.exit(kExitOutOfMemory);
    const version = lib.dwg_get_version_type(read.data)?.hdr ?? '';
    const codePage = kCodePages[lib.dwg_get_codepage(read.data)] ?? '';
    // The process ends with this drawing: what LibreDWG holds is left to it.
    const db = lib.convert(read.data);
    if (version >= kFirstUnitsVersion && Number.isInteger(db.header?.INSUNITS))
        out.insunits(db.header.INSUNITS);
    if (codePage)
        out.codePage(Buffer.from(codePage, 'latin1'));
    out.version(Buffer.from(version, 'latin1'));
    return writeDrawing(db, out, { limits, unicode: version >= kFirstUnicodeVersion, readWithErrors: read.error !== 0 });
}

async function main() {
    const limits = parseLimits(process.argv.slice(2));
    const lib = await loadLibrary();
    const out = new RecordWriter(os.endianness() === 'LE', limits.textBytes);
    out.finish(readDrawing(lib, out, limits));
}

// A WebAssembly trap, or anything else thrown while reading, means the
// drawing could not be read; the instance is of no use after it.
main().catch((error) => {
    const memory = /out of memory|\bOOM\b/i.test(String(error?.message));
    process.exit(memory ? kExitOutOfMemory : kExitDamaged);
});
