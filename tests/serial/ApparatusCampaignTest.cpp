// SPDX-License-Identifier: GPL-3.0-or-later
// Fault campaign on the line: the other side vanishing in the middle of an
// answer, bursts of garbage, an answer at full speed. Each fault gives at
// most one message, Cancel always ends the dialog at once, and no thread or
// file is left behind.

#include "SerialTestSupport.h"
#include "device/ReceiveDlg.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"
#include "v7sim/AnswerBuilder.h"

#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <iterator>

namespace {

class ApparatusCampaign : public SerialTest {
protected:
    int ReadErrors() const {
        const QString prefix = LoadStr(IDS_ERR_READ_PORT).section(QLatin1Char('%'), 0, 0);
        int n = 0;
        for (const ShownMessage& m : ui.messages)
            n += m.text.startsWith(prefix) ? 1 : 0;
        return n;
    }
    // Cancel with a transfer under way, confirmed: the dialog ends at once.
    void CancelAtOnce(CReceiveDlg& dialog) {
        ui.messageAnswers = {MbResult::Ok};
        const auto start = std::chrono::steady_clock::now();
        dialog.reject();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_LT(MillisecondsSince(start), 2000 * SanitizerSlowdown());
    }
};

QByteArray Answer(int garbage) {
    QStringList names;
    for (int k = 0; k < 16; ++k)
        names << QString(98, QChar('a' + k));
    v7sim::AnswerOptions options;
    options.garbage = garbage;
    const auto bytes = v7sim::BuildAnswer(names, options);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace

TEST_F(ApparatusCampaign, EveryFaultGivesOneMessageAtMostAndLeavesNothingBehind) {
    const QByteArray full = Answer(0);
    // Each fault plays until the dialog has seen all of it.
    struct Fault {
        const char* name;
        std::function<void(Pty&, CReceiveDlg&)> play;
        bool complete;
    };
    const Fault faults[] = {
        {"line closes mid-answer",
         [&](Pty& line, CReceiveDlg& dialog) {
             line.Send(full.left(full.size() / 2));
             EXPECT_TRUE(PumpUntil([&] { return dialog.ReceivedCount() > 0; }, 2000));
             line.CloseMaster();
             EXPECT_TRUE(PumpUntil([&] { return ReadErrors() == 1; }, 2000));
             // A reader that reported the lasting failure again would do so
             // in this window.
             PumpFor(QuietWindowMs());
         },
         false},
        {"bursts of garbage",
         [&](Pty& line, CReceiveDlg& dialog) {
             QByteArray garbage;
             for (int i = 0; i < 3000; ++i)
                 garbage.append(char(0x20 + (i * 7) % 200));
             // An answer's start after the garbage shows when all of it is read.
             line.Send(garbage + QByteArray("\x00\x08", 2));
             EXPECT_TRUE(PumpUntil([&] { return dialog.ReceivedNames().size() == 16; }, 5000));
         },
         false},
        {"full speed, no pacing",
         [&](Pty& line, CReceiveDlg& dialog) {
             line.Send(Answer(500));
             EXPECT_TRUE(PumpUntil([&] { return dialog.result() == QDialog::Accepted; }, 5000));
         },
         true},
    };
    // Each fault is played twice and counted only at its second time: what
    // the libraries and sanitizers set up once on first use (a helper thread,
    // a symbolizer's pipes, whichever fault first needs it) is not a leak; a
    // leak grows every time.
    int files = -1;
    std::set<int> threads;
    for (int round = 0; round < 2 * int(std::size(faults)); ++round) {
        const Fault& fault = faults[round / 2];
        const bool counted = round % 2 == 1;
        ui.messages.clear();
        auto line = std::make_unique<Pty>();
        SetCom(1, line->Path());
        {
            CReceiveDlg dialog;
            dialog.show();
            QTest::mouseClick(dialog.StartButton(), Qt::LeftButton);
            fault.play(*line, dialog);
            EXPECT_LE(ReadErrors(), 1) << fault.name;
            if (fault.complete) {
                EXPECT_EQ(dialog.result(), QDialog::Accepted) << fault.name;
                EXPECT_EQ(dialog.ReceivedNames()[15], std::string(98, 'p'));
            } else {
                EXPECT_TRUE(dialog.isVisible()) << fault.name;
                CancelAtOnce(dialog);
            }
        }
        line.reset();
        if (!counted) {
            PumpUntil([] { return true; }, 0);
            files = OpenFileCount();
            threads = ThreadIds();
            continue;
        }
        EXPECT_TRUE(
            PumpUntil([&] { return OpenFileCount() == files && NoThreadBesides(threads); }, 2000))
            << fault.name;
        EXPECT_EQ(OpenFileCount(), files) << fault.name;
        EXPECT_TRUE(NoThreadBesides(threads)) << fault.name;
    }
}
