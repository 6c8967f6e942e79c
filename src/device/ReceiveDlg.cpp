// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ReceiveDlg.h"

#include "device/PortAssignment.h"
#include "device/PortDataEvent.h"
#include "device/PortWriteEvent.h"
#include "device/PortsDialog.h"
#include "platform/dialogs/WindowHost.h"
#include "platform/serial/SerialDevice.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusTipEvent>
#include <QTimerEvent>

namespace {
void Place(QWidget* control, int x, int y, int width, int height) {
    control->setGeometry(dlu::ToPixels(x, y, width, height));
}
} // namespace

CReceiveDlg::CReceiveDlg(QWidget* parent)
    : QDialog(parent ? parent : GetWindowHost().MainWindow()) {
    setWindowTitle(LoadStr(IDS_RECEIVE_TITLE));
    setFont(dlu::DialogFont());
    setFixedSize(dlu::ToPixelsX(186), dlu::ToPixelsY(117));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    for (int i = 0; i < ports::kCount; ++i) {
        auto* radio = new QRadioButton(FormatString(IDS_RECEIVE_PORT, {i + 1}), this);
        radio->setObjectName(QStringLiteral("IDC_COM%1").arg(i + 1));
        Place(radio, 73, 28 + 12 * i, 38, 10);
        radio->setAutoExclusive(true);
        connect(radio, &QRadioButton::clicked, this, [this, i] { OnSelectPort(i + 1); });
        ports_[std::size_t(i)] = radio;
    }
    cancel_ = new QPushButton(LoadStr(IDS_BUTTON_CANCEL), this);
    Place(cancel_, 20, 92, 50, 14);
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &CReceiveDlg::reject);

    auto* text = new QLabel(LoadStr(IDS_RECEIVE_PROMPT), this);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(text, 8, 4, 168, 16);

    start_ = new QPushButton(LoadStr(IDS_RECEIVE_START), this);
    Place(start_, 96, 92, 84, 14);
    start_->setDefault(true);
    connect(start_, &QPushButton::clicked, this, &CReceiveDlg::OnStartTransfer);

    // Beside the port buttons, after the template's controls in the tab order.
    portsButton_ = new QPushButton(LoadStr(IDS_PORTS_BUTTON), this);
    portsButton_->setObjectName(QStringLiteral("IDC_PORTS"));
    Place(portsButton_, 122, 44, 58, 14);
    portsButton_->setAutoDefault(false);
    connect(portsButton_, &QPushButton::clicked, this, &CReceiveDlg::OnPorts);
    UpdatePortTips();
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
    port.SetFlowControl(false, true);
    FirstUse();
    ProbePorts();
}

void CReceiveDlg::FirstUse() {
    const ports::FirstUseOutcome first = ports::ApplyFirstUse(GetPortLister(), ports::DeviceOpens);
    if (first.what == ports::FirstUse::Assigned) {
        if (QWidget* frame = GetWindowHost().MainWindow()) {
            QStatusTipEvent tip(first.statusText);
            QApplication::sendEvent(frame, &tip);
        }
        // The probe says nothing of a port that does not open; the user who
        // may not use the adapter is told why at once.
        if (!first.adapter.accessible)
            AppMessageBox(ports::NoAccessText(first.adapter));
    } else if (first.what == ports::FirstUse::Ask) {
        PortsDialog dialog(this);
        GetWindowHost().RunModal(dialog);
    }
    UpdatePortTips();
}

void CReceiveDlg::ProbePorts() {
    const int found = port.FindPort(0, 4);
    if (found > 0) {
        ports_[std::size_t(found - 1)]->setChecked(true);
        // Named before Open, so that not even the first chunk goes elsewhere.
        port.SetNotifyWindow(this);
        port.Open();
    }
}

void CReceiveDlg::UpdatePortTips() {
    for (int n = 1; n <= ports::kCount; ++n)
        ports_[std::size_t(n - 1)]->setToolTip(
            QFile::decodeName(QByteArray::fromStdString(ports::DeviceName(n))));
}

void CReceiveDlg::OnPorts() {
    const int number = port.PortNumber();
    const QString before = number > 0 ? ports_[std::size_t(number - 1)]->toolTip() : QString();
    PortsDialog dialog(this);
    if (GetWindowHost().RunModal(dialog) != QDialog::Accepted)
        return;
    UpdatePortTips();
    if (!start_->isEnabled())
        return;
    if (number == 0)
        ProbePorts();
    else if (ports_[std::size_t(number - 1)]->toolTip() != before)
        OnSelectPort(number);
}

