// flyer levels in Tiled: File > Open and File > Export As on a .lvl, and
// Build and Play, which saves the map, builds its level and starts flyer
// on it. The level format itself is flyer-level's: a level is written by
// running "flyer-level build" on the map as Tiled's TMX writer saves it,
// and read by running "flyer-level export" and Tiled's TMX reader.
//
// The programs are found through $FLYER_LEVEL and $FLYER, then $PATH, then
// the folder installed.json names (written by the install), then the
// repository's build/ when this folder is the repository's dist/tiled.

const extensionFolder = FileInfo.path(FileInfo.canonicalPath(__filename));
const playResolutions = ['640', '800', '1024', '1280'];

// The folders the install wrote into installed.json, or none.
function installedFolders() {
    const path = FileInfo.joinPaths(extensionFolder, 'installed.json');
    if (!File.exists(path)) return null;
    const file = new TextFile(path, TextFile.ReadOnly);
    const folders = JSON.parse(file.readAll());
    file.close();
    return folders;
}

// The path of a program: $variable, else the first on $PATH, else the
// installed one, else the repository's build; "" when there is none.
function findProgram(name, variable, buildPath) {
    const process = new Process();
    const given = process.getEnv(variable);
    if (given !== '') return given;
    const installed = installedFolders();
    const candidates = process
        .getEnv('PATH')
        .split(':')
        .filter((folder) => folder !== '')
        .map((folder) => FileInfo.joinPaths(folder, name));
    if (installed !== null) candidates.push(FileInfo.joinPaths(installed.bin, name));
    else candidates.push(FileInfo.joinPaths(extensionFolder, '../../build', buildPath));
    return candidates.find((path) => File.exists(path)) || '';
}

function flyerLevel() {
    const path = findProgram('flyer-level', 'FLYER_LEVEL', 'tools/level/flyer-level');
    if (path === '') throw new Error('flyer-level not found: set FLYER_LEVEL or put it on PATH');
    return path;
}

// The game's data folder (sprites and the default tileset): beside the
// game as installed (bin/../share/flyer) or built (build/data), else the
// installed one.
function dataFolder(flyer) {
    const candidates = [];
    if (flyer !== '') {
        const bin = FileInfo.path(flyer);
        candidates.push(FileInfo.joinPaths(bin, '../share/flyer'), FileInfo.joinPaths(bin, 'data'));
    }
    const installed = installedFolders();
    if (installed !== null) candidates.push(installed.data);
    const found = candidates.find((folder) => File.exists(FileInfo.joinPaths(folder, 'ship.bmp')));
    return found === undefined ? '' : FileInfo.cleanPath(found);
}

// Runs a program to its end: its status and what it printed; a program
// that cannot start has the status -1.
function run(program, args) {
    const process = new Process();
    const status = process.exec(program, args, false);
    const result = { status: status, out: process.readStdOut(), err: process.readStdErr() };
    process.close();
    if (status < 0) result.err = program + ' could not be started';
    return result;
}

// Calls work with a new temporary folder, removed afterwards.
function withTemporaryFolder(work) {
    const made = run('mktemp', ['-d', '-t', 'flyer-tiled.XXXXXX']);
    if (made.status !== 0) throw new Error('mktemp: ' + made.err.trim());
    const folder = made.out.trim();
    try {
        return work(folder);
    } finally {
        run('rm', ['-rf', '--', folder]);
    }
}

// flyer-level's lines about the temporary map, told of the map itself;
// the line numbers, of Tiled's layout of it, are left out.
function aboutMap(text, tmx, name) {
    const parts = text.split(tmx);
    return parts
        .map((part, i) => (i === 0 ? part : part.replace(/^(:[0-9]+)+/, '')))
        .join(name)
        .trim();
}

// Writes the map as a level with flyer-level build: "" on success, else
// why not.
function writeLevel(map, fileName) {
    const level = flyerLevel();
    if (map.tilesets.length === 0 || map.tilesets[0].image === '')
        return 'the map has no tileset image to build the level with';
    return withTemporaryFolder((folder) => {
        const tmx = FileInfo.joinPaths(folder, 'map.tmx');
        const problem = tiled.mapFormat('tmx').write(map, tmx);
        if (problem) return problem;
        const args = ['build', '--tileset', map.tilesets[0].image, '--map', tmx, '-o', fileName];
        const origin = map.property('origin');
        if (origin !== undefined && origin !== '') args.push('--origin', String(origin));
        const built = run(level, args);
        const name = map.fileName !== '' ? map.fileName : 'the map';
        if (built.out.trim() !== '') console.log(aboutMap(built.out, tmx, name));
        return built.status === 0 ? '' : aboutMap(built.err, tmx, name);
    });
}

function readText(path) {
    const file = new TextFile(path, TextFile.ReadOnly);
    const text = file.readAll();
    file.close();
    return text;
}

function writeText(path, text) {
    const file = new TextFile(path, TextFile.WriteOnly);
    file.write(text);
    file.commit();
}

function readBytes(path) {
    const file = new BinaryFile(path, BinaryFile.ReadOnly);
    const bytes = new Uint8Array(file.readAll());
    file.close();
    return bytes;
}

function sameBytes(a, b) {
    const first = readBytes(a),
        second = readBytes(b);
    return first.length === second.length && first.every((byte, i) => byte === second[i]);
}

function xmlAttribute(text) {
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/"/g, '&quot;');
}

