// The web page in headless Chromium (Firefox ESR with FLYER_BROWSER=firefox)
// against the desktop game: run by ctest as web.* and web.firefox.* (node
// --test-name-pattern picks one case). FLYER_BUILD is the
// desktop build (the reference pictures and messages), FLYER_WEB_PAGE the
// page's folder (build-web/web).
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { runDesktop } from './desktop.mjs';
import { launchBrowser, serveFolders } from '../../scripts/lib/browser.mjs';
import {
    bluePixels,
    canvasPicture,
    changedPixels,
    differingBlocks,
    verticalShift,
} from './pictures.mjs';

const build = process.env.FLYER_BUILD,
    folder = process.env.FLYER_WEB_PAGE;
const work = mkdtempSync(join(tmpdir(), 'flyer-web-'));
let server, browser;

before(async () => {
    server = await serveFolders({ '/': folder });
    browser = await launchBrowser();
});
after(async () => {
    await browser?.close();
    server?.close();
    rmSync(work, { recursive: true, force: true });
});

const frames = (page) => page.evaluate(() => window.flyerStats?.frames ?? 0);
const said = (page) =>
    page.$eval(
        'body',
        (body) => `${body.dataset.state}: ${body.querySelector('#message').textContent}`,
    );
// Waits for frame `count` of the flight; a timeout tells what the page says.
const waitFrames = (page, count) =>
    page
        .waitForFunction((n) => window.flyerStats?.frames >= n, { timeout: 60000 }, count)
        .catch(async (error) => assert.fail(`${error.message}; the page: ${await said(page)}`));

// The page at `query`, started by a click, with at least two frames shown.
async function openGame(query) {
    const page = await browser.newPage();
    await page.goto(`${server.origin}/?${query}`);
    await page.click('#canvas');
    await waitFrames(page, 2);
    return page;
}

// Holds `key` until the game has drawn two more frames with it down.
async function hold(page, key) {
    const from = await frames(page);
    await page.keyboard.down(key);
    await waitFrames(page, from + 2);
    await page.keyboard.up(key);
    await waitFrames(page, from + 3);
}

// A level: the desktop build's tileset with cell records (x, row from the
// top, tile) around the start at (512, 512).
function writeLevel(name, cells) {
    const records = Buffer.alloc(cells.length * 4);
    cells.forEach(([x, y, tile], i) =>
        records.writeUInt32LE((x | ((1023 - y) << 12) | (tile << 24)) >>> 0, i * 4),
    );
    const path = join(work, name);
    writeFileSync(path, Buffer.concat([readFileSync(join(build, 'data', 'tileset.bmp')), records]));
    return path;
}

async function assertLikeDesktop(page, level, resolution) {
    const desktop = await runDesktop(build, level, resolution);
    const web = await canvasPicture(page),
        night = { ...web, rgb: Buffer.alloc(web.rgb.length) };
    assert.deepEqual([web.width, web.height], [desktop.picture.width, desktop.picture.height]);
    assert.ok(differingBlocks(desktop.picture, night).length > 20, 'tiles and ship on the desktop');
    assert.deepEqual(differingBlocks(desktop.picture, web), [], "blocks unlike the desktop's");
}

test('first frame matches the desktop game at 640 and 1280', async () => {
    for (const resolution of [640, 1280]) {
        const page = await openGame(`resolution=${resolution}`);
        await assertLikeDesktop(page, join(build, 'data', 'demo.lvl'), resolution);
        await page.close();
    }
});

// Pictures of the canvas until one is `seen` or 20 have been taken: how far
// the game has got by then depends on the time keys were held, not on frames.
async function lookUntil(page, seen) {
    let picture = await canvasPicture(page);
    for (let look = 1; look < 20 && !seen(picture); ++look) picture = await canvasPicture(page);
    return picture;
}

// As the desktop game does: the right arrow turns the ship on the spot, left
// Ctrl fires blue shots, and at heading 0 (up the screen) the down arrow
// thrusts backwards, so the map moves up.
test('arrows and left Ctrl turn, fire and thrust; the page does not scroll', async () => {
    const page = await openGame('resolution=640');
    const start = await canvasPicture(page);
    await page.keyboard.down('ArrowRight');
    const turned = await lookUntil(page, (picture) => changedPixels(start, picture) > 50);
    await page.keyboard.up('ArrowRight');
    assert.ok(changedPixels(start, turned) > 50, 'the ship turned');
    assert.deepEqual(
        differingBlocks(start, turned).filter(
            ([c, r]) => Math.abs(c - 19.5) > 2 || Math.abs(r - 14.5) > 2,
        ),
        [],
        'only the ship changes while it turns on the spot',
    );
    await page.keyboard.down('ControlLeft');
    const shots = (picture) => bluePixels(picture) > bluePixels(turned) + 10;
    assert.ok(shots(await lookUntil(page, shots)), 'shots');
    await page.close();

    const backwards = await openGame('resolution=640');
    await backwards.evaluate(() => (document.body.style.minHeight = '300vh')); // room to scroll
    const before = await canvasPicture(backwards);
    await backwards.evaluate(() => window.scrollTo(0, 0));
    await hold(backwards, 'ArrowDown');
    assert.equal(await backwards.evaluate(() => window.scrollY), 0, 'arrows do not scroll');
    const moved = (picture) => verticalShift(before, picture);
    const after = await lookUntil(backwards, (picture) => Math.abs(moved(picture)) >= 8);
    assert.ok(moved(after) <= -8, `the map moved ${moved(after)} pixels down`);
    await backwards.close();
});

test('Esc ends the flight and the page says so', async () => {
    const page = await openGame('resolution=640');
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => document.body.dataset.state === 'ended');
    const last = await frames(page);
    await page.evaluate(
        () => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))),
    );
    assert.equal(await frames(page), last, 'no frame after the end');
    assert.match(await said(page), /^ended: .*ended/i);
    assert.equal(await page.$eval('#fly-again', (button) => button.hidden), false, 'fly again');
    await page.close();
});

test("a level picked on the page is flown; a refused one shows the game's message", async () => {
    const bad = join(work, 'bad.lvl');
    writeFileSync(bad, 'not a bitmap\n');
    const wall = Array.from({ length: 25 }, (_, i) => [
        [500 + i, 520, 1 + i],
        [500 + i, 503, 190 - i],
    ]);
    const good = writeLevel('good.lvl', wall.flat());
    const page = await browser.newPage();
    await page.goto(`${server.origin}/?resolution=640`);
    const input = await page.$('#level-file');
    await input.uploadFile(bad);
    await page.waitForFunction(() => document.body.dataset.state === 'refused');
    const expected = (await runDesktop(build, bad, 640)).out.trim().split(bad).join('bad.lvl');
    assert.equal((await said(page)).split('\n\n')[0], `refused: ${expected}`);
    await input.uploadFile(good); // the pick starts the flight, on a canvas of its own
    await waitFrames(page, 2);
    await assertLikeDesktop(page, good, 640);
    await page.close();
});
