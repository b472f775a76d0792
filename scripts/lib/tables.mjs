// The game's own tables as the build writes them to DATA/tables.json
// (tools/tables): its resolutions and its sprite bitmaps, for the node
// scripts, the web tests and the web benchmark.
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

export function readTables(data) {
    const tables = JSON.parse(readFileSync(join(data, 'tables.json'), 'utf8'));
    // The {argument, width, height} row of a resolution the game has.
    const resolution = (argument) => {
        const row = tables.resolutions.find((r) => r.argument === String(argument));
        if (!row) throw new Error(`the game has no resolution ${argument}`);
        return row;
    };
    return { ...tables, resolution };
}
