// Usage: node web/pwa/make-sw.mjs PAGE_FOLDER
// Writes PAGE_FOLDER/sw.js, the page's service worker, with Workbox: it
// precaches every file of the folder the page plays with, each under its
// content hash, and answers the page from that cache alone. A new build's
// worker fetches the files that changed and waits until no page of the old
// build is open, so a page always has flyer.js and flyer.wasm of one build.
// Run by the web build once the page's files are in place, and by the tests
// for the builds they make.
import { join } from 'node:path';
import { generateSW } from 'workbox-build';

const folder = process.argv[2];
const { count, size, warnings } = await generateSW({
    globDirectory: folder,
    globPatterns: ['**/*.{html,js,css,wasm,bmp,lvl,png,webmanifest}'],
    swDest: join(folder, 'sw.js'),
    // One file, the Workbox runtime inside, with nothing to fetch beside it.
    inlineWorkboxRuntime: true,
    sourcemap: false,
    mode: 'production',
    // The page's address carries its choices (?resolution=, ?level=): all
    // of them are the one page.
    ignoreURLParametersMatching: [/.*/],
    cleanupOutdatedCaches: true,
    // No skipWaiting or clientsClaim: an open page keeps the worker, and the
    // files, it started with.
    skipWaiting: false,
    clientsClaim: false,
});
for (const warning of warnings) console.warn(`make-sw: ${warning}`);
console.log(`make-sw: ${folder}/sw.js precaches ${count} files, ${size} bytes`);
