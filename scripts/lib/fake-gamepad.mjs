// A standard gamepad faked in a page, for the web tests and the benchmark.
// Run in the page before it loads (page.evaluateOnNewDocument): it plugs
// in one pad with nothing pressed; window.fakePad.pad is the pad, to press
// and move, and window.fakePad.plugged says whether navigator.getGamepads
// lists it.
export function fakeGamepad() {
    const pad = {
        mapping: 'standard',
        connected: true,
        axes: [0, 0, 0, 0],
        buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })),
    };
    window.fakePad = { pad, plugged: true };
    navigator.getGamepads = () => [window.fakePad.plugged ? pad : null];
}
