#pragma once
// What must not touch the test process itself, such as a file size limit, runs in a
// child made by fork(); it returns its exit code (-1 when it died by a signal).

#include "projectfile.h"

#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

inline int exitCodeInChild(const std::function<int()> &work)
{
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(work());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Writes beyond `bytes` then fail with "File too large", as in the program.
inline void limitFileSize(rlim_t bytes)
{
    ignoreFileSizeSignal();
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}
