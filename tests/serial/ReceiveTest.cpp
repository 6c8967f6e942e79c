// SPDX-License-Identifier: GPL-3.0-or-later
// The receive dialog end to end: the real dialog and port against the
// apparatus simulator (or a pseudo-terminal the test plays itself).

#include "SerialTestSupport.h"
#include "device/ApparatusReceiver.h"
#include "device/PortsDialog.h"
#include "device/ReceiveDlg.h"
#include "document/V7NamenDoc.h"
#include "view/V7NamenView.h"

#include "platform/files/Profile.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"
#include "v7sim/Simulator.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

namespace {

// The apparatus simulator on a pseudo-terminal of its own, served from a
// thread of this process.
class Simulator {
public:
    explicit Simulator(v7sim::SimulatorOptions options) : sim_(std::move(options)) {
        EXPECT_TRUE(sim_.Open());
        thread_ = std::thread([this] { sim_.Serve(); });
    }
    ~Simulator() {
        sim_.Stop();
        thread_.join();
    }
    std::string Path() const { return sim_.Path().toStdString(); }
    int Answered() const { return sim_.Answered(); }

private:
    v7sim::Simulator sim_;
    std::thread thread_;
};

v7sim::SimulatorOptions Options() {
    v7sim::SimulatorOptions options;
    options.names = v7sim::DemoNames();
    return options;
}

class Receive : public SerialTest {
protected:
    void SetUp() override {
        SerialTest::SetUp();
        SetNameReceiver(&receiver);
        doc.AddView(&view);
        doc.ResetToNew();
        doc.SetTitle("vorher.V7N");
    }
    void TearDown() override {
        doc.RemoveView(&view);
        SetNameReceiver(nullptr);
        SerialTest::TearDown();
    }
    // Scripts the dialog: `play` runs once it is shown; the dialog must then
    // close within `ms` (it is closed if it does not, so the test goes on).
    void ScriptDialog(std::function<void(CReceiveDlg&)> play, int timeout = 400, int ms = 10000) {
        ui.dialogScripts.push_back([play, timeout, ms](QDialog& d) {
            auto& dialog = dynamic_cast<CReceiveDlg&>(d);
            dialog.SetAnswerTimeout(timeout);
            dialog.show();
            play(dialog);
            EXPECT_TRUE(PumpUntil([&] { return !dialog.isVisible(); }, ms))
                << "the dialog stays open";
            if (dialog.isVisible())
                dialog.done(QDialog::Rejected);
            return dialog.result();
        });
    }
    int Count(int stringId) const {
        const QString text = LoadStr(stringId).section(QLatin1Char('%'), 0, 0);
        int n = 0;
        for (const ShownMessage& m : ui.messages)
            n += m.text.startsWith(text) ? 1 : 0;
        return n;
    }

    ApparatusReceiver receiver;
    CV7NamenView view;
    CV7NamenDoc doc;
};

} // namespace

TEST_F(Receive, NamesFromTheSimulatorArriveInTheDocument) {
    auto options = Options();
    options.once = true;
    Simulator sim(options);
    SetCom(1, sim.Path());
    doc.names[0] = "alt";
    doc.colors[4] = 0x123456;
    ScriptDialog([](CReceiveDlg& d) {
        EXPECT_TRUE(d.PortButton(1)->isChecked());
        QTest::mouseClick(d.StartButton(), Qt::LeftButton);
    });
    doc.OnReceiveNames();
    EXPECT_EQ(ui.MessageTexts(), QStringList({"16 Namen empfangen vom Telvora V7"}));
    EXPECT_EQ(doc.GetName(0), "Zentrale");
    EXPECT_EQ(doc.GetName(3), std::string("M\xFCller"));
    EXPECT_EQ(doc.GetName(11), std::string("Gesch\xE4"
                                           "ftsf\xFChrung"));
    EXPECT_EQ(doc.GetName(15), std::string("T\xFCr\xF6"
                                           "ffner"));
    EXPECT_EQ(doc.colors[4], 0u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().isEmpty());
    EXPECT_EQ(doc.GetTitle(), QString("vorher.V7N"));

    // One step takes all of it back, and brings it again.
    EXPECT_EQ(doc.UndoStack().undoText(), QString("Namen empfangen"));
    doc.Undo();
    EXPECT_FALSE(doc.UndoStack().canUndo());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetName(0), "alt");
    EXPECT_EQ(doc.GetName(3), "");
    EXPECT_EQ(doc.colors[4], 0x123456u);
    doc.Redo();
    EXPECT_EQ(doc.GetName(15), std::string("T\xFCr\xF6"
                                           "ffner"));
    EXPECT_EQ(doc.colors[4], 0u);
}

