// The desktop game as the web tests' reference: build/flyer on a private
// Xvfb with the scripted clock of tests/support/ScriptedSdl.cpp, which
// makes a file "ready" before the swap of frame 3.
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync, symlinkSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';

import { startXvfb } from '../../scripts/lib/xvfb.mjs';
import { decodePicture } from './pictures.mjs';

// Runs the game on `level` at `width` with no keys; resolves to {picture,
// out}: the screen once two frames are shown (with no keys each shows what
// the first did), or null if the game ended first, and what it printed.
export async function runDesktop(build, level, width) {
    const height = width === 1280 ? 1024 : (width * 3) / 4;
    const work = mkdtempSync(join(tmpdir(), 'flyer-desktop-')),
        output = { out: '' };
    const { display, server } = await startXvfb(width, height);
    const env = { ...process.env, DISPLAY: display };
    for (const sprite of ['ship.bmp', 'bullet.bmp', 'ships.bmp'])
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
