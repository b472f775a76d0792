#include "Subprocess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <thread>

Subprocess::Subprocess(const std::vector<std::string>& argv, const Options& options)
{
    if ((pid_ = fork()) < 0)
        throw std::runtime_error("fork failed");
    if (pid_ > 0)
        return;
    setpgid(0, 0);
    dup2(open("/dev/null", O_RDONLY), 0);
    dup2(open(output_.File("out").c_str(), O_WRONLY | O_CREAT, 0600), 1);
    dup2(open(output_.File("err").c_str(), O_WRONLY | O_CREAT, 0600), 2);
    if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
        _exit(126);
    for (const auto& entry : options.environment)
        entry.second.empty() ? unsetenv(entry.first.c_str())
                             : setenv(entry.first.c_str(), entry.second.c_str(), 1);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    // Into the child's "err" file, where a failing test shows it.
    dprintf(2, "execvp(%s): %s (errno %d)\n", args[0], strerror(errno), errno);
    _exit(127);
}

Subprocess::~Subprocess()
{
    if (Running())
        kill(-pid_, SIGTERM);
    if (Wait(2) == -1) {
        kill(-pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

int Subprocess::Wait(double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    int raw = 0;
    pid_t done = 0;
    while (status_ == -1 && (done = waitpid(pid_, &raw, WNOHANG)) == 0 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (done == pid_)
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return status_;
}

void Subprocess::Signal(int signal)
{
    if (Running())
        kill(pid_, signal);
}

CommandResult RunCommand(const std::vector<std::string>& argv, const Subprocess::Options& options,
                         double seconds)
{
    Subprocess process(argv, options);
    return CommandResult{process.Wait(seconds), process.Stdout(), process.Stderr()};
}

CommandResult RunShell(const std::string& command, const std::string& display, double seconds)
{
    return RunCommand({"sh", "-c", command}, Subprocess::Options{"", {{"DISPLAY", display}}},
                      seconds);
}

CommandResult FlyerLevel(std::vector<std::string> args)
{
    args.insert(args.begin(), FLYER_LEVEL_BINARY);
    return RunCommand(args, {}, 20.0);
}
