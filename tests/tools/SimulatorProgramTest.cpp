// SPDX-License-Identifier: GPL-3.0-or-later
// The apparatus simulator as a program: its command line reaches the answer
// it sends, and it answers the request on the pseudo-terminal it names.

#include "v7sim/AnswerBuilder.h"

#include <QProcess>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::vector<std::uint8_t> Exchange(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    EXPECT_GE(fd, 0) << path;
    if (fd < 0)
        return {};
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd, TCSANOW, &t);
    EXPECT_EQ(::write(fd, "\x00\x07", 2), 2);
    std::vector<std::uint8_t> got;
    // The answer ends with the NUL after the last record.
    while (got.size() < 3 || got.back() != 0x00) {
        pollfd p{fd, POLLIN, 0};
        std::uint8_t buffer[256];
        const ssize_t n = ::poll(&p, 1, 10000) == 1 ? ::read(fd, buffer, sizeof buffer) : 0;
        if (n <= 0) {
            ADD_FAILURE() << "the answer stopped after " << got.size() << " bytes";
            break;
        }
        got.insert(got.end(), buffer, buffer + n);
    }
    ::close(fd);
    return got;
}

} // namespace

TEST(SimulatorProgram, AnswersTheRequestAsItsCommandLineSays) {
    QProcess sim;
    sim.start(QStringLiteral(QUINTARA_BINARY_DIR "/v7sim"),
              {"--once", "--fast", "--chunk", "5", "--order", "reverse", "--skip", "4,7"});
    ASSERT_TRUE(sim.waitForReadyRead(5000));
    const std::string path = sim.readLine().trimmed().toStdString();
    ASSERT_FALSE(path.empty());

    v7sim::AnswerOptions options;
    for (int k = 15; k >= 0; --k)
        options.order.push_back(k);
    options.skip = {4, 7};
    EXPECT_EQ(Exchange(path), v7sim::BuildAnswer(v7sim::DemoNames(), options));

    // --once: it ends by itself once the answer has been read.
    EXPECT_TRUE(sim.waitForFinished(5000));
    EXPECT_EQ(sim.exitCode(), 0);
}

TEST(SimulatorProgram, RefusesAnUnknownSwitch) {
    QProcess sim;
    sim.start(QStringLiteral(QUINTARA_BINARY_DIR "/v7sim"), {"--bogus"});
    ASSERT_TRUE(sim.waitForFinished(5000));
    EXPECT_NE(sim.exitCode(), 0);
}
