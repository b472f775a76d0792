// Levels by link: ?level= with the address of a .lvl on another site, one
// that allows other pages to read it (CORS) and one that does not, both on
// 127.0.0.1 beside the page's own server; and the size limit of a level,
// for an answer and for a picked file. FLYER_WEB_PAGE is the page's folder.
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { launchChromium, serveFolders } from '../../scripts/lib/browser.mjs';

const folder = process.env.FLYER_WEB_PAGE;
const demo = readFileSync(join(folder, 'levels', 'demo.lvl'));
const work = mkdtempSync(join(tmpdir(), 'flyer-level-link-'));
const asked = [];
let server, open, closed, browser;

// Another site: /canyon.lvl is a level, /note.lvl is text, /huge.lvl
// announces 6 MB and sends nothing, /endless.lvl never ends; anything else
// is 404. With `cors`, it lets any page read its answers.
function site(cors) {
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
    return new Promise((resolve) =>
        httpServer.listen(0, '127.0.0.1', () => {
            httpServer.origin = `http://127.0.0.1:${httpServer.address().port}`;
            resolve(httpServer);
        }),
    );
}

before(async () => {
    [server, open, closed] = await Promise.all([
        serveFolders({ '/': folder }),
        site(true),
        site(false),
    ]);
    browser = await launchChromium();
});
after(async () => {
    await browser?.close();
    for (const s of [server, open, closed]) s?.closeAllConnections();
    for (const s of [server, open, closed]) s?.close();
    rmSync(work, { recursive: true, force: true });
});

const message = (page) => page.$eval('#message', (m) => m.textContent);
const state = (page, wanted) =>
    page.waitForFunction((s) => document.body.dataset.state === s, { timeout: 60000 }, wanted);

// The page with ?level=`address`, started by a click.
async function openLink(address) {
    const page = await browser.newPage();
    await page.goto(`${server.origin}/?resolution=640&level=${encodeURIComponent(address)}`);
    await page.click('#canvas');
    return page;
}

test('a level from a site that allows it flies, and Copy link gives its link', async () => {
    const page = await openLink(`${open.origin}/canyon.lvl`);
    await page.waitForFunction(() => window.flyerStats.frames >= 2, { timeout: 60000 });
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
        await state(page, 'refused');
        const said = await message(page);
        assert.ok(said.startsWith(`The level ${address} cannot be used: ${reason}`), said);
        await page.close();
    }
    const page = await openLink(`${open.origin}/note.lvl`);
    await state(page, 'refused');
    assert.match(await message(page), /^SDL_LoadBMP\(\): .*\ng_Map\.Load\(\): note\.lvl\n/);
    const big = join(work, 'big.lvl');
    writeFileSync(big, Buffer.concat([demo, Buffer.alloc(5000001 - demo.length)]));
    const input = await page.$('#level-file');
    await input.uploadFile(big);
    await state(page, 'refused');
    assert.equal(
        await message(page),
        'big.lvl cannot be used: it is larger than 5 MB, more than any level can be.\n\nPick another level.',
    );
    await page
        .$('#level-file')
        .then((input) => input.uploadFile(join(folder, 'levels', 'demo.lvl')));
    await page.waitForFunction(() => window.flyerStats.frames >= 2, { timeout: 60000 });
    assert.equal(
        await page.$eval('#copy-link', (button) => button.hidden),
        true,
        'no link to copy',
    );
    await page.close();
});
