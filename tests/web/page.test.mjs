// The web page in headless Chromium against the desktop game, both on the
// scripted clock: FLYER_BUILD is the desktop build (the reference pictures
// and messages), FLYER_WEB_PAGE the page's folder (build-web/web).
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { assertLikeDesktop, runDesktop, writeLevel } from './desktop.mjs';
import { launchBrowser, serveFolders } from '../../scripts/lib/browser.mjs';
import { flyFrames, openStepped } from '../../scripts/lib/stepped-flight.mjs';

const build = process.env.FLYER_BUILD,
    demo = join(build, 'data', 'demo.lvl');
const work = mkdtempSync(join(tmpdir(), 'flyer-web-'));
let server, browser;

before(async () => {
    server = await serveFolders({ '/': process.env.FLYER_WEB_PAGE });
    browser = await launchBrowser();
});
after(async () => {
    await browser?.close();
    server?.close();
    rmSync(work, { recursive: true, force: true });
});

const open = (query, start) => openStepped(browser, `${server.origin}/?${query}`, start);
const said = (page) =>
    page.$eval(
        'body',
        (body) => `${body.dataset.state}: ${body.querySelector('#message').textContent}`,
    );

test('first frame matches the desktop game at 640 and 1280', async () => {
    for (const resolution of [640, 1280]) {
        const page = await open(`resolution=${resolution}`);
        await assertLikeDesktop(page, build, demo, resolution, '', [1]);
        await page.close();
    }
});

// At heading 0 (up the screen) the down arrow thrusts backwards, so the map
// moves up, as on the desktop; the arrows do not scroll the page.
test('the down arrow thrusts backwards; the page does not scroll', async () => {
    const page = await open('resolution=640');
    await page.evaluate(() => (document.body.style.minHeight = '300vh')); // room to scroll
    await page.evaluate(() => window.scrollTo(0, 0));
    await assertLikeDesktop(page, build, demo, 640, '3 274 1;', [30]);
    assert.equal(await page.evaluate(() => window.scrollY), 0, 'arrows do not scroll');
    await page.close();
});

// The desktop draws the frame that reads Esc, then ends.
test('Esc ends the flight after its frame and the page says so', async () => {
    const page = await open('resolution=640');
    await flyFrames(page, '3 27 1;', 6);
    assert.equal(await page.evaluate(() => window.flyerStats.frames), 3, 'frames drawn');
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
    const good = writeLevel(build, join(work, 'good.lvl'), wall.flat());
    const pick = (page, file) => page.$('#level-file').then((input) => input.uploadFile(file));
    const page = await open('resolution=640', (page) => pick(page, bad));
    const expected = (await runDesktop(build, bad, 640)).trim().split(bad).join('bad.lvl');
    assert.equal((await said(page)).split('\n\n')[0], `refused: ${expected}`);
    const afterResize = await page.$eval('#resolution', (select) => {
        select.value = '800';
        select.dispatchEvent(new Event('change'));
        return document.body.dataset.state;
    });
    assert.equal(afterResize, 'refused', 'a refused level is not tried at another resolution');
    await pick(page, good); // the pick starts the flight, on a canvas of its own
    await page.waitForFunction(() => document.body.dataset.state === 'flying');
    await assertLikeDesktop(page, build, good, 800, '', [1]);
    await page.close();
});
