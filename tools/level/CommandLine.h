// What every flyer-level command shares: its options as getopt_long splits
// them, and how it reports a wrong command line or a faulty input.
#pragma once

#include <getopt.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "InputFile.h"

// The name the tool gives itself in its messages.
extern const char kProgram[];

// The options every command knows; a command numbers its options without a
// short form from kFirstLongOnly.
enum CommonOption { kOutput = 'o', kHelp = 'h', kFirstLongOnly = 256 };

// A command's arguments as getopt_long splits them.
struct Arguments {
    std::map<int, std::string> values;  // by option, the last one given
    std::vector<std::string> plain;
    bool help = false;
    std::string problem;  // the first unknown option or missing value

    bool Has(int option) const { return values.count(option) != 0; }
    std::string Value(int option) const { return Has(option) ? values.at(option) : ""; }
};

// Splits argv (argv[0] the command) by the options; "--help" anywhere wins
// over every problem.
Arguments ParseArguments(int argc, char** argv, const char* shortOptions,
                         const option* longOptions);

// Reports a wrong command line with the command's usage; the status 2.
int UsageError(const char* usage, const std::string& message);

// The status a command ends with when its options ask for help or are
// wrong; none when it goes on.
std::optional<int> HelpOrOptionProblem(const Arguments& arguments, const char* usage);

// Reports a faulty input or a failed output; the status 1.
int InputFault(const InputError& error);
