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

/** @param {string} path */
function readJson(path) {
    const file = new TextFile(path, TextFile.ReadOnly);
    const value = JSON.parse(file.readAll());
    file.close();
    return value;
}

// The folders the install wrote into installed.json, or none.
/** @returns {{ bin: string, data: string } | null} */
function installedFolders() {
    const path = FileInfo.joinPaths(extensionFolder, 'installed.json');
    return File.exists(path) ? readJson(path) : null;
}

// The path of a program: $variable, else the first on $PATH, else the
// installed one, else the repository's build; "" when there is none.
/**
 * @param {string} name
 * @param {string} variable
 * @param {string} buildPath
 * @returns {string}
 */
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

// The game's data folder (sprites, the default tileset and the game's
// tables.json): beside the game as installed (bin/../share/flyer) or built
// (build/data), else the installed one.
/** @param {string} flyer */
function dataFolder(flyer) {
    const candidates = [];
    if (flyer !== '') {
        const bin = FileInfo.path(flyer);
        candidates.push(FileInfo.joinPaths(bin, '../share/flyer'), FileInfo.joinPaths(bin, 'data'));
    }
    const installed = installedFolders();
    if (installed !== null) candidates.push(installed.data);
    const found = candidates.find((folder) =>
        File.exists(FileInfo.joinPaths(folder, 'tables.json')),
    );
    return found === undefined ? '' : FileInfo.cleanPath(found);
}

// Runs a program to its end: its status and what it printed; a program
// that cannot start has the status -1.
/**
 * @param {string} program
 * @param {string[]} args
 * @returns {{ status: number, out: string, err: string }}
 */
function run(program, args) {
    const process = new Process();
    const status = process.exec(program, args, false);
    const result = { status: status, out: process.readStdOut(), err: process.readStdErr() };
    process.close();
    if (status < 0) result.err = program + ' could not be started';
    return result;
}

// Calls work with a new temporary folder, removed afterwards.
/**
 * @template T
 * @param {(folder: string) => T} work
 * @returns {T}
 */
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

// Tiled's own TMX format, which every Tiled has.
const tmxFormat = /** @type {MapFormat} */ (tiled.mapFormat('tmx'));

// Writes the map as a level with flyer-level build, which takes the origin
// from the map's property "origin": "" on success, else why not.
/**
 * @param {TileMap} map
 * @param {string} fileName
 * @returns {string}
 */
function writeLevel(map, fileName) {
    const level = flyerLevel();
    if (map.tilesets.length === 0 || map.tilesets[0].image === '')
        return 'the map has no tileset image to build the level with';
    return withTemporaryFolder((folder) => {
        const tmx = FileInfo.joinPaths(folder, 'map.tmx');
        const problem = tmxFormat.write(map, tmx);
        if (problem) return problem;
        const name = map.fileName !== '' ? map.fileName : 'the map';
        const built = run(level, [
            'build',
            '--tileset',
            map.tilesets[0].image,
            '--map',
            tmx,
            '--map-name',
            name,
            '-o',
            fileName,
        ]);
        if (built.out.trim() !== '') console.log(built.out.trim());
        return built.status === 0 ? '' : built.err.trim();
    });
}

// Reads a level through flyer-level export, the tileset embedded and the
// origin in the property "origin", and Tiled's TMX reader. The tileset's
// image is the default tileset when the level's bitmap is the same, else
// a copy beside the level (L.lvl's L-tileset.bmp), which export writes
// when it is missing and refuses to replace: export is asked for each in
// that order. (Embedding by editing the
// map in script, with replaceTileset, makes Tiled 1.8 crash at exit after
// a save.)
/**
 * @param {string} fileName
 * @returns {TileMap}
 */
function readLevel(fileName) {
    const level = flyerLevel();
    const data = dataFolder(findProgram('flyer', 'FLYER', 'flyer'));
    const path = FileInfo.canonicalPath(fileName);
    const images = [
        FileInfo.joinPaths(FileInfo.path(path), FileInfo.completeBaseName(path) + '-tileset.bmp'),
    ];
    if (data !== '') images.unshift(FileInfo.joinPaths(data, 'tileset.bmp'));
    return withTemporaryFolder((folder) => {
        const tmx = FileInfo.joinPaths(folder, 'level.tmx');
        const args = ['export', fileName, '-o', tmx, '--embed-tileset', '--tileset-image'];
        let exported = { status: -1, out: '', err: '' };
        for (const image of images) {
            exported = run(level, args.concat(image));
            if (exported.status === 0) return tmxFormat.read(tmx);
        }
        throw new Error(exported.err.trim());
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
// (the game's example resolution, 1024, when it has none).
function buildAndPlay() {
    const asset = tiled.activeAsset;
    if (!asset || !asset.isTileMap)
        return tiled.alert('Build and Play plays the map being edited: open a map first.');
    const map = /** @type {TileMap} */ (asset);
    if (map.modified || map.fileName === '') tiled.trigger('Save');
    if (map.modified || map.fileName === '') return;
    const levelPath = map.fileName.endsWith('.lvl')
        ? map.fileName
        : FileInfo.joinPaths(
              FileInfo.path(map.fileName),
              FileInfo.completeBaseName(map.fileName) + '.lvl',
          );
    const flyer = findProgram('flyer', 'FLYER', 'flyer');
    const data = dataFolder(flyer);
    if (flyer === '' || data === '')
        return tiled.alert('flyer or its data folder not found: set FLYER or put flyer on PATH.');
    /** @type {{ resolutions: { argument: string }[], exampleResolution: string }} */
    const tables = readJson(FileInfo.joinPaths(data, 'tables.json'));
    const resolutions = tables.resolutions.map((row) => row.argument);
    const resolution = String(map.property('resolution') || tables.exampleResolution);
    if (resolutions.indexOf(resolution) < 0)
        return tiled.alert(
            "The map's property resolution is " +
                resolution +
                '; flyer plays at ' +
                resolutions.join(', ') +
                '.',
        );
    try {
        const problem = levelPath === map.fileName ? '' : writeLevel(map, levelPath);
        if (problem !== '') return tiled.alert('The level was not built:\n' + problem);
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
