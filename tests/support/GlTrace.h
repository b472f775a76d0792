#pragma once

#include <string>
#include <vector>

// One GL or GLX call as `apitrace dump` prints it: the name and the text
// of the arguments, "name = value" pairs separated by ", ".
struct GlCall {
    std::string name;
    std::string args;

    // The named argument as a number.
    double Arg(const std::string& argName) const;
};

// The calls of a traced run that `apitrace dump` gives with the options
// (for example "--grep=^(glTranslatef|glXSwapBuffers)$"), cut into frames
// after every glXSwapBuffers: the last entry holds the calls after the
// last swap. Empty when the dump fails.
std::vector<std::vector<GlCall>> DumpTrace(const std::string& tracePath, const std::vector<std::string>& options);
