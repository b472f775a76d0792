// Starting programs from tests: arguments, extra environment, working
// folder, output captured to files, and a bounded wait.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

class Subprocess {
public:
    struct Options {
        std::string workingDirectory;
        std::map<std::string, std::string> environment;  // added or replaced; "" removes
    };

    Subprocess(const std::vector<std::string>& argv, const Options& options);
    ~Subprocess();  // kills the program and its children if they still run
    Subprocess(const Subprocess&) = delete;
    Subprocess& operator=(const Subprocess&) = delete;

    // Waits up to the given seconds. Returns the exit status, 128 + signal
    // for a killed program, or -1 when it still runs.
    int Wait(double seconds);
    bool Running();
    void Signal(int signal);
    std::string Stdout() const;
    std::string Stderr() const;

private:
    pid_t pid_ = -1;
    int status_ = -1;
    std::string outPath_;
    std::string errPath_;
};

struct CommandResult {
    int status;
    std::string out;
    std::string err;
};

// Runs a program to its end, or kills it after `seconds` (status -1).
CommandResult RunCommand(const std::vector<std::string>& argv, const Subprocess::Options& options,
                         double seconds = 60.0);
// Runs a shell command line with DISPLAY set to the given display.
CommandResult RunShell(const std::string& command, const std::string& display, double seconds = 60.0);
