// The page as an installed app: Chromium's installability check, a visit
// that leaves the page playable offline, and a new build served over an
// old one, which a returning player gets whole.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { appendFileSync, cpSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { folder, message, waitFrames, waitState, webSession } from './session.mjs';
import { launchChromium, serveFolders } from '../../scripts/lib/browser.mjs';

const makeSw = fileURLToPath(new URL('../../web/pwa/make-sw.mjs', import.meta.url));
const session = webSession(launchChromium);

test('Chromium finds the page installable', async () => {
    // Chromium installs no app from an incognito context.
    const page = await session.browser.newPage();
    await page.goto(`${session.server.origin}/`);
    const cdp = await page.createCDPSession();
    assert.deepEqual(await cdp.send('Page.getInstallabilityErrors'), { installabilityErrors: [] });
    await page.close();
});

// A copy of the page whose flyer.js and flyer.wasm carry `mark`, with its
// own service worker. The wasm's mark is a custom section, "flyer-build".
function markedBuild(mark) {
    const copy = join(session.work, mark);
    cpSync(folder, copy, { recursive: true });
    appendFileSync(join(copy, 'flyer.js'), `\nwindow.flyerBuild = '${mark}';\n`);
    const name = Buffer.from('flyer-build');
    appendFileSync(
        join(copy, 'flyer.wasm'),
        Buffer.from([0, name.length + 2, name.length, ...name, mark.charCodeAt(0)]),
    );
    execFileSync(process.execPath, [makeSw, copy]);
    return copy;
}

// Notes the mark of each wasm module the page compiles.
function noteWasmMarks() {
    window.wasmBuilds = [];
    const note = (module) => {
        for (const section of WebAssembly.Module.customSections(module, 'flyer-build'))
            window.wasmBuilds.push(new TextDecoder().decode(section));
        return module;
    };
    const { compile, compileStreaming } = WebAssembly;
    WebAssembly.compile = (...args) => compile(...args).then(note);
    WebAssembly.compileStreaming = (...args) => compileStreaming(...args).then(note);
}

const builds = (page) => page.evaluate(() => [window.flyerBuild, ...window.wasmBuilds]);

// Build A is visited, flown offline, then build B is put up: the next
// visit plays one of them whole, the one after it B, online and offline.
test('after one visit the page flies offline; a new build comes whole at the second visit', async () => {
    const roots = { '/': markedBuild('A') };
    const site = await serveFolders(roots); // serves what `roots` holds at each request
    const context = await session.browser.createBrowserContext();
    const visit = async () => {
        const page = await context.newPage();
        await page.evaluateOnNewDocument(noteWasmMarks);
        await page.goto(`${site.origin}/?resolution=640`);
        await page.click('#canvas');
        await waitFrames(page, 2);
        return page;
    };
    // The marks of `page` reloaded offline.
    const offline = async (page) => {
        await page.setOfflineMode(true);
        await page.reload();
        await page.click('#canvas');
        await waitFrames(page, 2);
        const marks = await builds(page);
        await page.setOfflineMode(false);
        return marks;
    };
    try {
        let page = await visit();
        await page.evaluate(() => navigator.serviceWorker.ready.then(() => {}));
        assert.deepEqual(await offline(page), ['A', 'A'], 'offline after one visit');
        await page.close();
        roots['/'] = markedBuild('B');
        page = await visit();
        // The new worker is fetched as the page opens; when it is ready
        // before the page has a worker, it serves the page: either build,
        // whole. While the old one serves a page, the new one waits.
        const next = await builds(page);
        assert.ok(
            ['A,A', 'B,B'].includes(String(next)),
            `the first visit after it, whole: ${next}`,
        );
        if (next[0] === 'A') {
            await page.waitForFunction(
                async () =>
                    (await navigator.serviceWorker.getRegistration()).waiting?.state ===
                    'installed',
                { timeout: 60000 },
            );
            const wasm = await page.evaluate(() =>
                fetch('flyer.wasm').then(async (answer) =>
                    new Uint8Array(await answer.arrayBuffer()).at(-1),
                ),
            );
            assert.equal(String.fromCharCode(wasm), 'A', 'the open page still gets its own build');
        }
        await page.close();
        page = await visit();
        assert.deepEqual(await builds(page), ['B', 'B'], 'the second visit: the new build');
        assert.deepEqual(await offline(page), ['B', 'B'], 'the new build offline');
        // A level from another site needs the network.
        const level = 'http://127.0.0.1:9/far.lvl';
        await page.setOfflineMode(true);
        await page.goto(`${site.origin}/?level=${encodeURIComponent(level)}`);
        await page.click('#canvas');
        await waitState(page, 'refused');
        const said = await message(page);
        assert.ok(said.startsWith(`The level ${level} cannot be used: there is no network.`), said);
    } finally {
        await context.close();
        site.close();
    }
});
