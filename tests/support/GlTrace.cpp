#include "GlTrace.h"

#include <cmath>
#include <cstdlib>
#include <regex>
#include <sstream>

#include "Subprocess.h"

double GlCall::Arg(const std::string& argName) const
{
    const std::string text = ", " + args;
    const size_t at = text.find(", " + argName + " = ");
    return at == std::string::npos ? NAN : std::strtod(text.c_str() + at + argName.size() + 5, nullptr);
}

std::vector<std::vector<GlCall>> DumpTrace(const std::string& tracePath, const std::vector<std::string>& options)
{
    std::vector<std::string> argv{"apitrace", "dump", "--color=never"};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.push_back(tracePath);
    const CommandResult dump = RunCommand(argv, Subprocess::Options(), 300);
    std::vector<std::vector<GlCall>> frames;
    if (dump.status != 0)
        return frames;
    frames.emplace_back();
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
