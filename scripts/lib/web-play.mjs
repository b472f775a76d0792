// Usage: node scripts/lib/web-play.mjs FOLDER RESOLUTION [SCREENSHOT]
// Serves the web page's FOLDER on 127.0.0.1 and prints its URL. Without a
// SCREENSHOT path it serves until stopped; with one it flies the scripted
// demo flight of demo-flight.keys in headless Chromium, frame by frame on
// a stepped clock as scripts/play flies it on the desktop, keeps frame 85
// of the canvas in SCREENSHOT and fails unless the page then says that
// Esc, at frame 120, ended the flight.
import { writeFileSync } from 'node:fs';

import { launchChromium, serveFolders } from './browser.mjs';
import { demoKeyScript, flyFrames, openStepped } from './stepped-flight.mjs';

const [folder, resolution, screenshot] = process.argv.slice(2);
const server = await serveFolders({ '/': folder });
const url = `${server.origin}/index.html?resolution=${resolution}`;
console.log(`flyer is served at ${url}`);
if (!screenshot) await new Promise(() => {});

const browser = await launchChromium();
let status = 1;
try {
    const page = await openStepped(browser, url);
    console.log('No display: flying the scripted demo in headless Chromium');
    const pictures = await flyFrames(page, demoKeyScript(), 121, [85]);
    if (pictures.has(85)) writeFileSync(screenshot, pictures.get(85));
    const [state, message, frames] = await page.evaluate(() => [
        document.body.dataset.state,
        document.getElementById('message').textContent,
        window.flyerStats.frames,
    ]);
    console.log(`${message} (${frames} frames)`);
    status = state === 'ended' ? 0 : 1;
} finally {
    await browser.close();
    server.close();
}
console.log(`Screenshot: ${screenshot}`);
process.exit(status);
