// The desktop game as the web tests' reference: build/flyer on a private
// Xvfb with the scripted clock and keys of tests/support/ScriptedSdl.cpp.
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, symlinkSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

import { build } from './session.mjs';
import { flyFrames } from '../../scripts/lib/stepped-flight.mjs';
import { readTables } from '../../scripts/lib/tables.mjs';
import { startXvfb } from '../../scripts/lib/xvfb.mjs';

// Runs `use(work, env)` with a folder holding the sprites and a private
// Xvfb for `width` in `env`; both go afterwards.
async function withXvfb(width, use) {
    const work = mkdtempSync(join(tmpdir(), 'flyer-desktop-'));
    const { display, server } = await startXvfb(width, heightOf(width));
    const env = { ...process.env, DISPLAY: display };
    for (const sprite of readTables(join(build, 'data')).sprites)
        symlinkSync(join(build, 'data', sprite), join(work, sprite));
    try {
        return await use(work, env);
    } finally {
        server.kill();
        rmSync(work, { recursive: true, force: true });
    }
}

const heightOf = (width) => readTables(join(build, 'data')).resolution(width).height;

// A PNG of the game at `width` as RGB bytes (3 a pixel, rows from the top).
function rgbOf(png, width) {
    const rgb = execFileSync('convert', ['png:-', '-depth', '8', 'rgb:-'], {
        input: png,
        maxBuffer: 1 << 26,
    });
    if (rgb.length !== width * heightOf(width) * 3) throw new Error(`not a picture at ${width}`);
    return rgb;
}

// The share of the pixels that differ by more than 10 % in some channel.
function differingShare(a, b) {
    let count = 0;
    for (let at = 0; at < a.length; at += 3)
        count += [0, 1, 2].some((c) => Math.abs(a[at + c] - b[at + c]) > 25.5);
    return count / (a.length / 3);
}

const scripted = (env, more) => ({
    ...env,
    LD_PRELOAD: join(build, 'tests', 'libflyer-scripted-sdl.so'),
    FLYER_TEST_STEP_MS: '20',
    ...more,
});

// Runs the game on `level` at `width` with no keys until it ends (it
// refuses the level) or 20 s have passed; resolves to what it printed.
export function runDesktop(level, width) {
    return withXvfb(width, (work, env) => {
        const run = spawnSync(join(build, 'flyer'), [level, String(width)], {
            cwd: work,
            env: scripted(env),
            timeout: 20000,
        });
        return run.stdout.toString();
    });
}

// Flies the game on `level` at `width` by the key script `keys`, then Esc,
// recorded with apitrace; resolves to the pictures (RGB bytes) of the
// frames `frames` (counted from 1, ascending), replayed from the trace.
function traceDesktop(level, width, keys, frames) {
    keys += `${frames.at(-1) + 2} 27 1;`;
    return withXvfb(width, (work, env) => {
        const trace = join(work, 'flight.trace');
        execFileSync(
            'apitrace',
            ['trace', '--api', 'gl', '--output', trace, join(build, 'flyer'), level, String(width)],
            { cwd: work, env: scripted(env, { FLYER_TEST_KEYS: keys }), stdio: 'ignore' },
        );
        const swaps = execFileSync('apitrace', ['dump', '--grep=SwapBuffers', trace], { env })
            .toString()
            .match(/^\d+(?= )/gm);
        const calls = frames.map((frame) => swaps[frame - 1]);
        const options = ['--call-nos=yes', `--calls=${calls.join(',')}`];
        execFileSync('apitrace', ['dump-images', ...options, '--output', join(work, 'f'), trace], {
            env,
            stdio: 'ignore',
        });
        return readdirSync(work)
            .filter((name) => name.endsWith('.png'))
            .sort()
            .map((name) => rgbOf(readFileSync(join(work, name)), width));
    });
}

// Flies `page` (opened by openStepped) and the desktop game on `level` at
// `width` by the key script `keys`, and holds each of `frames` (ascending)
// of the page to the desktop's: at most 0.05 % of the pixels may differ by
// more than 10 %. Prints the share of each. The replay of the desktop's
// frame 1 comes out black, so frame 2 stands for it: when the first key
// comes at frame 3 or later, frame 2 makes the same GL calls as frame 1.
export async function assertLikeDesktop(page, level, width, keys, frames) {
    const traced = frames.map((frame) => frame + (frame === 1));
    const desktop = await traceDesktop(level, width, keys, traced);
    const web = await flyFrames(page, keys, frames.at(-1), frames);
    for (const [i, frame] of frames.entries()) {
        const share = differingShare(desktop[i], rgbOf(web.get(frame), width));
        console.log(`${width}, frame ${frame}: ${(share * 100).toFixed(4)} % of the pixels differ`);
        assert.ok(share <= 0.0005, `frame ${frame} at ${width} unlike the desktop's`);
    }
}
