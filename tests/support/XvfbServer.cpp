#include "XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

XvfbServer::XvfbServer(int width, int height)
{
    int fds[2];
    if (pipe(fds) != 0 || (pid_ = fork()) < 0)
        throw std::runtime_error("pipe or fork failed");
    if (pid_ == 0) {
        const int null = open("/dev/null", O_RDWR);
        for (int fd : {0, 1, 2})
            dup2(null, fd);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(fds[1]).c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // The server writes its display number and a newline when it is ready.
    pollfd ready{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&ready, 1, 20000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        display_ += c;
    close(fds[0]);
    if (display_.empty()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = ":" + display_;
}

XvfbServer::~XvfbServer()
{
    kill(pid_, SIGTERM);
    for (int i = 0; i < 200 && waitpid(pid_, nullptr, WNOHANG) != pid_; ++i)
        usleep(10000);
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}
