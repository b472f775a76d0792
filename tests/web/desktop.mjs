// The desktop game as the web tests' reference: build/flyer flown by
// scripts/lib/desktop-frames with the scripted clock and keys of
// tests/support/ScriptedSdl.cpp.
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

import { build } from './session.mjs';
import { flyFrames } from '../../scripts/lib/stepped-flight.mjs';
import { readTables } from '../../scripts/lib/tables.mjs';

const desktopFrames = fileURLToPath(new URL('../../scripts/lib/desktop-frames', import.meta.url));
const tables = readTables(join(build, 'data'));

// Flies the game on `level` at `width` by the key script `keys`; gives what
// it printed and the pictures (RGB bytes, 3 a pixel, rows from the top) of
// `frames` (counted from 1).
function flyDesktop(level, width, keys, frames) {
    const out = mkdtempSync(join(tmpdir(), 'flyer-desktop-'));
    try {
        const run = spawnSync(
            desktopFrames,
            [build, level, width, keys, out, ...frames].map(String),
        );
        if (frames.length && run.status !== 0) throw new Error(`${desktopFrames}: ${run.stderr}`);
        const pictures = frames.map((frame) => readFileSync(join(out, `frame-${frame}.png`)));
        return {
            printed: run.stdout.toString(),
            pictures: pictures.map((png) => rgbOf(png, width)),
        };
    } finally {
        rmSync(out, { recursive: true, force: true });
    }
}

// A PNG of the game at `width` as RGB bytes.
function rgbOf(png, width) {
    const rgb = execFileSync('convert', ['png:-', '-depth', '8', 'rgb:-'], {
        input: png,
        maxBuffer: 1 << 26,
    });
    if (rgb.length !== width * tables.resolution(width).height * 3)
        throw new Error(`not a picture at ${width}`);
    return rgb;
}

// The share of the pixels that differ by more than 10 % in some channel.
function differingShare(a, b) {
    let count = 0;
    for (let at = 0; at < a.length; at += 3)
        count += [0, 1, 2].some((c) => Math.abs(a[at + c] - b[at + c]) > 25.5);
    return count / (a.length / 3);
}

// What the game prints on `level` at `width`, Esc ending a flight at once.
export const runDesktop = (level, width) => flyDesktop(level, width, '2 27 1;', []).printed;

// Flies `page` (opened by openStepped) and the desktop game on `level` at
// `width` by the key script `keys`, and holds each of `frames` (ascending)
// of the page to the desktop's: at most 0.05 % of the pixels may differ by
// more than 10 %. Prints the share of each. The replay of the desktop's
// frame 1 comes out black, so frame 2 stands for it: when the first key
// comes at frame 3 or later, frame 2 makes the same GL calls as frame 1.
export async function assertLikeDesktop(page, level, width, keys, frames) {
    const traced = frames.map((frame) => frame + (frame === 1));
    const esc = `${traced.at(-1) + 2} 27 1;`;
    const desktop = flyDesktop(level, width, keys + esc, traced).pictures;
    const web = await flyFrames(page, keys, frames.at(-1), frames);
    for (const [i, frame] of frames.entries()) {
        const share = differingShare(desktop[i], rgbOf(web.get(frame), width));
        console.log(`${width}, frame ${frame}: ${(share * 100).toFixed(4)} % of the pixels differ`);
        assert.ok(share <= 0.0005, `frame ${frame} at ${width} unlike the desktop's`);
    }
}