// Where an opened level's tileset bitmap is kept: the default tileset when
// the bytes are its, else a copy beside the level (L.lvl's L-tileset.bmp).
function keptTileset(exported, levelPath) {
    const data = dataFolder(findProgram('flyer', 'FLYER', 'flyer'));
    const standard = FileInfo.joinPaths(data, 'tileset.bmp');
    if (data !== '' && sameBytes(exported, standard)) return standard;
    const level = FileInfo.canonicalPath(levelPath);
    const copy = FileInfo.joinPaths(
        FileInfo.path(level),
        FileInfo.completeBaseName(level) + '-tileset.bmp',
    );
    if (File.exists(copy)) {
        if (!sameBytes(exported, copy))
            throw new Error(copy + " is in the way of the level's tileset; move it and open again");
        return copy;
    }
    const bytes = readBytes(exported);
    const file = new BinaryFile(copy, BinaryFile.WriteOnly);
    file.write(bytes.buffer);
    file.commit();
    return copy;
}

// Reads a level through flyer-level export and Tiled's TMX reader, with
// the tileset embedded and the origin in the property "origin", so that
// the map refers to no temporary file. (Embedding by editing the map in
// script, with replaceTileset, makes Tiled 1.8 crash at exit after a
// save.)
function readLevel(fileName) {
    const level = flyerLevel();
    return withTemporaryFolder((folder) => {
        const tmx = FileInfo.joinPaths(folder, 'level.tmx');
        const exported = run(level, ['export', fileName, '-o', tmx]);
        if (exported.status !== 0) throw new Error(exported.err.trim());
        const origin = /--origin ([0-9]+,[0-9]+)/.exec(exported.out)[1];
        const image = keptTileset(FileInfo.joinPaths(folder, 'level.bmp'), fileName);
        const tileset = readText(FileInfo.joinPaths(folder, 'level.tsx'))
            .replace(/^<\?xml[^>]*>\s*/, '')
            .replace('<tileset ', '<tileset firstgid="1" ')
            .replace(/ source="[^"]*"/, () => ` source="${xmlAttribute(image)}"`);
        const properties = ` <properties>\n  <property name="origin" value="${origin}"/>\n </properties>\n`;
        writeText(
            tmx,
            readText(tmx).replace(
                / <tileset firstgid="1" source="[^"]*"\/>\n/,
                () => properties + ' ' + tileset,
            ),
        );
        return tiled.mapFormat('tmx').read(tmx);
    });
}

// The script that starts the game detached in its data folder: the status
// and output of a game that ends within a second, else 0 and nothing.
const startDetached = [
    'cd "$1" || exit 1',
    'log="$(mktemp)" || exit 1',
    '"$2" "$3" "$4" </dev/null >"$log" 2>&1 &',
    'game=$!',
    'sleep 1',
    'if kill -0 "$game" 2>/dev/null; then rm -f "$log"; exit 0; fi',
    'wait "$game"',
    'status=$?',
    'cat "$log"',
    'rm -f "$log"',
    'exit "$status"',
].join('\n');

// Saves the map being edited, builds its level beside it (the map itself
// when it is a level) and starts flyer on it at the map's "resolution"
// (1024 when it has none).
function buildAndPlay() {
    const map = tiled.activeAsset;
    if (!map || !map.isTileMap)
        return tiled.alert('Build and Play plays the map being edited: open a map first.');
    if (map.modified || map.fileName === '') tiled.trigger('Save');
    if (map.modified || map.fileName === '') return;
    const resolution = String(map.property('resolution') || '1024');
    if (playResolutions.indexOf(resolution) < 0)
        return tiled.alert(
            "The map's property resolution is " +
                resolution +
                '; flyer plays at ' +
                playResolutions.join(', ') +
                '.',
        );
    const levelPath = map.fileName.endsWith('.lvl')
        ? map.fileName
        : FileInfo.joinPaths(
              FileInfo.path(map.fileName),
              FileInfo.completeBaseName(map.fileName) + '.lvl',
          );
    try {
        const problem = levelPath === map.fileName ? '' : writeLevel(map, levelPath);
        if (problem !== '') return tiled.alert('The level was not built:\n' + problem);
        const flyer = findProgram('flyer', 'FLYER', 'flyer');
        const data = dataFolder(flyer);
        if (flyer === '' || data === '')
            return tiled.alert(
                'flyer or its data folder not found: set FLYER or put flyer on PATH.',
            );
        const game = run('sh', ['-c', startDetached, 'sh', data, flyer, levelPath, resolution]);
        if (game.status !== 0)
            tiled.alert(
                'flyer ended with status ' + game.status + ':\n' + (game.out + game.err).trim(),
            );
    } catch (e) {
        tiled.alert(String(e));
    }
}

// The format first: on the command line the menus do not exist, and
// extending one throws.
tiled.registerMapFormat('flyer', {
    name: 'flyer level (*.lvl)',
    extension: 'lvl',
    read: readLevel,
    // Tiled shows the string write returns, but only in its window: on
    // the command line the warning is what reaches standard error.
    write: (map, fileName) => {
        let problem = '';
        try {
            problem = writeLevel(map, fileName);
        } catch (e) {
            problem = String(e);
        }
        if (problem === '') return undefined;
        console.warn(problem);
        return problem;
    },
});

const playAction = tiled.registerAction('FlyerBuildAndPlay', buildAndPlay);
playAction.text = 'Build and Play in flyer';
playAction.shortcut = 'Ctrl+Shift+F5';
try {
    tiled.extendMenu('Map', [{ separator: true }, { action: 'FlyerBuildAndPlay' }]);
} catch (e) {
    // The command line has no menus.
}
