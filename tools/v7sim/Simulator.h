// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays the Telvora V7 on a serial line: waits for the request 0x00 0x07
// and answers with the 16 key names, at the pace of a 9600-baud line.

#include "v7sim/AnswerBuilder.h"

#include <QString>
#include <QStringList>
#include <atomic>

namespace v7sim {

struct SimulatorOptions {
    QString device;        // serial device to use; empty: a new pseudo-terminal
    QStringList names;     // names of keys 0 to 15
    AnswerOptions answer;  // order, left-out keys, garbage
    int chunk = 8;         // bytes written at once
    int baud = 9600;       // pace of the line (10 bits per byte)
    bool fast = false;     // no pacing at all
    bool noAnswer = false; // read requests but never answer
    bool once = false;     // end after the first answer
};

class Simulator {
public:
    explicit Simulator(SimulatorOptions options) : options_(std::move(options)) {}
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // As a program: opens the line, prints its path on standard output and
    // serves requests until SIGINT or SIGTERM. Answers the exit status.
    int Run();

    // Within another program (tests start no child processes, which thread
    // sanitizers handle badly): Open, then Serve on a thread of its own, and
    // Stop from any thread to end it within 200 ms.
    bool Open();
    const QString& Path() const { return path_; }
    int Serve();
    void Stop() { stop_ = true; }
    // Answers sent in full so far.
    int Answered() const { return answered_.load(); }

private:
    bool Stopping() const;
    bool SendAnswer();
    // Waits until the answer has been read from the line.
    void Linger();

    SimulatorOptions options_;
    std::atomic<bool> stop_{false};
    std::atomic<int> answered_{0};
    int fd_ = -1;     // the side we read and write
    int keepFd_ = -1; // the pseudo-terminal's other side, held open
    QString path_;
};

} // namespace v7sim
