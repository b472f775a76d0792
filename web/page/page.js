// The page around the game: one game module per flight (the game ends its
// process on Esc or on a level it refuses, so each start gets a fresh one),
// the level from the folder or from the player, the resolution, and the
// status line. createFlyer comes from flyer.js, the game built by
// Emscripten.
'use strict';

(() => {
    // The game's own resolutions and sprites: flyerTables comes from
    // tables.js, which the build writes from the game's tables.
    const sizes = new Map(flyerTables.resolutions.map((r) => [r.argument, [r.width, r.height]]));
    const { sprites } = flyerTables;
    const params = new URLSearchParams(location.search);
    let resolution = sizes.has(params.get('resolution'))
        ? params.get('resolution')
        : flyerTables.exampleResolution;

    const element = (id) => document.getElementById(id);
    let level = null; // flyerLevels' {name, bytes, address} or {refusal}
    let flight = null;
    let flights = 0; // numbers the flights: only the latest one speaks to the page
    let stats = { frames: 0, fps: 0 };
    window.flyerStats = stats;

    async function fetchBytes(url) {
        const response = await fetch(url);
        return response.ok ? new Uint8Array(await response.arrayBuffer()) : null;
    }
    // Everything a flight needs is fetched and compiled while the player
    // reads the page, and the browser's GPU side is woken by a first WebGL
    // context: making the first one takes the browser a while.
    const spriteBytes = Promise.all(sprites.map((name) => fetchBytes('sprites/' + name)));
    const linked = flyerLevels.fromQuery(params.get('level'));
    // A host that serves .wasm under another type gets the slower way.
    const compiled = WebAssembly.compileStreaming(fetch('flyer.wasm')).catch(() =>
        fetch('flyer.wasm')
            .then((response) => response.arrayBuffer())
            .then((bytes) => WebAssembly.compile(bytes)),
    );
    const warmUp = document.createElement('canvas').getContext('webgl');
    warmUp?.getExtension('WEBGL_lose_context')?.loseContext();

    function setState(state) {
        document.body.dataset.state = state;
    }

    function showStatus() {
        const [width, height] = sizes.get(resolution);
        element('status').textContent = `${width} × ${height} · ${stats.fps} fps`;
    }

    function sizeCanvas() {
        [element('canvas').width, element('canvas').height] = sizes.get(resolution);
        flyerScreen.fit();
        showStatus();
    }

    // A canvas keeps the first WebGL context made on it: each flight draws
    // on a new one.
    function freshCanvas() {
        const canvas = element('canvas').cloneNode(false);
        element('canvas').replaceWith(canvas);
        return canvas;
    }

    // SDL listens on the window and the document too, and those listeners
    // would keep a finished flight alive, memory and all: the ones added
    // while `run` runs are noted, and the function returned takes them away.
    function noteListeners(run) {
        const added = [];
        for (const target of [window, document]) {
            target.addEventListener = (...args) => {
                added.push(() => target.removeEventListener(...args));
                EventTarget.prototype.addEventListener.apply(target, args);
            };
        }
        try {
            run();
        } catch (error) {
            added.forEach((remove) => remove());
            throw error;
        } finally {
            delete window.addEventListener;
            delete document.addEventListener;
        }
        return () => added.forEach((remove) => remove());
    }

    function ended(status, lines) {
        flight?.release();
        flight = null;
        flyerKeys.attach(null);
        flyerScreen.leaveFullScreen();
        const message = element('message');
        if (status === 0) {
            setState('ended');
            message.textContent = 'Flight over: Esc ended it.';
            element('fly-again').hidden = false;
        } else if (status > 0 && stats.frames === 0) {
            setState('refused');
            message.textContent =
                lines.join('\n') + '\n\nThe game refused to start. Pick another level.';
        } else {
            setState('failed');
            message.textContent = lines.join('\n') || `The game stopped with status ${status}.`;
            element('fly-again').hidden = false;
        }
    }

    async function fly() {
        if (flight) {
            flight.game.pauseMainLoop();
            flight.release();
        }
        flight = null;
        element('fly-again').hidden = true;
        if (!warmUp) {
            setState('failed');
            element('message').textContent =
                'This browser gives the page no WebGL, which the game draws with.';
            return;
        }
        setState('loading');
        element('message').textContent = '';
        const canvas = freshCanvas();
        level ??= await linked;
        element('copy-link').hidden = !level.address;
        if (level.refusal) {
            setState('refused');
            element('message').textContent = level.refusal + '\n\nPick another level.';
            return;
        }
        const lines = [];
        const own = { frames: 0, fps: 0 };
        stats = window.flyerStats = own;
        showStatus();
        let since = performance.now();
        let counted = 0;
        const countFrame = () => {
            own.frames += 1;
            if (own.frames === 1) flyerOffline.register();
            const now = performance.now();
            if (now - since >= 1000) {
                own.fps = Math.round(((own.frames - counted) * 1000) / (now - since));
                [since, counted] = [now, own.frames];
                showStatus();
            }
        };
        // A flight left for another one exits when its frame loop stops.
        const id = ++flights;
        const end = (status, text) => id === flights && ended(status, text);
        const stop = (reason) => end(-1, lines.concat(`The game stopped: ${reason}`));
        const wasm = await compiled;
        const game = await createFlyer({
            instantiateWasm: (imports, receive) => {
                WebAssembly.instantiate(wasm, imports).then((instance) => receive(instance, wasm));
                return {};
            },
            canvas,
            // The keys come through keyboard.js, as the page's other controls'.
            keyboardListeningElement: document.createElement('span'),
            print: (line) => lines.push(line),
            printErr: (line) => console.warn(line),
            onFrame: countFrame,
            onExit: (status) => end(status, lines),
            onAbort: stop,
        }).catch(stop);
        if (!game) return;
        game.FS.mkdir('/flyer');
        game.FS.chdir('/flyer');
        (await spriteBytes).forEach((bytes, i) => bytes && game.FS.writeFile(sprites[i], bytes));
        if (level.bytes) game.FS.writeFile(level.name, level.bytes);
        const current = { game, release: () => {} };
        flight = current;
        flyerKeys.attach(game);
        canvas.focus();
        try {
            current.release = noteListeners(() => game.callMain([level.name, resolution]));
        } catch (error) {
            stop(error);
        }
        if (flight !== current) current.release(); // it ended while starting
        if (document.body.dataset.state === 'loading') setState('flying');
    }

    async function flyOwnLevel(file) {
        if (!file) return;
        setState('loading');
        level = await flyerLevels.fromFile(file);
        fly();
    }

    for (const [argument, [width, height]] of [...sizes].sort(([, a], [, b]) => a[0] - b[0]))
        element('resolution').add(new Option(`${width} × ${height}`, argument));
    element('resolution').value = resolution;
    element('resolution').addEventListener('change', (event) => {
        resolution = event.target.value;
        params.set('resolution', resolution);
        history.replaceState(null, '', '?' + params);
        sizeCanvas();
        // A level the game refused stays refused at any resolution.
        if (!['idle', 'refused'].includes(document.body.dataset.state)) fly();
    });
    element('level-file').addEventListener('change', (event) => flyOwnLevel(event.target.files[0]));
    element('fly-again').addEventListener('click', fly);
    flyerKeys.start = () => ['idle', 'ended'].includes(document.body.dataset.state) && fly();
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', (event) => {
        event.preventDefault();
        flyOwnLevel(event.dataTransfer.files[0]);
    });
    // The first flight starts at the player's first click or key outside
    // the controls; Tab and the browser's own shortcuts keep their use.
    const isShortcut = (event) =>
        event.key === 'Tab' ||
        event.altKey ||
        event.metaKey ||
        (event.ctrlKey && event.key !== 'Control');
    for (const gesture of ['click', 'keydown']) {
        document.addEventListener(gesture, (event) => {
            if (
                document.body.dataset.state !== 'idle' ||
                event.target.closest?.('#controls') ||
                isShortcut(event)
            )
                return;
            event.preventDefault();
            fly();
        });
    }
    sizeCanvas();
})();
