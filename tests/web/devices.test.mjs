// The page on other devices than a PC keyboard: a phone's screen, touch, a
// gamepad, Space, small windows and full screen. FLYER_BROWSER=firefox runs
// it in Firefox ESR (ctest's web.firefox.devices); see docs/testing.md for
// what puppeteer cannot do there. The game's key flags come from
// flyerKeys.held(): up 1, down 2, left 4, right 8, fire 16.
/* global flyerKeys -- the page's, in page.evaluate */
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { KnownDevices } from 'puppeteer-core';

import { state, waitFrames, waitState, webSession } from './session.mjs';
import { launchBrowser } from '../../scripts/lib/browser.mjs';
import { fakeGamepad } from '../../scripts/lib/fake-gamepad.mjs';
import { flyFrames, openStepped } from '../../scripts/lib/stepped-flight.mjs';

const [UP, DOWN, LEFT, RIGHT, FIRE] = [1, 2, 4, 8, 16];
const session = webSession(launchBrowser);

// Waits for `count` more frames.
const moreFrames = async (page, count) =>
    waitFrames(page, (await page.evaluate(() => window.flyerStats.frames)) + count);
// Waits until the game's input holds exactly `keys`.
const waitHeld = (page, keys) =>
    page.waitForFunction((k) => flyerKeys.held() === k, { timeout: 20000 }, keys);
// The touch button labelled `label`, which puppeteer touches in its centre.
const touchButton = (page, label) => page.$(`#touch [aria-label="${label}"]`);

// A page at `query` in a window of `viewport`, with a gamepad plugged in
// (scripts/lib/fake-gamepad.mjs), started by a tap, a click or nothing.
async function open(query, viewport = { width: 1600, height: 1400 }, start = 'click') {
    const page = await session.browser.newPage();
    await page.setViewport(viewport);
    await page.evaluateOnNewDocument(fakeGamepad);
    await page.goto(`${session.server.origin}/?${query}`);
    if (start === 'tap') await page.tap('#canvas');
    if (start === 'click') await page.click('#canvas');
    if (start) await waitFrames(page, 2);
    return page;
}

// Changes the fake pad by the statements `change` about `pad` and `plug`.
const setPad = (page, change) =>
    page.evaluate(`((pad, plug) => { ${change} })(fakePad.pad, fakePad)`);

// The canvas is shown whole inside `window` ([width, height], the viewport
// by default: a phone's browser widens its layout to fit a wider page),
// with the game's shape, and the page is no wider.
async function assertFits(page, width, height, window) {
    window ??= [page.viewport().width, page.viewport().height];
    // A new size reaches the page as a resize event before the next frame.
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
    const [box, pageWidth] = await page.$eval('#canvas', (canvas) => [
        canvas.getBoundingClientRect().toJSON(),
        document.documentElement.scrollWidth,
    ]);
    assert.ok(pageWidth <= window[0], `a page ${pageWidth} wide in ${window}`);
    assert.deepEqual(
        [box.x >= 0, box.y >= 0, box.right <= window[0] + 0.5, box.bottom <= window[1] + 0.5],
        [true, true, true, true],
        `${JSON.stringify(box)} in ${window}`,
    );
    assert.ok(Math.abs(box.width / box.height - width / height) < 0.01, 'shape kept');
    assert.ok(box.width > window[0] / 3, `a picture ${box.width} wide is not lost`);
}

test('a phone sideways and upright, and an 800x600 window at 1280, show the whole picture', async () => {
    const phone = KnownDevices['iPhone 13 landscape'].viewport;
    const page = await open('resolution=800', phone, null);
    await assertFits(page, 800, 600);
    await page.setViewport({ ...phone, width: phone.height, height: phone.width });
    await assertFits(page, 800, 600);
    await page.close();
    const small = await open('resolution=1280', { width: 800, height: 600 });
    await assertFits(small, 1280, 1024);
    await small.close();
});

// Esc in full screen is the browser's, to leave it: Firefox does, headless
// Chromium keeps full screen on a synthetic Esc.
test('full screen by its button and by F; leaving it keeps the flight going; Back on a gamepad ends it and leaves full screen', async () => {
    const page = await open('resolution=640', { width: 800, height: 600 });
    const full = () => page.evaluate(() => document.fullscreenElement?.id ?? null);
    await page.click('#full-screen');
    await page.waitForFunction(() => document.fullscreenElement !== null);
    assert.equal(await full(), 'stage');
    await assertFits(page, 640, 480, await page.evaluate(() => [innerWidth, innerHeight]));
    await page.keyboard.press('Escape');
    if (await full()) await page.keyboard.press('f');
    await page.waitForFunction(() => document.fullscreenElement === null);
    await moreFrames(page, 3);
    assert.equal(await state(page), 'flying');
    await page.keyboard.press('f');
    await page.waitForFunction(() => document.fullscreenElement !== null);
    await setPad(page, 'pad.buttons[8].pressed = true'); // Back
    await page.waitForFunction(() => document.fullscreenElement === null);
    assert.equal(await state(page), 'ended');
    await page.close();
});

