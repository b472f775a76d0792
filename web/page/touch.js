// The touch controls over the picture. Each finger holds the game's key of
// the button it is on: sliding onto another button moves the hold, sliding
// off or lifting lets go, and several fingers hold several keys. Any touch
// on the page shows the controls (while flying); a key or a gamepad hides
// them.
'use strict';

(() => {
    const controls = document.getElementById('touch');
    const pressing = new Set(); // ids of the pointers down on a button

    function follow(event) {
        const button = document
            .elementFromPoint(event.clientX, event.clientY)
            ?.closest('#touch button');
        flyerKeys.holds('finger ' + event.pointerId, button ? [button.dataset.key] : []);
    }
    function lift(event) {
        pressing.delete(event.pointerId);
        flyerKeys.holds('finger ' + event.pointerId, []);
    }

    controls.addEventListener('pointerdown', (event) => {
        event.preventDefault();
        pressing.add(event.pointerId);
        follow(event);
    });
    // On the document: a mouse is not captured by the button it pressed, and
    // a finger's button may hide (a key was pressed) while it is down.
    document.addEventListener(
        'pointermove',
        (event) => pressing.has(event.pointerId) && follow(event),
    );
    document.addEventListener('pointerup', lift);
    document.addEventListener('pointercancel', lift);
    document.addEventListener('pointerdown', (event) => {
        if (event.pointerType === 'touch') flyerKeys.use('touch');
    });
    document
        .getElementById('stage')
        .addEventListener('contextmenu', (event) => event.preventDefault());
    if (matchMedia('(any-pointer: coarse)').matches) flyerKeys.use('touch');
})();
