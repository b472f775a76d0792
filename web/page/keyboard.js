// The keyboard while a flight runs: the game's keys, and Space, which fires
// as left Ctrl does (on a Mac, Ctrl and an arrow switch desktops). The page
// keeps these keys from scrolling it or pressing its buttons. F shows the
// picture full screen, or leaves full screen.
'use strict';

(() => {
    const keys = {
        ArrowUp: 'up',
        ArrowDown: 'down',
        ArrowLeft: 'left',
        ArrowRight: 'right',
        ControlLeft: 'fire',
        Space: 'fire',
        Escape: 'end',
    };
    // The resolution and the level picker keep their keys.
    const ownKeys = (event) => event.target.closest?.('select, input');

    document.addEventListener('keydown', (event) => {
        if (ownKeys(event)) return;
        if (event.code === 'KeyF' && !event.ctrlKey && !event.altKey && !event.metaKey)
            flyerScreen.toggleFullScreen();
        if (!flyerKeys.flying() || !(event.code in keys)) return;
        // In full screen Esc is the browser's: it leaves full screen.
        if (event.code === 'Escape' && flyerScreen.isFullScreen()) return;
        event.preventDefault();
        flyerKeys.use('keys');
        if (!event.repeat) flyerKeys.holds('key ' + event.code, [keys[event.code]]);
    });
    document.addEventListener('keyup', (event) => {
        if (!(event.code in keys)) return;
        if (flyerKeys.flying()) event.preventDefault();
        flyerKeys.holds('key ' + event.code, []);
    });
    // Keys let go of while the page has no focus send it nothing.
    window.addEventListener('blur', () => flyerKeys.releaseAll('key '));
})();
