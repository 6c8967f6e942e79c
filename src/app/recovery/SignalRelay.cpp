// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recovery/SignalRelay.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array kSignals{SIGTERM, SIGHUP, SIGINT};
int g_pipe[2] = {-1, -1};

extern "C" void Forward(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

SignalRelay::SignalRelay(std::function<void(int)> handler) : handler_(std::move(handler)) {
    if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
        unsigned char byte = 0;
        while (::read(g_pipe[0], &byte, 1) == 1)
            handler_(byte);
    });
    struct sigaction action {};
    action.sa_handler = Forward;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : kSignals)
        ::sigaction(s, &action, nullptr);
}

SignalRelay::~SignalRelay() {
    for (const int s : kSignals)
        std::signal(s, SIG_DFL);
}

void SignalRelay::EndBy(int signal) {
    std::signal(signal, SIG_DFL);
    ::raise(signal);
    ::_exit(128 + signal); // a signal that is blocked or ignored still ends it
}
