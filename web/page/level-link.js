// Where a level comes from: `?level=NAME` is levels/NAME.lvl in the page's
// folder, `?level=https://…/NAME.lvl` a level on another site that lets
// other pages read it (CORS), and a file the player picks or drops. Each
// source resolves to {name, bytes, address} (bytes null when the page's
// folder has no such level, address set for a level from an address) or to
// {refusal}, the reason in words that name the level's address. A level
// larger than any the game can load is refused before it is read. The
// "Copy link" control copies the page's address, which holds the level's.
'use strict';
/* exported flyerLevels */

const flyerLevels = (() => {
    // The 304 × 160 tileset bitmap is under 200 kB at any depth SDL reads,
    // and a record for each of the 1024 × 1024 cells makes 4 MiB.
    const limit = 5_000_000;
    const tooLarge = 'it is larger than 5 MB, more than any level can be';
    const plainName = /^[\w-]+$/;

    // The level's file name in the game's messages: the address's or the
    // file's last part, with no path in it.
    const fileName = (name) =>
        name.split('/').pop().replace(/\\/g, '_').replace(/^\.*$/, 'level.lvl');

    class Refusal extends Error {}

    // The answer's bytes, up to `limit`: past it, the download stops.
    async function readAtMost(response, stop) {
        if (Number(response.headers.get('Content-Length')) > limit) {
            stop();
            throw new Refusal(tooLarge);
        }
        const reader = response.body.getReader();
        const bytes = new Uint8Array(limit);
        let length = 0;
        for (let read = await reader.read(); !read.done; read = await reader.read()) {
            if (length + read.value.length > limit) {
                stop();
                throw new Refusal(tooLarge);
            }
            bytes.set(read.value, length);
            length += read.value.length;
        }
        return bytes.slice(0, length);
    }

    // Why a fetch of `url` that did not answer failed: a site that answers
    // a plain (no-cors) request refuses other pages the level; one that
    // does not could not be reached.
    async function whyUnanswered(url) {
        if (!navigator.onLine) return 'there is no network';
        const probe = new AbortController(); // the answer's headers are enough
        const reached = await fetch(url, {
            mode: 'no-cors',
            cache: 'no-store',
            signal: probe.signal,
        }).then(
            () => true,
            () => false,
        );
        probe.abort();
        return reached
            ? 'the site does not let other sites read it (its answer has no ' +
                  'Access-Control-Allow-Origin header for this page)'
            : 'the site could not be reached';
    }

    async function fetchLevel(url, address) {
        const controller = new AbortController();
        const response = await fetch(url, { signal: controller.signal }).catch(() => null);
        if (!response) throw new Refusal(await whyUnanswered(url));
        if (!response.ok) {
            controller.abort();
            if (!address) return null; // the game says it has no such file
            throw new Refusal(`the site answered ${response.status} ${response.statusText}`.trim());
        }
        return readAtMost(response, () => controller.abort());
    }

    async function load(url, name, address) {
        try {
            return { name, bytes: await fetchLevel(url, address), address };
        } catch (error) {
            if (!(error instanceof Refusal)) throw error;
            return { refusal: `The level ${address ?? url} cannot be used: ${error.message}.` };
        }
    }

    function fromQuery(value) {
        if (value === null || plainName.test(value)) {
            const name = (value ?? 'demo') + '.lvl';
            return load('levels/' + name, name);
        }
        let url = null;
        try {
            url = new URL(value);
        } catch {
            // neither a name nor an address
        }
        if (url?.protocol !== 'http:' && url?.protocol !== 'https:')
            return Promise.resolve({
                refusal: `?level=${value} is neither a level's name nor an http(s) address.`,
            });
        return load(url.href, fileName(url.pathname), url.href);
    }

    async function fromFile(file) {
        if (file.size > limit) return { refusal: `${file.name} cannot be used: ${tooLarge}.` };
        return { name: fileName(file.name), bytes: new Uint8Array(await file.arrayBuffer()) };
    }

    const copyLink = document.getElementById('copy-link');
    copyLink.addEventListener('click', () =>
        navigator.clipboard.writeText(location.href).then(
            () => (copyLink.textContent = 'Link copied'),
            () => (copyLink.textContent = 'Copy failed'),
        ),
    );

    return { fromQuery, fromFile };
})();
