// SPDX-License-Identifier: GPL-3.0-or-later
// The reader thread, writing and closing.

#include "SerialTestSupport.h"

namespace {

// A port on a fresh pty as COM1 with the receive dialog's line settings.
struct OpenPort {
    explicit OpenPort(PortEventLog* log, DWORD handOverTimeout = 120000) {
        qputenv("QUINTARA_COM1", QByteArray::fromStdString(pty.Path()));
        port.SetFlowControl(false, true);
        port.SetHandOverTimeout(handOverTimeout);
        port.SetWriteTimeoutConstant(100);
        port.SetNotifyWindow(log);
        port.FindPort(1, 4);
    }
    Pty pty;
    CComPort port;
};

} // namespace

TEST_F(SerialTest, NothingIsPostedWhileNothingArrives) {
    PortEventLog log;
    OpenPort p(&log);
    // Bytes that were waiting before the port opened are dropped by Open.
    p.pty.Send("stale");
    ASSERT_TRUE(PumpUntil([&] { return p.pty.Pending() == 5; }, 2000));
    ASSERT_EQ(p.port.Open(), 1);
    // The reader polls the empty line all through the window.
    PumpFor(QuietWindowMs());
    EXPECT_TRUE(log.entries.empty());
    // The first chunk is what came after the opening.
    p.pty.Send("new");
    ASSERT_TRUE(PumpUntil([&] { return !log.entries.empty(); }, 2000));
    EXPECT_EQ(log.entries[0].bytes, "new");
}

TEST_F(SerialTest, AChunkIsPostedOnceAndTheNextReadWaitsForTheRelease) {
    PortEventLog log;
    // A short hand-over wait: running out of it must not lead to a read.
    OpenPort p(&log, 20);
    ASSERT_EQ(p.port.Open(), 1);

    p.pty.Send("hello");
    ASSERT_TRUE(PumpUntil([&] { return !log.entries.empty(); }, 2000));
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0].count, 5);
    EXPECT_EQ(log.entries[0].port, &p.port);
    EXPECT_EQ(log.entries[0].bytes, "hello");

    // More data while the owner holds the chunk waits in the driver, through
    // the several 20 ms hand-over waits that run out in the window.
    p.pty.Send("world");
    ASSERT_TRUE(PumpUntil([&] { return p.pty.Pending() == 5; }, 2000));
    PumpFor(QuietWindowMs());
    EXPECT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(p.pty.Pending(), 5);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(p.port.ReadBuffer(5).data()), 5), "hello");

    p.port.ReleaseReadBuffer();
    ASSERT_TRUE(PumpUntil([&] { return log.entries.size() == 2; }, 2000));
    EXPECT_EQ(log.entries[1].bytes, "world");

    // A long answer comes in chunks of at most 100 bytes, in order.
    log.entries.clear();
    log.autoRelease = true;
    QByteArray answer;
    for (int i = 0; i < 250; ++i)
        answer += char('A' + i % 26);
    p.port.ReleaseReadBuffer();
    p.pty.Send(answer);
    ASSERT_TRUE(PumpUntil([&] { return log.AllBytes().size() >= answer.size(); }, 3000));
    EXPECT_EQ(log.AllBytes(), answer);
    for (const auto& e : log.entries) {
        EXPECT_GE(e.count, 1);
        EXPECT_LE(e.count, 100);
    }
}

TEST_F(SerialTest, WritesGoOutWholeOrFail) {
    CComPort closed;
    EXPECT_TRUE(closed.Write(nullptr, 0));
    EXPECT_FALSE(closed.Write("\x00\x07", 2));

    PortEventLog log;
    OpenPort p(&log);
    ASSERT_EQ(p.port.Open(), 1);
    const QByteArray request("\x00\x07", 2);
    EXPECT_TRUE(p.port.Write(request.constData(), 2));
    EXPECT_EQ(p.pty.Receive(request, 2000), request);

    // XOFF from the other side holds the output: the write gives up after
    // its time-out (100 ms here plus 1 ms a byte) and says so.
    p.pty.Send("\x13");
    ASSERT_TRUE(PumpUntil([&] { return p.pty.OutputStopped(); }, 2000));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(p.port.Write("0123456789", 10));
    const qint64 took = MillisecondsSince(start);
    EXPECT_GE(took, 100);
    EXPECT_LT(took, 1000 * SanitizerSlowdown());
    // XON lets it go again.
    p.pty.Send("\x11");
    ASSERT_TRUE(PumpUntil([&] { return !p.pty.OutputStopped(); }, 2000));
    EXPECT_TRUE(p.port.Write("ok", 2));
    EXPECT_EQ(p.pty.Receive("ok", 2000), "ok");
    // The flow-control bytes never reach the owner.
    PumpFor(QuietWindowMs());
    EXPECT_TRUE(log.entries.empty());
}

