// The page as a link reaches it: Chromium's installability check, a visit
// that leaves the page playable offline and a new build served over an old
// one, which a returning player gets whole; ?level= with the address of a
// .lvl on another site, one that allows other pages to read it (CORS) and
// one that does not, both on 127.0.0.1 beside the page's own server; and the
// size limit of a level, for an answer and for a picked file.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { appendFileSync, cpSync, readFileSync, writeFileSync } from 'node:fs';
import { once } from 'node:events';
import { createServer } from 'node:http';
import { join } from 'node:path';
import { after, test } from 'node:test';
import { fileURLToPath } from 'node:url';

import { folder, message, pickLevel, waitFrames, waitState, webSession } from './session.mjs';
import { launchChromium, serveFolders } from '../../scripts/lib/browser.mjs';

const makeSw = fileURLToPath(new URL('../../web/pwa/make-sw.mjs', import.meta.url));
const demo = readFileSync(join(folder, 'levels', 'demo.lvl'));
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
        }
        await page.close();
        page = await visit();
        assert.deepEqual(await builds(page), ['B', 'B'], 'the second visit: the new build');
        assert.deepEqual(await offline(page), ['B', 'B'], 'the new build offline');
    } finally {
        await context.close();
        site.close();
    }
});

const asked = [];

// Another site: /canyon.lvl is a level, /note.lvl is text, /huge.lvl
// announces 6 MB and sends nothing, /endless.lvl never ends; anything else
// is 404. With `cors`, it lets any page read its answers.
async function site(cors) {
    const answers = {
        '/canyon.lvl': (response) => response.end(demo),
        '/note.lvl': (response) => response.end('not a level\n'),
        '/huge.lvl': (response) =>
            response.writeHead(200, { 'Content-Length': 6000000 }).flushHeaders(),
        '/endless.lvl': (response) => {
            const send = () =>
                response.write(Buffer.alloc(65536), () => !response.destroyed && send());
            send();
        },
    };
    const httpServer = createServer((request, response) => {
        asked.push(request.url);
        if (cors) response.setHeader('Access-Control-Allow-Origin', '*');
        (answers[request.url] ?? ((r) => r.writeHead(404).end()))(response);
    });
    await once(httpServer.listen(0, '127.0.0.1'), 'listening');
    httpServer.origin = `http://127.0.0.1:${httpServer.address().port}`;
    return httpServer;
}

const [open, closed] = await Promise.all([site(true), site(false)]);
after(() => {
    for (const s of [open, closed]) s.closeAllConnections();
    for (const s of [open, closed]) s.close();
});

// The page with ?level=`address`, started by a click.
async function openLink(address) {
    const page = await session.browser.newPage();
    const query = `resolution=640&level=${encodeURIComponent(address)}`;
    await page.goto(`${session.server.origin}/?${query}`);
    await page.click('#canvas');
    return page;
}

test('a level from a site that allows it flies, and Copy link gives its link', async () => {
    const page = await openLink(`${open.origin}/canyon.lvl`);
    await waitFrames(page, 2);
    assert.ok(asked.includes('/canyon.lvl'));
    await page.evaluate(
        () => (navigator.clipboard.writeText = async (text) => (window.copied = text)),
    );
    await page.click('#copy-link');
    assert.equal(await page.evaluate(() => window.copied), page.url());
    await page.close();
});

test('a link or a file that cannot be used says why; another level can be picked', async () => {
    const cases = [
        [`${open.origin}/gone.lvl`, 'the site answered 404 Not Found.'],
        [`${closed.origin}/canyon.lvl`, 'the site does not let other sites read it'],
        [`${open.origin}/huge.lvl`, 'it is larger than 5 MB, more than any level can be.'],
        [`${open.origin}/endless.lvl`, 'it is larger than 5 MB, more than any level can be.'],
        ['http://127.0.0.1:9/far.lvl', 'the site could not be reached.'],
    ];
    for (const [address, reason] of cases) {
        const page = await openLink(address);
        await waitState(page, 'refused');
        const said = await message(page);
        assert.ok(said.startsWith(`The level ${address} cannot be used: ${reason}`), said);
        await page.close();
    }
    const page = await openLink(`${open.origin}/note.lvl`);
    await waitState(page, 'refused');
    assert.match(await message(page), /^SDL_LoadBMP\(\): .*\ng_Map\.Load\(\): note\.lvl\n/);
    const big = join(session.work, 'big.lvl');
    writeFileSync(big, Buffer.concat([demo, Buffer.alloc(5000001 - demo.length)]));
    await pickLevel(page, big);
    await waitState(page, 'refused');
    assert.equal(
        await message(page),
        'big.lvl cannot be used: it is larger than 5 MB, more than any level can be.\n\nPick another level.',
    );
    await pickLevel(page, join(folder, 'levels', 'demo.lvl'));
    await waitFrames(page, 2);
    assert.ok(await page.$eval('#copy-link', (button) => button.hidden), 'no link to copy');
    await page.close();
});
