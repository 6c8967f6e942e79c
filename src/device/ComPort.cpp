// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ComPort.h"

#include "device/PortAssignment.h"
#include "device/PortDataEvent.h"
#include "device/PortOpenFailure.h"
#include "device/PortWriteEvent.h"
#include "platform/dialogs/WindowHost.h"
#include "platform/ui/UiHost.h"
#include "resources/Resource.h"

#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <system_error>

namespace {

constexpr DWORD kPurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
constexpr std::uint32_t kPollPauseMs = 10;

} // namespace

CComPort::~CComPort() {
    Close();
}

int CComPort::FindPort(std::int8_t port, std::int8_t maxPort) {
    if (port != 0) {
        portNumber = port;
        return port;
    }
    for (int n = 1; n <= maxPort; ++n) {
        // Opened only to see that it can be; closed again at once.
        if (OpenPortHandle(std::int8_t(n))) {
            portNumber = std::int8_t(n);
            return n;
        }
    }
    portNumber = 0;
    return 0;
}

std::unique_ptr<SerialDevice> CComPort::OpenPortHandle(std::int8_t port) {
    if (port < 0) {
        SetSerialLastError(ENOENT);
        return nullptr;
    }
    return SerialDevice::Open(ports::DeviceName(port));
}

int CComPort::Open() {
    // Opening twice would orphan the running reader.
    if (handle)
        Close();
    handle = OpenPortHandle(portNumber);
    if (!handle) {
        const int error = SerialLastError();
        const std::string device = ports::DeviceName(portNumber);
        AppMessageBox(PortOpenFailureText(portNumber, device, error, DeviceAccessGroup(device),
                                          CurrentUserName()));
        return 0;
    }
    if (!handle->SetupComm(inQueueSize, outQueueSize) || !ApplyTimeouts())
        return FailOpen(SerialLastError());
    const bool lineSet = ApplyLineSettings();
    // The number shown must be that of the refused settings, not of the purge.
    const int lineError = lineSet ? 0 : SerialLastError();
    handle->PurgeComm(kPurgeAll);
    if (!lineSet)
        return FailOpen(lineError);

    dataEvent = std::make_unique<ManualResetEvent>(true);
    stopEvent_ = std::make_unique<ManualResetEvent>(false);
    // An owner that named itself before Open gets every chunk from the first.
    if (!notifyWindow.load())
        notifyWindow.store(GetWindowHost().MainWindow());
    running.store(1);
    try {
        readerThread = std::make_unique<std::thread>(&CComPort::ReaderThread, this);
    } catch (const std::system_error& e) {
        return FailOpen(e.code().value());
    }
    return 1;
}

int CComPort::FailOpen(int error) {
    handle.reset();
    running.store(0);
    dataEvent.reset();
    stopEvent_.reset();
    ShowMessage(IDS_ERR_SETUP_PORT, {unsigned(error), unsigned(portNumber)});
    return 0;
}

bool CComPort::ApplyTimeouts() {
    if (!handle)
        return false;
    COMMTIMEOUTS t;
    // Reads return at once with whatever has arrived, possibly nothing.
    t.ReadIntervalTimeout = MAXDWORD;
    t.ReadTotalTimeoutMultiplier = 0;
    t.ReadTotalTimeoutConstant = 0;
    // About the time one byte takes on the line, at least 1 ms.
    t.WriteTotalTimeoutMultiplier = std::max<DWORD>(1, 10000 / kBaudRate);
    t.WriteTotalTimeoutConstant = writeTimeoutConstant_;
    return handle->SetCommTimeouts(t);
}

bool CComPort::ApplyLineSettings() {
    if (!handle)
        return false;
    DCB dcb;
    // Settings read from a device that cannot report them are no base to
    // change, so that counts as a failure too.
    if (!handle->GetCommState(dcb))
        return false;
    dcb.BaudRate = kBaudRate;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fParity = 1;
    dcb.fOutxCtsFlow = DWORD(ctsRtsHandshake & 1);
    dcb.fRtsControl = ctsRtsHandshake ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fOutX = DWORD(xonXoff & 1);
    dcb.fInX = dcb.fOutX;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    return handle->SetCommState(dcb);
}

