// Pictures of the game as {width, height, rgb} (3 bytes a pixel, rows from
// the top), and how much two of them differ.
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

// The share of the pixels that differ by more than 10 % in some channel.
export function differingShare(a, b) {
    let count = 0;
    for (let at = 0; at < a.rgb.length; at += 3)
        count += [0, 1, 2].some((c) => Math.abs(a.rgb[at + c] - b.rgb[at + c]) > 25.5);
    return count / (a.width * a.height);
}
