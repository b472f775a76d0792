// Pictures of the game as {width, height, rgb} (3 bytes a pixel, rows from
// the top), and comparisons of two that stay blind to single stars: they are
// cut into 16x16-pixel blocks (one map unit on screen) compared by mean
// colour.
import { execFileSync } from 'node:child_process';

// A picture in `format` (png, xwd) as {width, height, rgb}.
export function decodePicture(format, bytes, width, height) {
    const rgb = execFileSync('convert', [`${format}:-`, '-depth', '8', 'rgb:-'], {
        input: bytes,
        maxBuffer: 1 << 26,
    });
    if (rgb.length !== width * height * 3) throw new Error(`not a ${width}x${height} picture`);
    return { width, height, rgb };
}

// The canvas as the page shows it.
export async function canvasPicture(page) {
    const canvas = await page.$('#canvas');
    const [width, height] = await canvas.evaluate((c) => [c.width, c.height]);
    return decodePicture('png', await canvas.screenshot({ type: 'png' }), width, height);
}

function blockMeans({ width, height, rgb }) {
    const columns = width >> 4,
        means = new Float64Array(columns * (height >> 4) * 3);
    for (let y = 0; y < (height >> 4) << 4; ++y)
        for (let x = 0; x < columns << 4; ++x)
            for (let c = 0; c < 3; ++c)
                means[((y >> 4) * columns + (x >> 4)) * 3 + c] +=
                    rgb[(y * width + x) * 3 + c] / 256;
    return means;
}

// The blocks, as [column, row], whose mean differs by more than 24 (of 255)
// in some channel.
export function differingBlocks(a, b) {
    const [ma, mb] = [blockMeans(a), blockMeans(b)],
        columns = a.width >> 4,
        found = [];
    for (let block = 0; block < ma.length / 3; ++block)
        if ([0, 1, 2].some((c) => Math.abs(ma[block * 3 + c] - mb[block * 3 + c]) > 24))
            found.push([block % columns, Math.floor(block / columns)]);
    return found;
}

// The pixels that differ by more than 64 (of 255) in some channel.
export function changedPixels(a, b) {
    let count = 0;
    for (let at = 0; at < a.rgb.length; at += 3)
        count += [0, 1, 2].some((c) => Math.abs(a.rgb[at + c] - b.rgb[at + c]) > 64);
    return count;
}

// The pixels of the player's shots: blue well above red and green.
export function bluePixels({ rgb }) {
    let count = 0;
    for (let at = 0; at < rgb.length; at += 3)
        count += rgb[at + 2] > 120 && rgb[at + 2] > 2 * Math.max(rgb[at], rgb[at + 1]);
    return count;
}

// How far, in pixels (down positive), the rows of `before` have moved in
// `after`: the shift that best lays their brightness, row by row, onto each
// other with at least half of them overlapping.
export function verticalShift(before, after) {
    const rows = ({ width, height, rgb }) =>
        Array.from({ length: height }, (_, y) =>
            rgb.subarray(y * width * 3, (y + 1) * width * 3).reduce((s, v) => s + v),
        );
    const [a, b] = [rows(before), rows(after)];
    let best = [0, Infinity];
    for (let dy = -(a.length >> 1); dy <= a.length >> 1; ++dy) {
        let cost = 0;
        for (let y = Math.max(0, -dy); y < Math.min(a.length, a.length - dy); ++y)
            cost += Math.abs(a[y] - b[y + dy]);
        if (cost / (a.length - Math.abs(dy)) < best[1])
            best = [dy, cost / (a.length - Math.abs(dy))];
    }
    return best[0];
}
