// What the web page downloads before its first frame, on a first visit
// (nothing cached) and on a repeat visit (the service worker the first one
// installed answers), in a fresh browser context. Counted at the server:
// each request that reaches it before the page's first frame, its answer
// gzipped as a host that compresses would send it. For bench/web/bench.mjs.
import { gzipSync } from 'node:zlib';

// Notes the wall-clock time, comparable with the server's, at the end of
// the animation frame that drew the game's first frame.
function noteFirstFrame() {
    const request = window.requestAnimationFrame.bind(window);
    window.requestAnimationFrame = (callback) =>
        request((stamp) => {
            try {
                callback(stamp);
            } finally {
                if (window.flyerStats?.frames >= 1) window.firstFrameAt ??= Date.now();
            }
        });
}

// Resolves to [{visit, requests, bytes}] for the first and a repeat visit
// of `path` on `server` (scripts/lib/browser.mjs's serveFolders).
export async function measureDownloads(browser, server, path) {
    const requests = [];
    const count = (request, response) => {
        const entry = { at: Date.now(), bytes: 0 };
        requests.push(entry);
        const end = response.end.bind(response);
        response.end = (body, ...rest) => {
            if (body) entry.bytes = gzipSync(body).length;
            return end(body, ...rest);
        };
    };
    server.on('request', count);
    const context = await browser.createBrowserContext();
    const visits = [];
    try {
        for (const visit of ['first', 'repeat']) {
            const page = await context.newPage();
            await page.evaluateOnNewDocument(noteFirstFrame);
            requests.length = 0;
            await page.goto(`${server.origin}${path}`);
            await page.click('#canvas');
            await page.waitForFunction(() => window.firstFrameAt, { timeout: 60000 });
            const firstFrame = await page.evaluate(() => window.firstFrameAt);
            // The worker installs after the first frame; the next visit needs it.
            await page.evaluate(() => navigator.serviceWorker.ready.then(() => {}));
            const before = requests.filter((request) => request.at <= firstFrame);
            const bytes = before.reduce((sum, request) => sum + request.bytes, 0);
            visits.push({ visit, requests: before.length, bytes });
            await page.close();
        }
    } finally {
        server.off('request', count);
        await context.close();
    }
    return visits;
}
