#include "GlTrace.h"

#include <cmath>
#include <cstdlib>
#include <regex>
#include <sstream>

#include "Subprocess.h"

double GlCall::Arg(const std::string& argName) const
{
    const size_t at = (", " + args).find(", " + argName + " = ");
    return at == std::string::npos ? NAN : std::strtod(args.c_str() + at + argName.size() + 3, nullptr);
}

std::vector<std::vector<GlCall>> DumpTrace(const std::string& tracePath, const std::string& options)
{
    const CommandResult dump = RunCommand({"apitrace", "dump", "--color=never", options, tracePath}, {}, 300);
    std::vector<std::vector<GlCall>> frames(1);
    std::istringstream lines(dump.out);
    const std::regex call(R"(\d+ (\w+)\((.*)\)( = .*)?)");
    std::smatch match;
    for (std::string line; std::getline(lines, line);) {
        if (!std::regex_match(line, match, call))
            continue;
        frames.back().push_back(GlCall{match[1], match[2]});
        if (match[1] == "glXSwapBuffers")
            frames.emplace_back();
    }
    return frames;
}
