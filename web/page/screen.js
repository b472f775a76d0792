// The picture's size on the page: the canvas keeps the game's resolution
// and is shown whole, scaled to what the window leaves it (never above its
// size) or to the whole screen in full screen, keeping its shape.
'use strict';

const flyerScreen = (() => {
    const stage = document.getElementById('stage');
    const button = document.getElementById('full-screen');
    const fullScreenElement = () =>
        document.fullscreenElement ?? document.webkitFullscreenElement ?? null;
    const enter = stage.requestFullscreen ?? stage.webkitRequestFullscreen;
    const leave = document.exitFullscreen ?? document.webkitExitFullscreen;

    function fit() {
        const canvas = document.getElementById('canvas');
        const full = fullScreenElement() === stage;
        // Emscripten's SDL sizes a canvas in a full screen element its own way.
        canvas.style.removeProperty('width');
        canvas.style.removeProperty('height');
        const parent = stage.parentElement.getBoundingClientRect(),
            padding = parseFloat(getComputedStyle(stage.parentElement).paddingLeft);
        const [width, height] = full
            ? [innerWidth, innerHeight]
            : [
                  parent.width - 2 * padding,
                  innerHeight - padding - (stage.getBoundingClientRect().top + scrollY),
              ];
        const scale = Math.min(width / canvas.width, height / canvas.height, full ? Infinity : 1);
        stage.style.setProperty('--width', `${Math.floor(canvas.width * scale)}px`);
        stage.style.setProperty('--height', `${Math.floor(canvas.height * scale)}px`);
    }

    button.hidden = !enter;
    button.addEventListener('click', () => {
        toggleFullScreen();
        document.getElementById('canvas').focus();
    });
    // Also as the desktop game's ending leaves its full screen.
    function leaveFullScreen() {
        if (fullScreenElement()) leave.call(document);
    }
    function toggleFullScreen() {
        if (fullScreenElement()) leaveFullScreen();
        else enter?.call(stage)?.catch?.(() => {});
    }
    addEventListener('resize', fit);
    for (const event of ['fullscreenchange', 'webkitfullscreenchange'])
        document.addEventListener(event, fit);
    return { fit, toggleFullScreen, leaveFullScreen, isFullScreen: () => !!fullScreenElement() };
})();
