// The desktop game as the web tests' reference: build/flyer on a private
// Xvfb with the scripted clock of tests/support/ScriptedSdl.cpp, which
// makes a file "ready" before the swap of frame 3.
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync, symlinkSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';

import { decodePicture } from './pictures.mjs';
import { readTables } from '../../scripts/lib/tables.mjs';

// Runs the game on `level` at `width` with no keys; resolves to {picture,
// out}: the screen once two frames are shown (with no keys each shows what
// the first did), or null if the game ended first, and what it printed.
export async function runDesktop(build, level, width) {
    const tables = readTables(join(build, 'data'));
    const { height } = tables.resolution(width);
    const work = mkdtempSync(join(tmpdir(), 'flyer-desktop-')),
        output = { out: '' };
    // -noreset: a server that resets refuses the connections that come meanwhile.
    const server = spawn(
        'Xvfb',
        ['-displayfd', '1', '-screen', '0', `${width}x${height}x24`, '-noreset'],
        { stdio: ['ignore', 'pipe', 'ignore'] },
    );
    const display = await new Promise((resolve) => server.stdout.once('data', resolve));
    const env = { ...process.env, DISPLAY: `:${display.toString().trim()}` };
    for (const sprite of tables.sprites)
        symlinkSync(join(build, 'data', sprite), join(work, sprite));
    const game = spawn(join(build, 'flyer'), [level, String(width)], {
        cwd: work,
        env: {
            ...env,
            LD_PRELOAD: join(build, 'tests', 'libflyer-scripted-sdl.so'),
            FLYER_TEST_STEP_MS: '20',
            FLYER_TEST_READY: '3',
        },
    });
    game.stdout.on('data', (chunk) => (output.out += chunk));
    const ended = new Promise((resolve) => game.on('close', () => resolve((output.ended = true))));
    try {
        while (!output.ended && !existsSync(join(work, 'ready'))) await sleep(50);
        const xwd = output.ended
            ? null
            : execFileSync('xwd', ['-root', '-silent'], { env, maxBuffer: 1 << 26 });
        return { picture: xwd && decodePicture('xwd', xwd, width, height), out: output.out };
    } finally {
        game.kill('SIGKILL');
        await ended;
        server.kill();
        rmSync(work, { recursive: true, force: true });
    }
}
