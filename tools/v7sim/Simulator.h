#pragma once
// Plays the Telvora V7 on a serial line: waits for the request 0x00 0x07
// and answers with the 16 key names, at the pace of a 9600-baud line.

#include "v7sim/AnswerBuilder.h"

#include <QString>
#include <QStringList>

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
    // Opens the line, prints its path on standard output, serves requests.
    // Answers the exit status.
    int Run();

private:
    bool Open();
    bool SendAnswer();
    // Waits until the answer has been read from the line.
    void Linger();

    SimulatorOptions options_;
    int fd_ = -1;     // the side we read and write
    int keepFd_ = -1; // the pseudo-terminal's other side, held open
    QString path_;
};

} // namespace v7sim