void CReceiveDlg::OnSelectPort(int number) {
    port.Close();
    port.FindPort(std::int8_t(number), 4);
    port.SetNotifyWindow(this);
    port.Open();
}

void CReceiveDlg::OnStartTransfer() {
    static const std::uint8_t request[2] = {0x00, 0x07};
    // Written off this thread: the apparatus may hold the line with XOFF
    // for as long as the write time-out, and the window must not wait.
    if (!port.BeginWrite(request, sizeof request)) {
        AppMessageBoxId(IDS_ERR_SEND);
        return;
    }
    SetTransferring(true);
    sending_ = true;
    dataSinceRequest_ = false;
}

void CReceiveDlg::OnRequestWritten(bool ok) {
    sending_ = false;
    if (!ok) {
        AppMessageBoxId(IDS_ERR_SEND);
        SetTransferring(false);
        return;
    }
    // An answer that overtook the write's report has ended the wait already.
    if (!dataSinceRequest_)
        StartAnswerTimer();
}

void CReceiveDlg::SetTransferring(bool transferring) {
    // Changing the ports mid-transfer would close the port under the answer.
    start_->setEnabled(!transferring);
    portsButton_->setEnabled(!transferring);
}

void CReceiveDlg::StartAnswerTimer() {
    KillAnswerTimer();
    timerId = startTimer(answerTimeout_);
}

void CReceiveDlg::KillAnswerTimer() {
    if (timerId != 0) {
        killTimer(timerId);
        timerId = 0;
    }
}

void CReceiveDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timerId) {
        QDialog::timerEvent(event);
        return;
    }
    // Fires once: a time-out held by the cancel question is not repeated.
    KillAnswerTimer();
    HandleOrHold([this] { OnTimer(); });
}

void CReceiveDlg::OnTimer() {
    KillAnswerTimer();
    AppMessageBoxId(IDS_ERR_TIMEOUT);
    SetTransferring(false);
}

void CReceiveDlg::reject() {
    if (asking_)
        return;
    // A transfer under way is thrown away only when the user says so.
    if (!start_->isEnabled() && !ConfirmCancel())
        return;
    KillAnswerTimer();
    // A chunk held meanwhile goes unparsed, as the user chose; closing the
    // port releases its buffer.
    held_.clear();
    QDialog::reject();
}

bool CReceiveDlg::ConfirmCancel() {
    asking_ = true;
    const bool ok = AppMessageBoxId(IDS_ASK_CANCEL_RECEIVE, MbButtons::OkCancel) == MbResult::Ok;
    asking_ = false;
    if (ok)
        return true;
    // Kept on: what came meanwhile is handled now, in the order it came.
    std::vector<std::function<void()>> held;
    held.swap(held_);
    for (const auto& action : held) {
        if (finished_)
            break;
        action();
    }
    return false;
}

void CReceiveDlg::HandleOrHold(std::function<void()> action) {
    if (asking_)
        held_.push_back(std::move(action));
    else
        action();
}

bool CReceiveDlg::event(QEvent* e) {
    if (e->type() == PortDataEvent::kType) {
        auto* chunk = static_cast<PortDataEvent*>(e);
        // A chunk of a port that has been closed and opened again since is not ours.
        if (chunk->Port() != &port)
            return true;
        const int count = chunk->Count();
        // Data has come: the time-out is over, whether the chunk is parsed
        // now or after the question. Held, it keeps the reader waiting, so
        // the rest of the answer waits in the driver.
        KillAnswerTimer();
        HandleOrHold([this, count] { OnPortData(count); });
        return true;
    }
    if (e->type() == PortWriteEvent::kType) {
        auto* written = static_cast<PortWriteEvent*>(e);
        if (written->Port() == &port && sending_ && !finished_) {
            const bool ok = written->Ok();
            HandleOrHold([this, ok] { OnRequestWritten(ok); });
        }
        return true;
    }
    return QDialog::event(e);
}

void CReceiveDlg::OnPortData(int count) {
    // Any chunk ends the answer time-out for good.
    KillAnswerTimer();
    dataSinceRequest_ = true;
    // A chunk of a port closed since: its buffer is no longer ours to release.
    if (!port.IsRunning())
        return;
    const DWORD errors = port.ClearCommError();
    if (errors != 0 || count == -1)
        ShowMessage(IDS_ERR_READ_PORT, {unsigned(errors), unsigned(port.PortNumber())});
    const auto chunk = port.ReadBuffer(count);
    parser.Feed(chunk.data(), chunk.size());
    if (parser.IsComplete()) {
        finished_ = true;
        ShowMessage(IDS_NAMES_RECEIVED, {parser.receivedCount});
        accept();
    }
    port.ReleaseReadBuffer();
}
