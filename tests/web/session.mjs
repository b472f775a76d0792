// What the web test files share: the page's folder FLYER_WEB_PAGE served on
// 127.0.0.1 and a browser, both for a whole file; a scratch folder; and
// readers of what the page shows. FLYER_BUILD is the desktop build.
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before } from 'node:test';

import { serveFolders } from '../../scripts/lib/browser.mjs';

export const build = process.env.FLYER_BUILD;
export const folder = process.env.FLYER_WEB_PAGE;

// Before the file's tests, `server` serves `roots` (serveFolders, read at
// each request, so a test may add to them) and `launch` (launchBrowser or
// launchChromium) opens `browser`; after them both are closed and the
// scratch folder `work` is removed.
export function webSession(launch) {
    const session = { roots: { '/': folder }, work: mkdtempSync(join(tmpdir(), 'flyer-web-')) };
    before(async () => {
        session.server = await serveFolders(session.roots);
        session.browser = await launch();
    });
    after(async () => {
        await session.browser?.close();
        session.server?.close();
        rmSync(session.work, { recursive: true, force: true });
    });
    return session;
}

// Picks the level `file` by the page's file input.
export const pickLevel = (page, file) =>
    page.$('#level-file').then((input) => input.uploadFile(file));

export const state = (page) => page.evaluate(() => document.body.dataset.state);
export const message = (page) => page.$eval('#message', (m) => m.textContent);

// Waits for the page's frame `count`; fails with what the page says if
// it does not come.
export const waitFrames = (page, count) =>
    page
        .waitForFunction((n) => window.flyerStats.frames >= n, { timeout: 60000 }, count)
        .catch(async (error) => assert.fail(`${error.message}: ${await message(page)}`));

export const waitState = (page, wanted) =>
    page.waitForFunction((s) => document.body.dataset.state === s, { timeout: 60000 }, wanted);
