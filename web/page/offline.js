// Registers the page's service worker (sw.js, written by the build), which
// keeps the page, the game, the sprites and the shipped levels for playing
// offline. page.js calls it at the first frame of a flight, so that the
// worker's downloads never compete with the first flight's own.
'use strict';
/* exported flyerOffline */

const flyerOffline = (() => {
    let registered = false;
    return {
        register() {
            if (registered || !('serviceWorker' in navigator)) return;
            registered = true;
            navigator.serviceWorker
                .register('sw.js')
                .catch((error) => console.warn(`No offline play: ${error.message}`));
        },
    };
})();
