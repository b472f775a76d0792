// The scripted demo flight on the web page, frame by frame as the desktop's
// scripted runs fly it (tests/support/ScriptedSdl.cpp): the page's clock
// stands still but for 20 ms before each frame, and the keys of
// demo-flight.keys are pressed before the frame that is to read them.
import { readFileSync } from 'node:fs';

export const stepMs = 20;
const keyNames = {
    27: 'Escape',
    273: 'ArrowUp',
    274: 'ArrowDown',
    275: 'ArrowRight',
    276: 'ArrowLeft',
    306: 'ControlLeft',
};

// The key script as FLYER_TEST_KEYS takes it.
export function demoKeyScript() {
    const text = readFileSync(new URL('demo-flight.keys', import.meta.url), 'utf8');
    return text.replace(/^#.*\n/gm, '').trim();
}

// Runs in the page before its own scripts: Date.now (SDL's clock) and
// performance.now stand still, and the animation frames (the game's frame
// loop) wait for stepFrame, which moves the clock on and runs them. With
// `look`, it returns the canvas's picture as a PNG data URL, taken before
// the browser shows the frame and clears it.
function steppedClock(step) {
    let now = Date.now();
    const waiting = [];
    Date.now = () => now;
    performance.now = () => now;
    window.requestAnimationFrame = (callback) => waiting.push(callback);
    window.stepFrame = (look) => {
        now += step;
        waiting.splice(0).forEach((callback) => callback(now));
        return look ? document.getElementById('canvas').toDataURL('image/png') : null;
    };
}

// A new page of `browser` at `url` on the stepped clock, made ready by
// `setUp` before it loads, its flight started by `start` (a click on the
// picture) and waiting for frame 1, or refused.
export async function openStepped(
    browser,
    url,
    start = (page) => page.click('#canvas'),
    setUp = () => {},
) {
    const page = await browser.newPage();
    await setUp(page);
    // A loaded machine can take long to load and start the game: waits are
    // bounded by the test's own time-out rather than puppeteer's 30 s.
    page.setDefaultTimeout(0);
    await page.evaluateOnNewDocument(steppedClock, stepMs);
    await page.goto(url);
    await start(page);
    await page.waitForFunction(() => !['idle', 'loading'].includes(document.body.dataset.state));
    return page;
}

// Flies frames 1 to `last` of the key script `keys`; resolves to the
// pictures, as PNG bytes, of the frames in `looks`.
export async function flyFrames(page, keys, last, looks = []) {
    const events = keys.split(';').filter(Boolean);
    const pictures = new Map();
    for (let frame = 1; frame <= last; ++frame) {
        while (events.length && Number(events[0].split(' ')[0]) <= frame) {
            const [, key, pressed] = events.shift().trim().split(/\s+/).map(Number);
            await page.keyboard[pressed ? 'down' : 'up'](keyNames[key]);
        }
        const url = await page.evaluate((look) => window.stepFrame(look), looks.includes(frame));
        if (url) pictures.set(frame, Buffer.from(url.split(',')[1], 'base64'));
    }
    return pictures;
}
