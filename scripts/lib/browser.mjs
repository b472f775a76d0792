// The web page's folder served on 127.0.0.1, and Debian's chromium
// (headless) or firefox-esr driven through puppeteer-core: for scripts/play
// --web, bench/web-bench and the web tests.
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

import { startXvfb } from './xvfb.mjs';

const types = {
    '.html': 'text/html',
    '.js': 'text/javascript',
    '.css': 'text/css',
    '.wasm': 'application/wasm',
};

// Serves `roots`, URL path prefixes mapped to folders ({'/': dir}) or to
// files ({'/levels/full.lvl': file}), the longest first. Resolves to the
// server; its `origin` is http://127.0.0.1:<port>.
export async function serveFolders(roots) {
    const server = createServer((request, response) => {
        const path = decodeURIComponent(new URL(request.url, 'http://host').pathname);
        const prefix =
            Object.keys(roots)
                .filter((p) => path.startsWith(p))
                .sort()
                .pop() ?? '';
        const file =
            prefix === path && !path.endsWith('/')
                ? roots[path]
                : join(
                      roots[prefix] ?? '/dev/null',
                      normalize(`/${path.slice(prefix.length)}`),
                      path.endsWith('/') ? 'index.html' : '',
                  );
        const type = types[extname(file)] ?? 'application/octet-stream';
        readFile(file).then(
            (body) => response.writeHead(200, { 'Content-Type': type }).end(body),
            () => response.writeHead(404).end(),
        );
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    server.origin = `http://127.0.0.1:${server.address().port}`;
    return server;
}

// The browser FLYER_BROWSER names: chromium (the default) or firefox.
export function launchBrowser() {
    return process.env.FLYER_BROWSER === 'firefox' ? launchFirefox() : launchChromium();
}

// Debian's Firefox ESR over WebDriver BiDi, in a window on a private Xvfb:
// headless, it has no WebGL. Closing the browser, or node exiting, stops
// the server.
export async function launchFirefox() {
    const { display, server } = await startXvfb(1600, 1400);
    const browser = await puppeteer
        .launch({
            browser: 'firefox',
            executablePath: '/usr/bin/firefox-esr',
            headless: false,
            defaultViewport: { width: 1600, height: 1400 },
            env: { ...process.env, DISPLAY: display },
        })
        .catch((error) => {
            server.kill();
            throw error;
        });
    browser.on('disconnected', () => server.kill());
    process.once('exit', () => server.kill()); // a script that dies leaves no Xvfb
    return browser;
}

export function launchChromium() {
    return puppeteer.launch({
        executablePath: '/usr/bin/chromium',
        defaultViewport: { width: 1600, height: 1400 },
        args: [
            '--headless=new',
            '--no-sandbox',
            '--use-angle=swiftshader',
            '--enable-unsafe-swiftshader',
        ],
    });
}