TEST_F(Receive, FastAnswersInSmallChunksAndOtherOrdersAreReadAlike) {
    auto options = Options();
    options.once = options.fast = true;
    options.chunk = 3;
    options.answer.order = {15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    options.answer.skip = {4};
    options.answer.garbage = 9;
    Simulator sim(options);
    SetCom(1, sim.Path());
    ScriptDialog([](CReceiveDlg& d) { QTest::mouseClick(d.StartButton(), Qt::LeftButton); });
    doc.OnReceiveNames();
    EXPECT_EQ(ui.MessageTexts(), QStringList({"15 Namen empfangen vom Telvora V7"}));
    EXPECT_EQ(doc.GetName(4), "");
    EXPECT_EQ(doc.GetName(5), std::string("Wei\xDF"));
}

TEST_F(Receive, NoAnswerTimesOutAndCancelThenLeavesTheStrip) {
    auto options = Options();
    options.noAnswer = true;
    Simulator sim(options);
    SetCom(1, sim.Path());
    doc.names[2] = "bleibt";
    ScriptDialog([](CReceiveDlg& d) {
        QTest::mouseClick(d.StartButton(), Qt::LeftButton);
        EXPECT_FALSE(d.StartButton()->isEnabled());
        EXPECT_FALSE(d.PortsButton()->isEnabled()) << "the ports stay as they are mid-transfer";
        EXPECT_TRUE(PumpUntil([&] { return d.StartButton()->isEnabled(); }, 5000))
            << "the time-out gives the button back";
        EXPECT_TRUE(d.PortsButton()->isEnabled());
        d.reject(); // nothing under way: closes without asking
    });
    doc.OnReceiveNames();
    EXPECT_EQ(ui.MessageTexts(), QStringList({"Keine Daten empfangen vom Telvora V7 (Timeout)"}));
    EXPECT_EQ(doc.GetName(2), "bleibt");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.UndoStack().count(), 0);
}