void CComPort::Close() {
    running.store(0);
    if (handle) {
        // Wake the reader wherever it waits, then wait for its end: the
        // device is closed only once nobody reads from it.
        if (stopEvent_)
            stopEvent_->Set();
        if (dataEvent)
            dataEvent->Set();
        // A write held by flow control gives up rather than hold this up.
        handle->AbortWrites();
        for (auto* thread : {&readerThread, &writerThread_}) {
            if (*thread && (*thread)->joinable())
                (*thread)->join();
            thread->reset();
        }
        handle->PurgeComm(kPurgeAll);
        handle.reset();
    }
    dataEvent.reset();
    stopEvent_.reset();
}

void CComPort::SetFlowControl(bool ctsRtsOn, bool xonXoffOn) {
    ctsRtsHandshake = ctsRtsOn ? 1 : 0;
    xonXoff = xonXoffOn ? 1 : 0;
}

bool CComPort::IsOpen() const {
    return handle || running.load() != 0 || dataEvent || stopEvent_ || readerThread ||
           writerThread_;
}

std::span<const std::uint8_t> CComPort::ReadBuffer(int count) const {
    if (count <= 0)
        return {};
    return {readBuffer, std::size_t(std::min(count, kReadChunk))};
}

void CComPort::ReleaseReadBuffer() {
    if (dataEvent)
        dataEvent->Set();
}

DWORD CComPort::ClearCommError() {
    DWORD errors = 0;
    if (handle)
        handle->ClearCommError(errors);
    return errors;
}

bool CComPort::Write(const void* data, std::uint32_t length) {
    if (length == 0)
        return true;
    if (!handle) {
        SetSerialLastError(EBADF);
        return false;
    }
    DWORD written = 0;
    const bool ok = handle->WriteFile(data, length, written);
    return ok && written == length;
}

bool CComPort::BeginWrite(const void* data, std::uint32_t length) {
    if (!handle) {
        SetSerialLastError(EBADF);
        return false;
    }
    if (writing_.load()) {
        SetSerialLastError(EBUSY);
        return false;
    }
    // The last writer has posted its outcome and is ending, if not gone.
    if (writerThread_ && writerThread_->joinable())
        writerThread_->join();
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    std::vector<std::uint8_t> copy(bytes, bytes + length);
    writing_.store(true);
    try {
        writerThread_ =
            std::make_unique<std::thread>(&CComPort::WriterThread, this, std::move(copy));
    } catch (const std::system_error& e) {
        writing_.store(false);
        SetSerialLastError(e.code().value());
        return false;
    }
    return true;
}

void CComPort::WriterThread(std::vector<std::uint8_t> bytes) {
    const bool ok = Write(bytes.data(), std::uint32_t(bytes.size()));
    const int error = ok ? 0 : SerialLastError();
    // Cleared first: the owner may start the next write as soon as it sees the outcome.
    writing_.store(false);
    if (QObject* window = notifyWindow.load())
        PostPortWriteEvent(window, ok, error, this);
}

bool CComPort::PostChunk(int count) {
    QObject* window = notifyWindow.load();
    // Nobody to hand it to: the chunk is dropped and reading goes on.
    if (!window)
        return false;
    // Reset first: the owner may release the buffer as soon as it sees the post.
    dataEvent->Reset();
    PostPortDataEvent(window, count, this);
    return true;
}

void CComPort::ReaderThread() {
    // A failure that lasts (a device gone away) is reported once, until a
    // read succeeds again; the owner would otherwise see one report per cycle.
    bool failureReported = false;
    while (running.load() && handle) {
        if (stopEvent_->Wait(kPollPauseMs))
            break;
        // The owner still holds the last chunk. A wait that runs out starts a
        // new cycle rather than reading over a chunk nobody has parsed yet.
        if (!dataEvent->Wait(handOverTimeout_))
            continue;
        if (!running.load())
            break;
        DWORD count = 0;
        if (!handle->ReadFile(readBuffer, kReadChunk, count)) {
            // Handed over like a chunk, so the next read waits for the owner.
            if (!failureReported)
                failureReported = PostChunk(-1);
            continue;
        }
        failureReported = false;
        if (count > 0)
            PostChunk(int(count));
    }
}
