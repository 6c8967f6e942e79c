// SPDX-License-Identifier: GPL-3.0-or-later
// The receive path at the pace of a 9600-baud line: the real dialog, port
// and reader thread take the 16 longest names from the apparatus simulator,
// from the click on "Uebertragung starten" to the dialog closing. The floor
// is the line's own time, measured in the same run: a plain loop that sends
// the request to the same simulator and reads until the answer's last byte.

#include "BenchMain.h"
#include "device/ReceiveDlg.h"
#include "platform/ui/UiHost.h"
#include "v7sim/Simulator.h"

#include <QCoreApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// The simulator with 16 names of the greatest length, paced at 9600 baud.
class Apparatus {
public:
    Apparatus() : sim_(Options()) {
        sim_.Open();
        qputenv("QUINTARA_COM1", sim_.Path().toLocal8Bit());
        thread_ = std::thread([this] { sim_.Serve(); });
    }
    ~Apparatus() {
        sim_.Stop();
        thread_.join();
    }
    std::string Path() const { return sim_.Path().toStdString(); }
    // 0x00 0x08, 16 records of key, 98 characters and 0x0D, and 0x00.
    static constexpr int kAnswerBytes = 2 + 16 * 100 + 1;

private:
    static v7sim::SimulatorOptions Options() {
        v7sim::SimulatorOptions options;
        for (int k = 0; k < 16; ++k)
            options.names << QString(98, QChar('A' + k));
        return options;
    }
    v7sim::Simulator sim_;
    std::thread thread_;
};

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Dialog(benchmark::State& state) {
    // No host installed: messages are answered without being shown.
    SetUiHost(nullptr);
    Apparatus apparatus;
    for (auto _ : state) {
        CReceiveDlg dialog;
        dialog.show();
        QCoreApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        dialog.StartButton()->click();
        while (dialog.isVisible() && Seconds(start) < 10)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        state.SetIterationTime(Seconds(start));
        if (dialog.result() != QDialog::Accepted || dialog.ReceivedCount() != 16)
            state.SkipWithError("the names did not arrive");
    }
}

void Line(benchmark::State& state) {
    Apparatus apparatus;
    const int fd = ::open(apparatus.Path().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
    for (auto _ : state) {
        ::tcflush(fd, TCIOFLUSH);
        const auto start = std::chrono::steady_clock::now();
        if (::write(fd, "\x00\x07", 2) != 2)
            state.SkipWithError("request not sent");
        int got = 0;
        while (got < Apparatus::kAnswerBytes && Seconds(start) < 10) {
            pollfd p{fd, POLLIN, 0};
            ::poll(&p, 1, 100);
            std::uint8_t buffer[256];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            got += n > 0 ? int(n) : 0;
        }
        state.SetIterationTime(Seconds(start));
        if (got < Apparatus::kAnswerBytes)
            state.SkipWithError("the answer did not arrive");
    }
    ::close(fd);
    state.counters["theoretical_s"] = Apparatus::kAnswerBytes * 10.0 / 9600.0;
}

BENCHMARK(Line)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(Dialog)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

const std::vector<RatioPair> kRatios = {
    {"Dialog", "Line", "the line's own time (plain reads of the same answer)"},
};
