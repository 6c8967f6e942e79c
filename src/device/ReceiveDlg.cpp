#include "device/ReceiveDlg.h"

#include "device/PortDataEvent.h"
#include "platform/DialogUnits.h"
#include "platform/UiHost.h"
#include "resources/Resource.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimerEvent>

namespace {
void Place(QWidget* control, int x, int y, int width, int height) {
    control->setGeometry(dlu::ToPixels(x, y, width, height));
}
} // namespace

CReceiveDlg::CReceiveDlg(QWidget* parent) : QDialog(parent ? parent : GetUiHost().MainWindow()) {
    setWindowTitle(QStringLiteral("Namen vom V7 empfangen"));
    setFont(dlu::DialogFont());
    setFixedSize(dlu::ToPixelsX(186), dlu::ToPixelsY(117));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QStringLiteral("COM %1").arg(i + 1), this);
        radio->setObjectName(QStringLiteral("IDC_COM%1").arg(i + 1));
        Place(radio, 73, 28 + 12 * i, 38, 10);
        radio->setAutoExclusive(true);
        connect(radio, &QRadioButton::clicked, this, [this, i] { OnSelectPort(i + 1); });
        ports_[std::size_t(i)] = radio;
    }
    cancel_ = new QPushButton(QStringLiteral("Abbrechen"), this);
    Place(cancel_, 20, 92, 50, 14);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &CReceiveDlg::reject);

    auto* text = new QLabel(QString::fromUtf8("Wählen Sie den Anschluss, an dem der Telvora V7 "
                                              "mit dem Computer verbunden ist."),
                            this);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(text, 8, 4, 168, 16);

    start_ = new QPushButton(QStringLiteral("Uebertragung starten"), this);
    Place(start_, 96, 92, 84, 14);
    start_->setDefault(true);
    connect(start_, &QPushButton::clicked, this, &CReceiveDlg::OnStartTransfer);
}

CReceiveDlg::~CReceiveDlg() {
    KillAnswerTimer();
    // The reader ends before the window that receives its chunks goes.
    port.Close();
}

void CReceiveDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!initialized_) {
        initialized_ = true;
        OnInitDialog();
    }
}

void CReceiveDlg::OnInitDialog() {
    parser.Reset();
    // The apparatus talks XON/XOFF and has no hardware handshake.
    port.ctsRtsHandshake = 0;
    port.xonXoff = 1;
    const int found = port.FindPort(0, 4);
    if (found > 0) {
        ports_[std::size_t(found - 1)]->setChecked(true);
        // Named before Open, so that not even the first chunk goes elsewhere.
        port.notifyWindow = this;
        port.Open();
    }
}

void CReceiveDlg::OnSelectPort(int number) {
    port.Close();
    port.FindPort(std::int8_t(number), 4);
    port.notifyWindow = this;
    port.Open();
}

void CReceiveDlg::OnStartTransfer() {
    static const std::uint8_t request[2] = {0x00, 0x07};
    if (!port.Write(request, sizeof request)) {
        AppMessageBoxId(IDS_ERR_SEND);
        return;
    }
    start_->setEnabled(false);
    KillAnswerTimer();
    timerId = startTimer(answerTimeout);
}

void CReceiveDlg::KillAnswerTimer() {
    if (timerId != 0) {
        killTimer(timerId);
        timerId = 0;
    }
}

void CReceiveDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timerId)
        OnTimer();
    else
        QDialog::timerEvent(event);
}

void CReceiveDlg::OnTimer() {
    KillAnswerTimer();
    AppMessageBoxId(IDS_ERR_TIMEOUT);
    start_->setEnabled(true);
}

void CReceiveDlg::reject() {
    if (!start_->isEnabled()) {
        // A transfer is under way: ask before throwing it away.
        if (AppMessageBoxId(IDS_ASK_CANCEL_RECEIVE, MbButtons::OkCancel) != MbResult::Ok)
            return;
    }
    KillAnswerTimer();
    QDialog::reject();
}

bool CReceiveDlg::event(QEvent* e) {
    if (e->type() == PortDataEvent::kType) {
        auto* chunk = static_cast<PortDataEvent*>(e);
        // A chunk of a port that has been closed and opened again since is not ours.
        if (chunk->Port() == &port)
            OnPortData(chunk->Count());
        return true;
    }
    return QDialog::event(e);
}

void CReceiveDlg::OnPortData(int count) {
    // Any chunk ends the answer time-out for good.
    KillAnswerTimer();
    if (port.running.load() == 0 || !port.handle)
        return;
    DWORD errors = 0;
    port.handle->ClearCommError(errors);
    if (errors != 0 || count == -1)
        ShowMessage(IDS_ERR_READ_PORT, {unsigned(errors), int(port.portNumber)});
    if (count > 0)
        parser.Feed(port.readBuffer, std::size_t(std::min(count, CComPort::kReadChunk)));
    if (parser.IsComplete()) {
        ShowMessage(IDS_NAMES_RECEIVED, {parser.receivedCount});
        accept();
    }
    // The buffer goes back to the reader.
    if (port.dataEvent)
        port.dataEvent->Set();
}