// Frame 30 at 640, on the stepped clock, of a flight started by a tap on a
// touch screen (with `touch`) or by a click, holding what `hold` holds.
async function frameHolding(touch, hold) {
    const url = `${session.server.origin}/?resolution=640`;
    const start = (page) => (touch ? page.tap('#canvas') : page.click('#canvas'));
    const viewport = { width: 1600, height: 1400, hasTouch: touch };
    const page = await openStepped(session.browser, url, start, (p) => p.setViewport(viewport));
    await hold(page);
    const picture = (await flyFrames(page, '', 30, [30])).get(30);
    const held = await page.evaluate(() => flyerKeys.held());
    await page.close();
    return { picture, held };
}

test('two fingers on Thrust and Fire fly as Up and Ctrl do; fingers slide, add up and let go; Space fires as Ctrl does, also with a finger on Fire, and does not scroll', async () => {
    const byKeys = await frameHolding(false, async (page) => {
        await page.keyboard.down('ArrowUp');
        await page.keyboard.down('Control');
    });
    const byTouch = await frameHolding(true, async (page) => {
        await (await touchButton(page, 'Thrust')).touchStart();
        await (await touchButton(page, 'Fire')).touchStart();
    });
    assert.equal(byKeys.held, UP | FIRE, 'Up and Ctrl held');
    assert.deepEqual(byTouch, byKeys, 'Thrust and Fire give the picture of Up and Ctrl');

    const page = await open('resolution=640', { width: 1600, height: 1400, hasTouch: true }, 'tap');
    await page.evaluate(() => (document.body.style.minHeight = '300vh')); // room to scroll
    const pad = () => page.$eval('#touch', (touch) => getComputedStyle(touch).display);
    assert.equal(await pad(), 'block');
    const left = await (await touchButton(page, 'Turn left')).touchStart();
    const thrust = await (await touchButton(page, 'Thrust')).touchStart();
    const fire = await (await touchButton(page, 'Fire')).touchStart();
    await waitHeld(page, LEFT | UP | FIRE);
    await (await touchButton(page, 'Turn right')).touchMove(left);
    await waitHeld(page, RIGHT | UP | FIRE);
    await (await touchButton(page, 'Reverse')).touchMove(thrust);
    await waitHeld(page, RIGHT | DOWN | FIRE);
    await fire.move(0, 0); // off the buttons, to the page's top left corner
    await waitHeld(page, RIGHT | DOWN);
    await Promise.all([left.end(), thrust.end(), fire.end()]);
    await waitHeld(page, 0);
    // Fire stays held until the last of a finger and Space lets go.
    const finger = await (await touchButton(page, 'Fire')).touchStart();
    await waitHeld(page, FIRE);
    await page.keyboard.down(' ');
    assert.equal(await pad(), 'none', 'a key hides the buttons');
    await finger.end();
    await moreFrames(page, 2);
    assert.equal(await page.evaluate(() => flyerKeys.held()), FIRE, 'Space still holds fire');
    await page.keyboard.up(' ');
    await waitHeld(page, 0);
    assert.equal(await page.evaluate(() => window.scrollY), 0, 'Space does not scroll');
    await page.tap('#canvas'); // a touch shows them again
    await moreFrames(page, 2); // drawn before the finger comes, as a player sees them
    await (await touchButton(page, 'End flight')).tap();
    await waitState(page, 'ended');
    await page.close();
});

test('a gamepad starts, turns, thrusts and fires, plugged in or out', async () => {
    const page = await open('resolution=640', undefined, null);
    await setPad(page, 'pad.buttons[0].pressed = true');
    await waitFrames(page, 2);
    await waitHeld(page, FIRE);
    await setPad(page, 'pad.buttons[0].pressed = false; pad.buttons[14].pressed = true');
    await waitHeld(page, LEFT);
    await setPad(page, 'pad.buttons[14].pressed = false; pad.axes[1] = -0.9; pad.axes[0] = 0.3');
    await waitHeld(page, UP);
    await setPad(page, 'pad.axes = [0.9, 0.6, 0, 0]; pad.buttons[7].value = 1');
    await waitHeld(page, RIGHT | DOWN | FIRE);
    await setPad(page, 'plug.plugged = false');
    await waitHeld(page, 0);
    await setPad(page, 'pad.axes = [0, 0, 0, 0]; pad.buttons[7].value = 0; plug.plugged = true');
    await setPad(page, 'pad.buttons[13].pressed = true');
    await waitHeld(page, DOWN);
    assert.equal(await page.evaluate(() => document.body.dataset.input), 'pad');
    await page.close();
});
