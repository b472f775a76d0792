#pragma once

#include <string>
#include <vector>

// One call as `apitrace dump` prints it; args are "name = value, ...".
struct GlCall {
    std::string name;
    std::string args;

    double Arg(const std::string& argName) const;
};

// The calls that `apitrace dump` gives with the options (for example
// "--grep=^glTranslatef$|Swap"), cut into frames after every
// glXSwapBuffers; the last entry holds the calls after the last swap.
// apitrace prints floats with 7 significant digits.
std::vector<std::vector<GlCall>> DumpTrace(const std::string& tracePath, const std::string& options);
