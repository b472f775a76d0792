// Programs started from tests: arguments, environment, working folder,
// output captured to files, a bounded wait.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

#include "TestFiles.h"

class Subprocess {
public:
    struct Options {
        std::string workingDirectory;
        std::map<std::string, std::string> environment;  // added or replaced; "" removes
    };

    Subprocess(const std::vector<std::string>& argv, const Options& options);
    ~Subprocess();  // ends the program and its children if they still run

    // The exit status, 128 + signal for a killed program, or -1 while it
    // still runs after the given seconds.
    int Wait(double seconds);
    bool Running() { return Wait(0) == -1; }
    void Signal(int signal);
    std::string Stdout() const { return ReadFile(output_.File("out")); }
    std::string Stderr() const { return ReadFile(output_.File("err")); }

private:
    TempDir output_;
    pid_t pid_ = -1;
    int status_ = -1;
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
CommandResult RunShell(const std::string& command, const std::string& display,
                       double seconds = 60.0);
// Runs flyer-level with the arguments, for 20 s at most: a FIFO must not make a test wait.
CommandResult FlyerLevel(std::vector<std::string> args);