TEST_F(SerialTest, CloseIsHarmlessTwiceAndEndsAWaitingReaderAtOnce) {
    CComPort never;
    never.Close();
    never.Close();
    EXPECT_FALSE(never.IsOpen());

    PortEventLog log;
    OpenPort p(&log);
    ASSERT_EQ(p.port.Open(), 1);
    p.pty.Send("x");
    ASSERT_TRUE(PumpUntil([&] { return !log.entries.empty(); }, 2000));
    // The reader now waits up to two minutes for the release.
    const auto start = std::chrono::steady_clock::now();
    p.port.Close();
    EXPECT_LT(MillisecondsSince(start), 2000 * SanitizerSlowdown())
        << "far below the reader's two-minute wait";
    EXPECT_FALSE(p.port.IsOpen());
    p.port.Close();

    // The same port opens again and reads again.
    ASSERT_EQ(p.port.Open(), 1);
    p.pty.Send("y");
    ASSERT_TRUE(PumpUntil([&] { return log.entries.size() == 2; }, 2000));
    EXPECT_EQ(log.entries[1].bytes, "y");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SerialTest, ManyOpenCloseCyclesLeaveNoThreadOrFileBehind) {
    Pty pty;
    SetCom(2, pty.Path());
    PortEventLog mainWindow;
    ui.SetMainWindow(&mainWindow);
    CComPort port;
    port.FindPort(2, 4);
    // One cycle first: the race checker starts a helper thread of its own
    // with the first thread the process makes.
    ASSERT_EQ(port.Open(), 1);
    // With no window named, chunks go to the main window.
    pty.Send("m");
    ASSERT_TRUE(PumpUntil([&] { return !mainWindow.entries.empty(); }, 2000));
    EXPECT_EQ(mainWindow.entries[0].bytes, "m");
    port.Close();
    const int files = OpenFileCount();
    const std::set<int> threads = ThreadIds();
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(port.Open(), 1) << "cycle " << i;
        port.Close();
    }
    {
        CComPort second;
        second.FindPort(2, 4);
        ASSERT_EQ(second.Open(), 1);
        // The destructor closes an open port.
    }
    EXPECT_EQ(OpenFileCount(), files);
    EXPECT_TRUE(PumpUntil([&] { return NoThreadBesides(threads); }, 2000))
        << ThreadIds().size() << " threads, " << threads.size() << " before";
    EXPECT_FALSE(IsExclusive(pty.Slave()));
    EXPECT_TRUE(ui.messages.empty());
    ui.SetMainWindow(nullptr);
}

TEST_F(SerialTest, TheOtherEndGoingAwayIsReportedOnce) {
    PortEventLog log;
    log.autoRelease = true;
    OpenPort p(&log);
    ASSERT_EQ(p.port.Open(), 1);
    p.pty.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return !log.entries.empty(); }, 2000));
    // Released at once, yet the lasting failure is not reported again in
    // all the reader's polls of the window.
    PumpFor(QuietWindowMs());
    ASSERT_EQ(log.entries.size(), 1u);
    EXPECT_EQ(log.entries[0].count, -1);
    EXPECT_FALSE(p.port.Write("\x00\x07", 2));
    const auto start = std::chrono::steady_clock::now();
    p.port.Close();
    EXPECT_LT(MillisecondsSince(start), 2000 * SanitizerSlowdown())
        << "far below the reader's two-minute wait";
    EXPECT_TRUE(ui.messages.empty());
}
