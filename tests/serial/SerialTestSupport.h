// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for the serial port tests: pseudo-terminal pairs standing in for
// the line, a window that records what the port's reader posts, COM n
// pointed at chosen devices, and counts of open files and threads.

#include "ScriptedWindowHost.h"
#include "device/ComPort.h"
#include "platform/serial/PortLister.h"

#include <QByteArray>
#include <QWidget>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

// How many times longer things may take in a build with a sanitizer than
// in a plain one: deadlines and upper bounds on times are stretched by it.
constexpr int SanitizerSlowdown() {
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
    return 5;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer) || __has_feature(address_sanitizer)
    return 5;
#else
    return 1;
#endif
#else
    return 1;
#endif
}

// One pseudo-terminal pair. The port opens the slave by its path; the test
// plays the other side on the master. The test keeps its own slave
// descriptor to look at the terminal's settings and queues.
class Pty {
public:
    Pty();
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    const std::string& Path() const { return path_; }
    int Slave() const { return slave_; }
    void Send(const QByteArray& bytes);
    // What arrived on the master until it ends with `tail`, or all that
    // arrived within `ms` milliseconds (stretched by SanitizerSlowdown).
    QByteArray Receive(const QByteArray& tail, int ms);
    // Bytes sent that wait on the slave's side for the port to read them.
    int Pending() const;
    // Whether the terminal holds its output (after XOFF with XON/XOFF on).
    // Tries a byte of its own, which is taken off the master again when it
    // goes out; so only while the port writes nothing.
    bool OutputStopped();
    void CloseMaster();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

// Records every WM_PORTDATA it is sent, with a copy of the chunk. A widget,
// so that it can stand in for the main window too.
class PortEventLog : public QWidget {
public:
    struct Entry {
        int count;
        CComPort* port;
        QByteArray bytes;
    };
    std::vector<Entry> entries;
    // Hand the buffer back at once, as a receiver that is done with it.
    bool autoRelease = false;

    bool event(QEvent* e) override;
    QByteArray AllBytes() const;
};

// Delivers posted events until `done` holds; false when it still does not
// after `ms` milliseconds (stretched by SanitizerSlowdown).
bool PumpUntil(const std::function<bool()>& done, int ms);
// Delivers posted events for `ms` milliseconds: a window in which a test
// shows that something does not happen.
void PumpFor(int ms);
// The window in which a port's reader must post nothing more: fifteen of
// its 10 ms polls, stretched by SanitizerSlowdown.
int QuietWindowMs();

int OpenFileCount();
// The ids of the process's threads as the kernel lists them. A joined thread
// may stay listed for a moment: the kernel wakes the joiner before it takes
// the finished thread off the list. So a leak check compares sets: no thread
// may be listed that was not listed before (one that was may have gone).
std::set<int> ThreadIds();
// Whether every thread the kernel lists now is one of `ids`.
bool NoThreadBesides(const std::set<int>& ids);
// Opens `path` as another program would and locks it; -1 when that fails.
int LockAsAnotherProgram(const std::string& path);
// Whether the terminal behind `fd` is in exclusive mode.
bool IsExclusive(int fd);
qint64 MillisecondsSince(std::chrono::steady_clock::time_point start);

// A machine with the serial devices the test names; installed while it lives.
class FixedPortLister final : public PortLister {
public:
    FixedPortLister() { SetPortLister(this); }
    ~FixedPortLister() override { SetPortLister(nullptr); }
    std::vector<SerialPortEntry> entries;
    std::vector<SerialPortEntry> List() override { return entries; }
};

// Points COM1 to COM4 at devices that do not exist, so no test ever reaches
// a real port, and installs a scripted UI host.
class SerialTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    static void SetCom(int n, const std::string& path);
    static void UnsetCom(int n);
    static std::string Missing(int n);

    ScriptedWindowHost ui;
};