TEST_F(Receive, GarbageEndsTheTimeOutAndCancelAsksFirst) {
    Pty line;
    SetCom(1, line.Path());
    doc.names[2] = "bleibt";
    ui.messageAnswers = {MbResult::Cancel, MbResult::Ok};
    const QByteArray request("\x00\x07", 2);
    constexpr int kTimeout = 1200;
    ScriptDialog(
        [&](CReceiveDlg& d) {
            QTest::mouseClick(d.StartButton(), Qt::LeftButton);
            EXPECT_EQ(line.Receive(request, 2000), request);
            line.Send("xyz\x08");
            // A time-out that the garbage did not end would run out in this
            // window.
            PumpFor(kTimeout + 600);
            EXPECT_FALSE(d.AnswerTimerRunning());
            EXPECT_FALSE(d.StartButton()->isEnabled());
            d.reject(); // answered Cancel: stays open
            EXPECT_TRUE(d.isVisible());
            d.reject(); // answered OK: closes
        },
        kTimeout);
    doc.OnReceiveNames();
    EXPECT_EQ(Count(IDS_ERR_TIMEOUT), 0);
    EXPECT_EQ(Count(IDS_ASK_CANCEL_RECEIVE), 2);
    EXPECT_EQ(ui.messages[0].buttons, MbButtons::OkCancel);
    EXPECT_EQ(doc.GetName(2), "bleibt");
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(Receive, ALineThatGoesAwayIsReportedOnceNotAsAPile) {
    auto line = std::make_unique<Pty>();
    SetCom(1, line->Path());
    ui.messageAnswers = {MbResult::Ok, MbResult::Ok};
    ScriptDialog([&](CReceiveDlg& d) {
        QTest::mouseClick(d.StartButton(), Qt::LeftButton);
        line->Send(QByteArray("\x00\x08\x30"
                              "AB",
                              5));
        // The answer has begun: its header lays out the 16 names.
        ASSERT_TRUE(PumpUntil([&] { return d.ReceivedNames().size() == 16; }, 2000));
        line->CloseMaster();
        ASSERT_TRUE(PumpUntil([&] { return Count(IDS_ERR_READ_PORT) == 1; }, 2000));
        // Each report is released at once; a reader that reported the
        // lasting failure again would do so in this window.
        PumpFor(QuietWindowMs());
        ui.messageAnswers = {MbResult::Ok};
        d.reject();
    });
    doc.OnReceiveNames();
    EXPECT_EQ(Count(IDS_ERR_READ_PORT), 1) << ui.MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(doc.GetName(0), "");
}

TEST_F(Receive, APathTypedInTheAnschluesseDialogIsProbedAndCarriesTheTransfer) {
    QTemporaryDir dir;
    qputenv("QUINTARA_PROFILE", dir.filePath(QStringLiteral("quintara.ini")).toLocal8Bit());
    FixedPortLister lister;
    auto options = Options();
    options.once = true;
    Simulator sim(options);
    // Set in the profile only, so that no port falls back to a real device.
    {
        Profile profile;
        for (int n = 1; n <= 4; ++n) {
            UnsetCom(n);
            profile.SetString("Ports", QStringLiteral("COM%1").arg(n), Missing(n).c_str());
        }
        profile.Sync();
    }
    ScriptDialog([&](CReceiveDlg& d) {
        EXPECT_FALSE(d.PortButton(2)->isChecked());
        QTest::mouseClick(d.PortsButton(), Qt::LeftButton);
        EXPECT_EQ(d.PortButton(2)->toolTip().toStdString(), sim.Path());
        EXPECT_TRUE(d.PortButton(2)->isChecked()) << "the new device is probed";
        QTest::mouseClick(d.StartButton(), Qt::LeftButton);
    });
    ui.dialogScripts.push_back([&](QDialog& d) {
        auto& ports = dynamic_cast<PortsDialog&>(d);
        ports.show();
        ports.OnChoose(2, ports.OtherIndex(2));
        ports.PathEdit(2)->clear();
        QTest::keyClicks(ports.PathEdit(2), QString::fromStdString(sim.Path()));
        QTest::mouseClick(ports.OkButton(), Qt::LeftButton);
        return ports.result();
    });
    doc.OnReceiveNames();
    EXPECT_EQ(ui.MessageTexts(), QStringList({"16 Namen empfangen vom Telvora V7"}));
    EXPECT_EQ(doc.GetName(15), std::string("T\xFCr\xF6"
                                           "ffner"));
    EXPECT_EQ(Profile().GetString("Ports", "COM2").toStdString(), sim.Path());
}

TEST_F(Receive, WithoutAnyPortTheRequestCannotBeSent) {
    ScriptDialog([](CReceiveDlg& d) {
        for (int n = 1; n <= 4; ++n)
            EXPECT_FALSE(d.PortButton(n)->isChecked());
        QTest::mouseClick(d.StartButton(), Qt::LeftButton);
        EXPECT_TRUE(d.StartButton()->isEnabled());
        d.reject();
    });
    doc.OnReceiveNames();
    EXPECT_EQ(ui.MessageTexts(), QStringList({"Fehler beim Senden an Telvora V7"}));
}

TEST_F(Receive, WhatArrivesWhileCancelIsAskedWaitsForTheAnswer) {
    const QString names = QStringLiteral("16 Namen empfangen vom Telvora V7");
    const QString ask = LoadStr(IDS_ASK_CANCEL_RECEIVE);
    // Esc right after the start; the whole answer reaches the line while the
    // question is open. OK drops it unread; Abbrechen reads it as if the
    // question had never been asked.
    for (const MbResult answer : {MbResult::Ok, MbResult::Cancel}) {
        ui.messages.clear();
        doc.names[0] = "bleibt";
        auto options = Options();
        options.once = true;
        Simulator sim(options);
        SetCom(1, sim.Path());
        ui.whileShown = [&](const ShownMessage& m) {
            if (m.buttons != MbButtons::OkCancel)
                return;
            EXPECT_TRUE(PumpUntil([&] { return sim.Answered() == 1; }, 3000));
            // The answer is on the line: a dialog that did not hold it would
            // read it in this window and say so over the question.
            PumpFor(QuietWindowMs());
            EXPECT_EQ(ui.MessageTexts(), QStringList{m.text}) << "nothing over the question";
            ui.messageAnswers = {answer};
        };
        ScriptDialog([](CReceiveDlg& d) {
            QTest::mouseClick(d.StartButton(), Qt::LeftButton);
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        doc.OnReceiveNames();
        if (answer == MbResult::Ok) {
            EXPECT_EQ(ui.MessageTexts(), QStringList{ask});
            EXPECT_EQ(doc.GetName(0), "bleibt");
            EXPECT_FALSE(doc.IsModified());
        } else {
            EXPECT_EQ(ui.MessageTexts(), (QStringList{ask, names}));
            EXPECT_EQ(doc.GetName(0), "Zentrale");
            EXPECT_TRUE(doc.IsModified());
            doc.ResetToNew();
        }
    }

    // A time-out that runs out while the question is open is reported once
    // the question is answered with Abbrechen, not over it.
    ui.messages.clear();
    Pty line;
    SetCom(1, line.Path());
    CReceiveDlg* dialog = nullptr;
    ui.whileShown = [&](const ShownMessage& m) {
        if (m.buttons != MbButtons::OkCancel)
            return;
        EXPECT_TRUE(PumpUntil([&] { return !dialog->AnswerTimerRunning(); }, 3000))
            << "the time-out runs out while the question is open";
        EXPECT_EQ(ui.MessageTexts(), QStringList{m.text});
        ui.messageAnswers = {MbResult::Cancel};
    };
    ScriptDialog([&](CReceiveDlg& d) {
        dialog = &d;
        QTest::mouseClick(d.StartButton(), Qt::LeftButton);
        ASSERT_TRUE(PumpUntil([&] { return d.AnswerTimerRunning(); }, 2000));
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.StartButton()->isEnabled());
        d.reject(); // nothing under way any more: closes without asking
    });
    doc.OnReceiveNames();
    EXPECT_EQ(ui.MessageTexts(), (QStringList{ask, LoadStr(IDS_ERR_TIMEOUT)}));
}

TEST_F(Receive, ALineHeldByXoffNeverFreezesTheWindow) {
    Pty line;
    SetCom(1, line.Path());
    const QByteArray request("\x00\x07", 2);
    // With the full five seconds of the write's bound: the click returns long
    // before the bound, and Abbrechen ends the dialog and the waiting write
    // without waiting for it (the bounds leave room for a slow machine).
    ui.messageAnswers = {MbResult::Ok};
    const auto begin = std::chrono::steady_clock::now();
    ScriptDialog([&](CReceiveDlg& d) {
        line.Send("\x13");
        ASSERT_TRUE(PumpUntil([&] { return line.OutputStopped(); }, 2000));
        const auto click = std::chrono::steady_clock::now();
        QTest::mouseClick(d.StartButton(), Qt::LeftButton);
        EXPECT_LT(MillisecondsSince(click), 2000 * SanitizerSlowdown());
        // The write waits on the held line all through the window.
        PumpFor(200);
        EXPECT_FALSE(d.StartButton()->isEnabled());
        QTest::mouseClick(d.CancelButton(), Qt::LeftButton);
    });
    doc.OnReceiveNames();
    EXPECT_LT(MillisecondsSince(begin), 4000 * SanitizerSlowdown());
    EXPECT_EQ(ui.MessageTexts(), QStringList{LoadStr(IDS_ASK_CANCEL_RECEIVE)});

    // A write that runs out of time still says so, and the dialog is ready
    // for another try, which goes out once the line is free.
    ui.messages.clear();
    ui.messageAnswers = {MbResult::Ok, MbResult::Ok};
    line.Send("\x11");
    ASSERT_TRUE(PumpUntil([&] { return !line.OutputStopped(); }, 2000));
    ScriptDialog([&](CReceiveDlg& d) {
        d.Port().SetWriteTimeoutConstant(300);
        d.OnSelectPort(1); // opened again with the shorter bound
        line.Send("\x13");
        ASSERT_TRUE(PumpUntil([&] { return line.OutputStopped(); }, 2000));
        QTest::mouseClick(d.StartButton(), Qt::LeftButton);
        EXPECT_TRUE(PumpUntil([&] { return d.StartButton()->isEnabled(); }, 3000));
        EXPECT_EQ(ui.MessageTexts(), QStringList{LoadStr(IDS_ERR_SEND)});
        EXPECT_FALSE(d.AnswerTimerRunning());
        line.Send("\x11");
        ASSERT_TRUE(PumpUntil([&] { return !line.OutputStopped(); }, 2000));
        QTest::mouseClick(d.StartButton(), Qt::LeftButton);
        EXPECT_TRUE(line.Receive(request, 2000).endsWith(request));
        EXPECT_TRUE(PumpUntil([&] { return d.AnswerTimerRunning(); }, 2000));
        d.reject();
    });
    doc.OnReceiveNames();
    EXPECT_EQ(Count(IDS_ERR_SEND), 1);
}
