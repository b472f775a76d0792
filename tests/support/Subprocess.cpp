#include "Subprocess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "TestFiles.h"

namespace {

std::string NewFile(const char* tag)
{
    std::string path = (std::filesystem::temp_directory_path() / "flyer-test-").string() + tag + "-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd < 0)
        throw std::runtime_error("mkstemp failed");
    close(fd);
    return path;
}

}  // namespace

Subprocess::Subprocess(const std::vector<std::string>& argv, const Options& options)
    : outPath_(NewFile("out")), errPath_(NewFile("err"))
{
    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ > 0)
        return;
    setpgid(0, 0);
    dup2(open("/dev/null", O_RDONLY), 0);
    dup2(open(outPath_.c_str(), O_WRONLY), 1);
    dup2(open(errPath_.c_str(), O_WRONLY), 2);
    if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
        _exit(126);
    for (const auto& entry : options.environment)
        entry.second.empty() ? unsetenv(entry.first.c_str()) : setenv(entry.first.c_str(), entry.second.c_str(), 1);
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

Subprocess::~Subprocess()
{
    if (Running()) {
        kill(-pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    unlink(outPath_.c_str());
    unlink(errPath_.c_str());
}

int Subprocess::Wait(double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (Running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return status_;
}

bool Subprocess::Running()
{
    int raw = 0;
    if (status_ != -1 || waitpid(pid_, &raw, WNOHANG) == 0)
        return status_ == -1;
    status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return false;
}

void Subprocess::Signal(int signal)
{
    if (Running())
        kill(pid_, signal);
}

std::string Subprocess::Stdout() const
{
    return ReadFile(outPath_);
}

std::string Subprocess::Stderr() const
{
    return ReadFile(errPath_);
}

CommandResult RunCommand(const std::vector<std::string>& argv, const Subprocess::Options& options, double seconds)
{
    Subprocess process(argv, options);
    return CommandResult{process.Wait(seconds), process.Stdout(), process.Stderr()};
}

CommandResult RunShell(const std::string& command, const std::string& display, double seconds)
{
    return RunCommand({"sh", "-c", command}, Subprocess::Options{"", {{"DISPLAY", display}}}, seconds);
}
