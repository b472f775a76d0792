// The number of the game's frames from an input to the frame whose pass has
// it in the game's key flags, for the benchmark.

// Runs in the flying page, touch controls shown: `presses` times for each of
// Space, a finger on Fire and the pad's A, pressed at a random moment
// between frames, the frames until the game holds fire. Resolves to {touch,
// key, pad}: the counts, sorted.
export async function fireLatency(presses) {
    const frame = () => new Promise((resolve) => requestAnimationFrame(resolve));
    const fire = document.querySelector('#touch [data-key="fire"]');
    const box = fire.getBoundingClientRect();
    const finger = (type) =>
        fire.dispatchEvent(
            new PointerEvent(type, {
                pointerId: 9,
                pointerType: 'touch',
                clientX: box.x + box.width / 2,
                clientY: box.y + box.height / 2,
                bubbles: true,
                cancelable: true,
            }),
        );
    const space = (type) =>
        document.dispatchEvent(new KeyboardEvent(type, { code: 'Space', key: ' ', bubbles: true }));
    // Touch first: a key or the pad hides the touch controls.
    const inputs = {
        touch: (down) => finger(down ? 'pointerdown' : 'pointerup'),
        key: (down) => space(down ? 'keydown' : 'keyup'),
        pad: (down) => (window.fakePad.pad.buttons[0].pressed = down),
    };
    const counts = {};
    for (const [name, press] of Object.entries(inputs)) {
        counts[name] = [];
        for (let time = 0; time < presses; ++time) {
            await new Promise((resolve) => setTimeout(resolve, Math.random() * 16));
            const from = window.flyerStats.frames;
            press(true);
            // eslint-disable-next-line no-undef -- the page's
            while (!(flyerKeys.held() & 16)) await frame();
            counts[name].push(window.flyerStats.frames - from);
            press(false);
            // eslint-disable-next-line no-undef -- the page's
            while (flyerKeys.held()) await frame();
        }
        counts[name].sort((a, b) => a - b);
    }
    return counts;
}
