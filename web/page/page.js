// The page around the game: one game module per flight (the game ends its
// process on Esc or on a level it refuses, so each start gets a fresh one),
// the level from the folder or from the player, the resolution, and the
// status line. createFlyer comes from flyer.js, the game built by
// Emscripten.
'use strict';

(() => {
    const sizes = { 640: [640, 480], 800: [800, 600], 1024: [1024, 768], 1280: [1280, 1024] };
    const sprites = ['ship.bmp', 'bullet.bmp', 'ships.bmp'];
    const params = new URLSearchParams(location.search);
    let resolution = params.get('resolution') in sizes ? params.get('resolution') : '1024';
    const shipped = /^[\w-]+$/.test(params.get('level') || '') ? params.get('level') : 'demo';

    const element = (id) => document.getElementById(id);
    let level = null; // {name, bytes}; bytes null when the folder has no such file
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
    const shippedBytes = fetchBytes(`levels/${shipped}.lvl`);
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
        const [width, height] = sizes[resolution];
        element('status').textContent = `${width} × ${height} · ${stats.fps} fps`;
    }

    function sizeCanvas() {
        [element('canvas').width, element('canvas').height] = sizes[resolution];
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
        if (!level) level = { name: shipped + '.lvl', bytes: await shippedBytes };
        const lines = [];
        const own = { frames: 0, fps: 0 };
        stats = window.flyerStats = own;
        showStatus();
        let since = performance.now();
        let counted = 0;
        const countFrame = () => {
            own.frames += 1;
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
        const name = file.name.replace(/[/\\]/g, '_').replace(/^\.*$/, 'level.lvl');
        level = { name, bytes: new Uint8Array(await file.arrayBuffer()) };
        fly();
    }

    element('resolution').value = resolution;
    element('resolution').addEventListener('change', (event) => {
        resolution = event.target.value;
        params.set('resolution', resolution);
        history.replaceState(null, '', '?' + params);
        sizeCanvas();
        if (document.body.dataset.state !== 'idle') fly();
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
