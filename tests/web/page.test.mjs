// The web page against the desktop game, both on the scripted clock, frame
// by frame: the demo flight, Esc, levels picked and refused.
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';

import { assertLikeDesktop, runDesktop } from './desktop.mjs';
import { build, message, pickLevel, state, webSession } from './session.mjs';
import { launchBrowser } from '../../scripts/lib/browser.mjs';
import { demoKeyScript, flyFrames, openStepped } from '../../scripts/lib/stepped-flight.mjs';

const session = webSession(launchBrowser);
const open = (query, start) =>
    openStepped(session.browser, `${session.server.origin}/?${query}`, start);

// A level at `path`: the desktop build's tileset with cell records (x, row
// from the top, tile) around the start at (512, 512).
function writeLevel(path, cells) {
    const records = Buffer.alloc(cells.length * 4);
    cells.forEach(([x, y, tile], i) =>
        records.writeUInt32LE((x | ((1023 - y) << 12) | (tile << 24)) >>> 0, i * 4),
    );
    writeFileSync(path, Buffer.concat([readFileSync(join(build, 'data', 'tileset.bmp')), records]));
    return path;
}

// The ship turns right from frame 5 to 20 (frame 12) and thrusts from 20 to
// 60 (40, with exhaust) into a wall 8 units to its right, off which it
// bounces by frame 76; from 60 to 90 it fires (76 and 88: shots out). The
// desktop draws the frame that reads Esc, then ends.
test('the demo flight draws the desktop’s frames: first, turning, thrust, fire, bounce; Esc ends it after its frame', async () => {
    const wall = Array.from({ length: 30 }, (_, i) => [520, 498 + i, 1 + i]);
    const level = writeLevel(join(session.work, 'wall.lvl'), wall);
    session.roots['/levels/wall.lvl'] = level;
    const page = await open('resolution=1280&level=wall');
    await assertLikeDesktop(page, level, 1280, demoKeyScript(), [1, 12, 40, 76, 88]);
    await flyFrames(page, '1 27 1;', 3); // Esc read by frame 89
    assert.equal(await page.evaluate(() => window.flyerStats.frames), 89, 'frames drawn');
    assert.equal(await state(page), 'ended');
    assert.match(await message(page), /^.*ended/i);
    assert.equal(await page.$eval('#fly-again', (button) => button.hidden), false, 'fly again');
    await page.close();
});

// In Firefox ESR over WebDriver BiDi, a second file set on the input now
// and then starts no flight: this case runs in Chromium only.
const inFirefox = process.env.FLYER_BROWSER === 'firefox';
const picks = { skip: inFirefox && 'a second file set by BiDi sometimes starts no flight' };
test(
    "a level picked on the page is flown; a refused one shows the game's message",
    picks,
    async () => {
        const bad = join(session.work, 'bad.lvl');
        writeFileSync(bad, 'not a bitmap\n');
        const wall = Array.from({ length: 25 }, (_, i) => [
            [500 + i, 520, 1 + i],
            [500 + i, 503, 190 - i],
        ]);
        const good = writeLevel(join(session.work, 'good.lvl'), wall.flat());
        const page = await open('resolution=640', (page) => pickLevel(page, bad));
        const expected = (await runDesktop(bad, 640)).trim().split(bad).join('bad.lvl');
        assert.equal(await state(page), 'refused');
        assert.equal((await message(page)).split('\n\n')[0], expected);
        const afterResize = await page.$eval('#resolution', (select) => {
            select.value = '800';
            select.dispatchEvent(new Event('change'));
            return document.body.dataset.state;
        });
        assert.equal(afterResize, 'refused', 'a refused level is not tried at another resolution');
        await pickLevel(page, good); // the pick starts the flight, on a canvas of its own
        await page.waitForFunction(() => document.body.dataset.state === 'flying');
        await assertLikeDesktop(page, good, 800, '', [1]);
        await page.close();
    },
);
