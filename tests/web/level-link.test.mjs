// Levels by link: ?level= with the address of a .lvl on another site, one
// that allows other pages to read it (CORS) and one that does not, both on
// 127.0.0.1 beside the page's own server; and the size limit of a level,
// for an answer and for a picked file.
import assert from 'node:assert/strict';
import { readFileSync, writeFileSync } from 'node:fs';
import { once } from 'node:events';
import { createServer } from 'node:http';
import { join } from 'node:path';
import { after, test } from 'node:test';

import { folder, message, pickLevel, waitFrames, waitState, webSession } from './session.mjs';
import { launchChromium } from '../../scripts/lib/browser.mjs';

const demo = readFileSync(join(folder, 'levels', 'demo.lvl'));
const session = webSession(launchChromium);
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
