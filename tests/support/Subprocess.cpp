#include "Subprocess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "TestFiles.h"

namespace {

std::string MakeTempFile(const char* tag)
{
    std::string pattern = std::string("/tmp/flyer-test-") + tag + "-XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = mkstemp(buffer.data());
    if (fd < 0)
        throw std::runtime_error("mkstemp failed");
    close(fd);
    return buffer.data();
}

}  // namespace

Subprocess::Subprocess(const std::vector<std::string>& argv, const Options& options)
    : outPath_(MakeTempFile("out")), errPath_(MakeTempFile("err"))
{
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        setpgid(0, 0);
        const int out = open(outPath_.c_str(), O_WRONLY | O_TRUNC);
        const int err = open(errPath_.c_str(), O_WRONLY | O_TRUNC);
        const int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
            _exit(126);
        for (const std::string& name : options.unset)
            unsetenv(name.c_str());
        for (const auto& entry : options.environment)
            setenv(entry.first.c_str(), entry.second.c_str(), 1);
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
}

Subprocess::~Subprocess()
{
    if (Running())
        Kill();
    unlink(outPath_.c_str());
    unlink(errPath_.c_str());
}

int Subprocess::Wait(double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (Running()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return status_;
}

bool Subprocess::Running()
{
    if (status_ != -1)
        return false;
    int raw = 0;
    const pid_t done = waitpid(pid_, &raw, WNOHANG);
    if (done == 0)
        return true;
    status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return false;
}

void Subprocess::Signal(int signal)
{
    if (Running())
        kill(pid_, signal);
}

void Subprocess::Kill()
{
    if (!Running())
        return;
    kill(-pid_, SIGKILL);
    kill(pid_, SIGKILL);
    int raw = 0;
    waitpid(pid_, &raw, 0);
    status_ = 128 + SIGKILL;
}

std::string Subprocess::Stdout() const
{
    return ReadFile(outPath_);
}

std::string Subprocess::Stderr() const
{
    return ReadFile(errPath_);
}

CommandResult RunCommand(const std::vector<std::string>& argv, const Subprocess::Options& options,
                         double seconds)
{
    Subprocess process(argv, options);
    const int status = process.Wait(seconds);
    if (status == -1)
        process.Kill();
    return CommandResult{status, process.Stdout(), process.Stderr()};
}

CommandResult RunShell(const std::string& command, const std::string& display, double seconds)
{
    Subprocess::Options options;
    options.environment["DISPLAY"] = display;
    return RunCommand({"sh", "-c", command}, options, seconds);
}
