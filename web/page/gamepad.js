// Gamepads in the standard mapping, read at every animation frame (before
// the game's own pass of that frame, having asked for it first): the d-pad
// and the left stick turn and thrust, A and the right trigger fire, Back
// ends the flight, and the first button pressed with no flight under way
// starts one. A pad plugged in or out counts from the next frame.
'use strict';

(() => {
    const deadZone = 0.5;
    const pressed = (pad, index) => pad.buttons[index]?.pressed || pad.buttons[index]?.value > 0.5;
    let wasPressed = false;

    function keysOf(pad) {
        const [x = 0, y = 0] = pad.axes;
        const keys = {
            up: pressed(pad, 12) || y < -deadZone,
            down: pressed(pad, 13) || y > deadZone,
            left: pressed(pad, 14) || x < -deadZone,
            right: pressed(pad, 15) || x > deadZone,
            fire: pressed(pad, 0) || pressed(pad, 7),
            end: pressed(pad, 8),
        };
        return Object.keys(keys).filter((key) => keys[key]);
    }

    function poll() {
        requestAnimationFrame(poll);
        const pads = [...(navigator.getGamepads?.() ?? [])].filter(Boolean);
        const keys = pads.flatMap(keysOf);
        const anyPressed = pads.some((pad) => pad.buttons.some((button) => button.pressed));
        if (keys.length || anyPressed) flyerKeys.use('pad');
        if (anyPressed && !wasPressed) flyerKeys.start();
        wasPressed = anyPressed;
        flyerKeys.holds('pad', keys);
    }
    requestAnimationFrame(poll);
})();
