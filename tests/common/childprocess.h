#pragma once
// Runs work in a child process made by fork() and returns its exit code (-1 when it died
// by a signal or ran over a minute), for what must not touch the test process itself,
// such as a file size limit.

#include <QThread>

#include <cstdio>
#include <functional>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

inline int exitCodeInChild(const std::function<int()> &work)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work());
    int status = 0;
    for (int i = 0; i < 600 && ::waitpid(pid, &status, WNOHANG) == 0; ++i)
        QThread::msleep(100);
    if (::waitpid(pid, &status, WNOHANG) == 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
