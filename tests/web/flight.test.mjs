// The demo flight of scripts/lib/demo-flight.keys on the page against the
// same flight of the desktop game, frame by frame, stars and exhaust
// included, on a level with a wall to bounce off.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';

import { assertLikeDesktop, writeLevel } from './desktop.mjs';
import { launchBrowser, serveFolders } from '../../scripts/lib/browser.mjs';
import { demoKeyScript, openStepped } from '../../scripts/lib/stepped-flight.mjs';

const build = process.env.FLYER_BUILD;

// The ship turns right from frame 5 to 20 (frame 12) and thrusts from 20 to
// 60 (40, with exhaust) into a wall 8 units to its right, off which it
// bounces by frame 76; from 60 to 90 it fires (76 and 88: shots out).
test('the demo flight draws the desktop’s frames: first, turning, thrust, fire, bounce', async () => {
    const work = mkdtempSync(join(tmpdir(), 'flyer-flight-'));
    const wall = Array.from({ length: 30 }, (_, i) => [520, 498 + i, 1 + i]);
    const level = writeLevel(build, join(work, 'wall.lvl'), wall);
    const server = await serveFolders({
        '/': process.env.FLYER_WEB_PAGE,
        '/levels/wall.lvl': level,
    });
    const browser = await launchBrowser();
    try {
        const page = await openStepped(browser, `${server.origin}/?resolution=1024&level=wall`);
        await assertLikeDesktop(page, build, level, 1024, demoKeyScript(), [1, 12, 40, 76, 88]);
    } finally {
        await browser.close();
        server.close();
        rmSync(work, { recursive: true, force: true });
    }
});
