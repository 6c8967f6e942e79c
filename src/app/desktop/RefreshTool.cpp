// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/RefreshTool.h"

#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Runs in a child of a process with threads: only calls that are safe
// after fork(), and nothing that allocates.
[[noreturn]] void RunTool(const char* path, char* const argv[], unsigned limitSeconds) {
    // Neither a handler nor a blocked signal of this program may save the
    // tool from its alarm; an alarm survives execv().
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(SIGALRM, &standard, nullptr);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::setsid();
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0) {
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
    }
    // The hand-over socket and open strips are none of the tool's business.
    if (::close_range(3, ~0U, 0) != 0) {
        for (int fd = 3; fd < 1024; ++fd)
            ::close(fd);
    }
    ::alarm(limitSeconds);
    ::execv(path, argv);
    ::_exit(127);
}

} // namespace

bool RefreshTool::Start(const QString& program, const QStringList& arguments, int limitSeconds) {
    const QString path =
        program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    if (path.isEmpty() || limitSeconds <= 0)
        return false;
    std::vector<QByteArray> words{QFile::encodeName(path)};
    for (const QString& argument : arguments)
        words.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // The first child only starts the tool and ends, so that the tool is
    // nobody's child here: no zombie, nothing to wait for.
    const pid_t starter = ::fork();
    if (starter < 0)
        return false;
    if (starter == 0) {
        const pid_t tool = ::fork();
        if (tool == 0)
            RunTool(argv[0], argv.data(), unsigned(limitSeconds));
        ::_exit(tool < 0 ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(starter, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
