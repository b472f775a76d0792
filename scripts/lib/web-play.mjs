// Usage: node scripts/lib/web-play.mjs FOLDER RESOLUTION [SCREENSHOT]
// Serves the web page's FOLDER on 127.0.0.1 and prints its URL. Without a
// SCREENSHOT path it serves until stopped; with one it flies the short
// scripted demo of scripts/play in headless Chromium, keeps the canvas's
// picture in SCREENSHOT, ends the flight with Esc and fails unless the page
// then says the flight is over.
import { launchChromium, serveFolders } from './browser.mjs';

const [folder, resolution, screenshot] = process.argv.slice(2);
const server = await serveFolders({ '/': folder });
const url = `${server.origin}/index.html?resolution=${resolution}`;
console.log(`flyer is served at ${url}`);
if (!screenshot) await new Promise(() => {});

const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const browser = await launchChromium();
let status = 1;
try {
    const page = await browser.newPage();
    await page.goto(url);
    await page.click('#canvas');
    await page.waitForFunction(
        () => window.flyerStats.frames > 0 || document.body.dataset.state === 'refused',
    );
    console.log('No display: flying a short demo in headless Chromium');
    const hold = async (key, ms) => {
        await page.keyboard.down(key);
        await pause(ms);
        await page.keyboard.up(key);
    };
    await pause(500);
    await hold('ArrowRight', 300);
    await page.keyboard.down('ArrowUp');
    await pause(1200);
    await hold('ArrowLeft', 600);
    await page.keyboard.down('ControlLeft');
    await pause(1000);
    await hold('ArrowRight', 400);
    await pause(300);
    await (await page.$('#canvas')).screenshot({ path: screenshot });
    await page.keyboard.up('ArrowUp');
    await page.keyboard.up('ControlLeft');
    await page.keyboard.press('Escape');
    await page.waitForFunction(() => !['loading', 'flying'].includes(document.body.dataset.state));
    const [state, message, stats] = await page.evaluate(() => [
        document.body.dataset.state,
        document.getElementById('message').textContent,
        `${window.flyerStats.frames} frames, ${window.flyerStats.fps} fps`,
    ]);
    console.log(`${message} (${stats})`);
    status = state === 'ended' ? 0 : 1;
} finally {
    await browser.close();
    server.close();
}
console.log(`Screenshot: ${screenshot}`);
process.exit(status);
