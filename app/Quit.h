#pragma once

// Shuts SDL down, which restores the desktop mode, and ends the process.
[[noreturn]] void Quit(int status);
