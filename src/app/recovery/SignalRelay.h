// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hands the signals that end a program on request (SIGTERM, SIGHUP, SIGINT:
// a logout, a closed terminal, Ctrl+C) to the UI thread, where the program
// can keep its work before it ends. The handler itself only writes the
// signal's number to a pipe, which is all a signal handler may safely do.

#include <QSocketNotifier>
#include <functional>
#include <memory>

class SignalRelay {
public:
    // `handler` runs on the thread that made the relay, once per signal.
    explicit SignalRelay(std::function<void(int)> handler);
    // Gives the signals back to their default action.
    ~SignalRelay();
    SignalRelay(const SignalRelay&) = delete;
    SignalRelay& operator=(const SignalRelay&) = delete;

    // Ends the program as the signal would have without the relay.
    static void EndBy(int signal);

private:
    std::function<void(int)> handler_;
    std::unique_ptr<QSocketNotifier> notifier_;
};
