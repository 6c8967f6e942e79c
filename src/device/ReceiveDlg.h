// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The receive dialog (IDS_RECEIVE_TITLE): picks the COM port, sends the
// request 0x00 0x07 and reads the apparatus's answer; ends with OK once the
// answer is complete. The dialog owns its port, which stays open from the dialog's
// initialisation until the dialog is destroyed.
//
// The request is written by the port's writer, never on this thread, so a
// line held by XOFF cannot freeze the window; its outcome comes back as a
// posted PortWriteEvent. While the cancel question (IDS_ASK_CANCEL_RECEIVE)
// is open, what the port and the timer bring is held, not handled: the
// user's answer decides whether it is dropped with the dialog or handled as
// if the question had never been asked.

#include "device/AnswerParser.h"
#include "device/ComPort.h"
#include "device/PortAssignment.h"

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

class QPushButton;
class QRadioButton;

class CReceiveDlg : public QDialog {
    Q_OBJECT
public:
    explicit CReceiveDlg(QWidget* parent = nullptr);
    ~CReceiveDlg() override;

    void OnInitDialog();
    void OnSelectPort(int port);
    // The ports button (IDS_PORTS_BUTTON): after OK the radio buttons show
    // the new devices; a port not found before is looked for again, the
    // chosen one reopened when its device changed (not while a transfer is
    // under way).
    void OnPorts();
    void OnStartTransfer();
    // The outcome of the request's write.
    void OnRequestWritten(bool ok);
    void OnTimer();
    // Cancel, Esc and the close box: asks first while a transfer is under way.
    void reject() override;
    void OnPortData(int count);

    const std::vector<std::string>& ReceivedNames() const { return parser.receivedNames; }
    int ReceivedCount() const { return parser.receivedCount; }
    QPushButton* StartButton() const { return start_; }
    QPushButton* CancelButton() const { return cancel_; }
    QPushButton* PortsButton() const { return portsButton_; }
    QRadioButton* PortButton(int number) const { return ports_[std::size_t(number - 1)]; }
    CComPort& Port() { return port; }
    // The answer time-out in milliseconds (tests shorten it).
    void SetAnswerTimeout(int ms) { answerTimeout_ = ms; }
    // True while the answer time-out runs.
    bool AnswerTimerRunning() const { return timerId != 0; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    // The first time the transfer is tried, a lone USB adapter becomes COM 1
    // and several are offered in the ports dialog.
    void FirstUse();
    // Each COM radio button's tooltip names its device.
    void UpdatePortTips();
    // Checks and opens the first of COM 1 to COM 4 that opens.
    void ProbePorts();
    void KillAnswerTimer();
    // The start and Anschlüsse buttons are off while a transfer runs.
    void SetTransferring(bool transferring);
    void StartAnswerTimer();
    // Asks IDS_ASK_CANCEL_RECEIVE; answers true for OK. Handles what was
    // held meanwhile when the answer is Cancel.
    bool ConfirmCancel();
    // Handles `action` now, or after the cancel question if it is open.
    void HandleOrHold(std::function<void()> action);

    AnswerParser parser;
    CComPort port;
    int timerId = 0;
    int answerTimeout_ = 20000;

    std::array<QRadioButton*, ports::kCount> ports_{};
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* portsButton_ = nullptr;
    bool initialized_ = false;
    bool sending_ = false;                    // the request is being written
    bool dataSinceRequest_ = false;           // a chunk came after the last request
    bool finished_ = false;                   // the answer is complete; the dialog ends
    bool asking_ = false;                     // the cancel question is open
    std::vector<std::function<void()>> held_; // what came while asking, in order
};
