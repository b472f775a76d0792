// A private Xvfb for a program of the tests: the server picks a free display
// and names it on -displayfd. -noreset: a server that resets refuses the
// connections that come meanwhile.
import { spawn } from 'node:child_process';

// Starts Xvfb with one screen of `width`x`height`; resolves to {display,
// server}: DISPLAY's value and the server's process, to kill when done.
export async function startXvfb(width, height) {
    const server = spawn(
        'Xvfb',
        ['-displayfd', '1', '-screen', '0', `${width}x${height}x24`, '-noreset'],
        { stdio: ['ignore', 'pipe', 'ignore'] },
    );
    const display = await new Promise((resolve) => server.stdout.once('data', resolve));
    return { display: `:${display.toString().trim()}`, server };
}
