// Writes LibreDWG's own DXF of each DWG drawing named, for tests that set a
// DWG import beside the DXF import of the same drawing.
//   node dwg_to_dxf.mjs PACKAGE_DIR OUT_DIR DRAWING.dwg...
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const [packageDir, outDir, ...drawings] = process.argv.slice(2);
for (const method of ['log', 'warn', 'error'])
    console[method] = () => {};
const { LibreDwg } = await import(pathToFileURL(path.join(packageDir, 'dist/libredwg-web.js')).href);
const lib = await LibreDwg.create(path.join(packageDir, 'wasm'));
for (const drawing of drawings) {
    const dxf = lib.dwg_write_dxf(fs.readFileSync(drawing));
    if (!dxf)
        process.exit(1);
    fs.writeFileSync(path.join(outDir, path.basename(drawing, '.dwg') + '.dxf'), dxf);
}
