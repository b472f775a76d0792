#include "GlTrace.h"

#include <cstdlib>
#include <sstream>

#include "Subprocess.h"

std::string GlCall::ArgText(const std::string& argName) const
{
    const std::string key = argName + " = ";
    size_t at = 0;
    while ((at = args.find(key, at)) != std::string::npos) {
        if (at == 0 || args.compare(at - 2, 2, ", ") == 0)
            break;
        at += key.size();
    }
    if (at == std::string::npos)
        return "";
    at += key.size();
    int depth = 0;
    size_t end = at;
    for (; end < args.size(); ++end) {
        const char c = args[end];
        if (c == '{' || c == '(' || c == '[')
            ++depth;
        else if (c == '}' || c == ')' || c == ']')
            --depth;
        else if (c == ',' && depth == 0)
            break;
    }
    return args.substr(at, end - at);
}

double GlCall::Arg(const std::string& argName) const
{
    return std::strtod(ArgText(argName).c_str(), nullptr);
}

GlTrace ParseTraceDump(const std::string& dump)
{
    GlTrace trace;
    trace.frames.emplace_back();
    std::istringstream lines(dump);
    std::string line;
    while (std::getline(lines, line)) {
        // "123 glBegin(mode = GL_QUADS)" with an optional " = result".
        size_t at = 0;
        while (at < line.size() && isdigit(static_cast<unsigned char>(line[at])))
            ++at;
        if (at == 0 || at >= line.size() || line[at] != ' ')
            continue;
        const size_t open = line.find('(', at);
        const size_t close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open)
            continue;
        GlCall call;
        call.number = std::stoul(line.substr(0, at));
        call.name = line.substr(at + 1, open - at - 1);
        call.args = line.substr(open + 1, close - open - 1);
        const bool swap = call.name == "glXSwapBuffers";
        trace.frames.back().push_back(call);
        if (swap)
            trace.frames.emplace_back();
    }
    return trace;
}

GlTrace DumpTrace(const std::string& tracePath, const std::vector<std::string>& options)
{
    std::vector<std::string> argv{"apitrace", "dump", "--color=never"};
    argv.insert(argv.end(), options.begin(), options.end());
    argv.push_back(tracePath);
    const CommandResult result = RunCommand(argv, Subprocess::Options(), 300);
    if (result.status != 0)
        return GlTrace();
    return ParseTraceDump(result.out);
}
