#pragma once
// "Namen vom V7 empfangen": picks the COM port, sends the request 0x00 0x07
// and reads the apparatus's answer; ends with OK once the answer is
// complete. The dialog owns its port, which stays open from the dialog's
// initialisation until the dialog is destroyed.

#include "device/AnswerParser.h"
#include "device/ComPort.h"

#include <QDialog>
#include <array>

class QPushButton;
class QRadioButton;

class CReceiveDlg : public QDialog {
    Q_OBJECT
public:
    explicit CReceiveDlg(QWidget* parent = nullptr);
    ~CReceiveDlg() override;

    // The answer time-out in milliseconds (tests shorten it).
    int answerTimeout = 20000;

    void OnInitDialog();
    void OnSelectPort(int port);
    void OnStartTransfer();
    void OnTimer();
    // Cancel, Esc and the close box: asks first while a transfer is under way.
    void reject() override;
    void OnPortData(int count);

    const std::vector<std::string>& ReceivedNames() const { return parser.receivedNames; }
    QPushButton* StartButton() const { return start_; }
    QPushButton* CancelButton() const { return cancel_; }
    QRadioButton* PortButton(int number) const { return ports_[std::size_t(number - 1)]; }

    CAnswerParser parser;
    CComPort port;
    int timerId = 0;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void KillAnswerTimer();

    std::array<QRadioButton*, 4> ports_{};
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool initialized_ = false;
};
