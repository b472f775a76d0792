#include "CommandLine.h"

#include <cstdio>

const char kProgram[] = "flyer-level";

namespace {

// The option getopt_long complains of, as given: it leaves the code of a
// long option in optopt, or 0 for an unknown one.
std::string OptionGiven(int code, const option* longOptions, char** argv)
{
    if (code == 0)
        return argv[optind - 1];
    for (const option* known = longOptions; known->name != nullptr; ++known)
        if (known->val == code && code >= kFirstLongOnly)
            return std::string("--") + known->name;
    return std::string("-") + static_cast<char>(code);
}

}  // namespace

Arguments ParseArguments(int argc, char** argv, const char* shortOptions, const option* longOptions)
{
    Arguments arguments;
    opterr = 0;
    optind = 1;
    int option = 0;
    while ((option = getopt_long(argc, argv, shortOptions, longOptions, nullptr)) != -1) {
        if (option == kHelp) {
            arguments.help = true;
        } else if (option == '?' || option == ':') {
            const std::string given = Quoted(OptionGiven(optopt, longOptions, argv));
            if (arguments.problem.empty())
                arguments.problem = option == '?' ? "unknown option " + given
                                                  : "option " + given + " needs a value";
        } else {
            arguments.values[option] = optarg != nullptr ? optarg : "";
        }
    }
    arguments.plain.assign(argv + optind, argv + argc);
    return arguments;
}

int UsageError(const char* usage, const std::string& message)
{
    fprintf(stderr, "%s: %s\n%s", kProgram, message.c_str(), usage);
    return 2;
}

std::optional<int> HelpOrOptionProblem(const Arguments& arguments, const char* usage)
{
    if (arguments.help) {
        fputs(usage, stdout);
        return 0;
    }
    if (!arguments.problem.empty())
        return UsageError(usage, arguments.problem);
    return std::nullopt;
}

int InputFault(const InputError& error)
{
    fprintf(stderr, "%s: %s\n", kProgram, error.Text().c_str());
    return 1;
}
