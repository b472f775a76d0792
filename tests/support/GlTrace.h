#pragma once

#include <string>
#include <vector>

// One GL or GLX call from `apitrace dump`: its name and the text of its
// arguments, as "name = value" pairs separated by ", ".
struct GlCall {
    unsigned long number = 0;
    std::string name;
    std::string args;

    // The value of the named argument as a number (GL enums by name are
    // not numbers: use ArgText for them).
    double Arg(const std::string& argName) const;
    std::string ArgText(const std::string& argName) const;
};

// The calls of a traced run, cut into frames at every glXSwapBuffers: the
// calls before the first swap are frame 0's, and the calls after the last
// swap (the end of the run) form the last entry.
struct GlTrace {
    std::vector<std::vector<GlCall>> frames;

    size_t SwapCount() const { return frames.empty() ? 0 : frames.size() - 1; }
};

// Reads a trace file with `apitrace dump`, passing it the given options
// (for example "--grep=glTranslatef|glXSwapBuffers" or "--calls=100-200"
// to keep the text small). Empty when that fails.
GlTrace DumpTrace(const std::string& tracePath, const std::vector<std::string>& options = {});
// Parses the text that `apitrace dump` prints.
GlTrace ParseTraceDump(const std::string& dump);
