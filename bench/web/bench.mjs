// Run by bench/web-bench [seconds] [runs], which builds first.
// Measures, in one headless Chromium, the web build (build-web/) against its
// floor page (build-web/bench/floor.html): for the game on the demo level
// and on a full level (every cell a tile, made with build/'s flyer-level) and
// for the floor, at the game's smallest, example and largest resolutions
// (640, 1024 and 1280), the main-thread time of each frame
// (the page's requestAnimationFrame callbacks of one frame, timed around
// them; median and 90th percentile) and the frame rate (window.flyerStats
// .frames over `seconds`), after a second of warming up; and the time from
// navigation to the first frame drawn, with the click that starts the game
// made as soon as the page has loaded. At the example resolution (1024)
// the demo level runs once more with the touch controls shown and a gamepad
// polled, and then counts the frames from a press of Space, of a finger on
// Fire and of the pad's A to the game's key flags (bench/web/input.mjs).
// Each case runs `runs` times in turn and reports its median run. Prints
// Markdown tables, the last the bytes the page downloads before its first
// frame on a first and a repeat visit (downloads.mjs). FLYER_WEB_BUILD names
// another web build folder than build-web/ (a copy, for example).
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { setTimeout as sleep } from 'node:timers/promises';
import { fileURLToPath } from 'node:url';

import { launchChromium, serveFolders } from '../../scripts/lib/browser.mjs';
import { measureDownloads } from './downloads.mjs';
import { readTables } from '../../scripts/lib/tables.mjs';
import { fakeGamepad } from '../../scripts/lib/fake-gamepad.mjs';
import { fireLatency } from './input.mjs';

const root = fileURLToPath(new URL('../..', import.meta.url));
const seconds = Number(process.argv[2] ?? 5),
    runs = Number(process.argv[3] ?? 3);
const webBuild = process.env.FLYER_WEB_BUILD ?? join(root, 'build-web');
const work = mkdtempSync(join(tmpdir(), 'flyer-web-bench-'));
const tables = readTables(join(root, 'build', 'data'));
const byWidth = [...tables.resolutions].sort((a, b) => a.width - b.width);
const resolutions = [
    ...new Set([byWidth[0].argument, tables.exampleResolution, byWidth.at(-1).argument]),
];
const row = Array.from({ length: 1024 }, (_, x) => x);
writeFileSync(
    join(work, 'full.csv'),
    row.map((y) => row.map((x) => 1 + ((x + y) % 190)).join(',')).join('\n') + '\n',
);
execFileSync(join(root, 'build/tools/level/flyer-level'), [
    'build',
    '--tileset',
    join(root, 'build/data/tileset.bmp'),
    '--map',
    join(work, 'full.csv'),
    '-o',
    join(work, 'full.lvl'),
]);
const server = await serveFolders({
    '/': join(webBuild, 'web'),
    '/levels/full.lvl': join(work, 'full.lvl'),
    '/floor/': join(webBuild, 'bench'),
});

// Times every requestAnimationFrame callback; the ones of one frame share its
// timestamp, and their durations add up to the frame's main-thread time.
function timeAnimationFrames() {
    const frames = new Map(),
        request = window.requestAnimationFrame.bind(window);
    window.animationFrameTimes = frames;
    window.requestAnimationFrame = (callback) =>
        request((stamp) => {
            const start = performance.now();
            try {
                callback(stamp);
            } finally {
                frames.set(stamp, (frames.get(stamp) ?? 0) + performance.now() - start);
                if (window.flyerStats?.frames >= 1) window.firstFrameAt ??= performance.now();
            }
        });
}

const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
const percentile = (values, p) => values.sort((a, b) => a - b)[Math.floor(values.length * p)];

// `devices`: with a touch screen (the touch controls show) and a gamepad.
async function measure(browser, path, devices = false) {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(timeAnimationFrames);
    if (devices) {
        await page.setViewport({ width: 1600, height: 1400, hasTouch: true });
        await page.evaluateOnNewDocument(fakeGamepad);
    }
    await page.goto(`${server.origin}${path}`);
    if (!path.startsWith('/floor/')) await page.click('#canvas');
    await page.waitForFunction(() => window.flyerStats?.frames >= 1, { timeout: 60000 });
    await sleep(1000);
    const [frames0, time0] = await page.evaluate(() => [
        window.flyerStats.frames,
        performance.now(),
    ]);
    await page.evaluate(() => window.animationFrameTimes.clear());
    await sleep(seconds * 1000);
    const result = await page.evaluate(
        (from, since) => ({
            times: [...window.animationFrameTimes.values()],
            fps: ((window.flyerStats.frames - from) * 1000) / (performance.now() - since),
            startup: window.firstFrameAt,
        }),
        frames0,
        time0,
    );
    if (devices) result.latency = await page.evaluate(fireLatency, 20);
    await page.close();
    return result;
}

const devices = 'game, demo level, touch and pad';
let latencies = [];
const browser = await launchChromium();
const format = (value, digits = 1) => value.toFixed(digits);
console.log(`load average before: ${readFileSync('/proc/loadavg', 'utf8').trim()}`);
console.log('| page | resolution | median ms | p90 ms | fps | fps / floor | first frame ms |');
console.log('|---|---|---|---|---|---|---|');
try {
    for (const resolution of resolutions) {
        const cases = {
            floor: `/floor/floor.html?resolution=${resolution}`,
            'game, demo level': `/?resolution=${resolution}`,
            'game, full level': `/?resolution=${resolution}&level=full`,
        };
        if (resolution === tables.exampleResolution) cases[devices] = `/?resolution=${resolution}`;
        const results = {};
        for (let run = 0; run < runs; ++run)
            for (const [name, path] of Object.entries(cases))
                (results[name] ??= []).push(await measure(browser, path, name === devices));
        if (results[devices]) latencies = results[devices].map((r) => r.latency);
        const floorFps = median(results.floor.map((r) => r.fps));
        for (const [name, list] of Object.entries(results)) {
            const pick = list.sort((a, b) => median(a.times) - median(b.times))[
                Math.floor(runs / 2)
            ];
            const fps = median(list.map((r) => r.fps));
            console.log(
                `| ${name} | ${resolution} | ${format(median(pick.times), 2)} | ` +
                    `${format(percentile(pick.times, 0.9), 2)} | ${format(fps)} | ` +
                    `${format(fps / floorFps, 2)} | ${format(
                        median(list.map((r) => r.startup ?? NaN)),
                        0,
                    )} |`,
            );
        }
    }
    console.log(
        `\n| ${devices}, ${tables.exampleResolution}: input | frames to the game's key flags (median, max) |`,
    );
    console.log('|---|---|');
    for (const input of ['key', 'touch', 'pad']) {
        const counts = latencies.flatMap((latency) => latency[input]);
        console.log(`| ${input} | ${median(counts)}, ${Math.max(...counts)} |`);
    }
    console.log('\n| visit | requests before the first frame | gzipped KB |\n|---|---|---|');
    for (const { visit, requests, bytes } of await measureDownloads(browser, server, '/'))
        console.log(`| ${visit} | ${requests} | ${format(bytes / 1000)} |`);
} finally {
    await browser.close();
    server.close();
    rmSync(work, { recursive: true, force: true });
}
console.log(`load average after: ${readFileSync('/proc/loadavg', 'utf8').trim()}`);
