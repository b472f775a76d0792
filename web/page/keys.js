// The one way into the game for every control of the page. A key of the
// game is held by holders (a key of the keyboard, a finger, the gamepads);
// the game gets the key's press when the first holder takes it and its
// release when the last one lets go, as SDL key events (the game's
// flyer_key), so the game's own rules decide what the keys do.
'use strict';

const flyerKeys = (() => {
    // The game's keys, in the order of web/PageKeys.cpp's kGameKeys, which
    // maps them to SDL's keys.
    const names = ['up', 'down', 'left', 'right', 'fire', 'end'];
    const holders = Object.fromEntries(names.map((key) => [key, new Set()]));
    let game = null;
    return {
        // The flight's game module that gets the keys, or null; a new
        // flight starts with no key held.
        attach(module) {
            game = module;
            Object.values(holders).forEach((set) => set.clear());
        },
        flying: () => game !== null,
        // `holder` now holds exactly `keys` (of `names`).
        holds(holder, keys) {
            for (const [key, set] of Object.entries(holders)) {
                if (keys.includes(key) === set.has(holder)) continue;
                const pressed = !set.has(holder);
                if (pressed) set.add(holder);
                else set.delete(holder);
                if (set.size === (pressed ? 1 : 0))
                    game?._flyer_key(names.indexOf(key), pressed ? 1 : 0);
            }
        },
        // Lets go of every key of the holders whose names start with `prefix`.
        releaseAll(prefix) {
            const names = Object.values(holders).flatMap((set) => [...set]);
            names.filter((name) => name.startsWith(prefix)).forEach((name) => this.holds(name, []));
        },
        // Notes the kind of control in use ('keys', 'touch' or 'pad'): the
        // touch controls show only while touch is.
        use(kind) {
            if (document.body.dataset.input !== kind) document.body.dataset.input = kind;
        },
        // The keys the game's input holds down now, for scripts: up 1,
        // down 2, left 4, right 8, fire 16 (flyer_keys_held).
        held: () => game?._flyer_keys_held() ?? 0,
        // Starts a flight when none is under way; the page sets it.
        start: () => {},
    };
})();
