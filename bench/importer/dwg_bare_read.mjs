// The package's bare read of a DWG drawing, as its documentation shows it:
// create the WebAssembly module, read the file, convert it to a database,
// free LibreDWG's data. With no drawing named, only the module is created:
// the cold start of the reader.
//   node FLAGS dwg_bare_read.mjs PACKAGE_DIR [DRAWING.dwg]
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [packageDir, drawing] = process.argv.slice(2);
for (const method of ['log', 'warn', 'error'])
    console[method] = () => {};
const { LibreDwg } = await import(pathToFileURL(path.join(packageDir, 'dist/libredwg-web.js')).href);
const lib = await LibreDwg.create(path.join(packageDir, 'wasm'));
if (drawing) {
    lib.FS.writeFile('drawing.dwg', fs.readFileSync(drawing));
    const read = lib.dwg_read_file('drawing.dwg');
    const db = lib.convert(read.data);
    lib.dwg_free(read.data);
    if (!db.tables.BLOCK_RECORD.entries.length)
        process.exit(1);
}
