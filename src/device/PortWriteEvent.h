#pragma once
// Posted by a port's writer to the port's notify window when a write that
// CComPort::BeginWrite started has ended, well or not.

#include <QEvent>
#include <QObject>
#include <atomic>

class CComPort;

constexpr int WM_PORTWRITTEN = 25002;

class PortWriteEvent final : public QEvent {
public:
    static constexpr QEvent::Type kType = QEvent::Type(WM_PORTWRITTEN);

    // ok: every byte went out in time; otherwise `error` is the system's
    // error number (ETIMEDOUT when the line held the bytes too long,
    // ECANCELED when the port was closed meanwhile).
    PortWriteEvent(bool ok, int error, CComPort* port);
    ~PortWriteEvent() override;

    bool Ok() const { return error_.load(std::memory_order_acquire) == 0; }
    int Error() const { return error_.load(std::memory_order_acquire); }
    CComPort* Port() const { return port_.load(std::memory_order_acquire); }

private:
    // Written on the writer's thread, read on the receiver's (see
    // PortDataEvent for why these are atomics).
    std::atomic<int> error_;
    std::atomic<CComPort*> port_;
};

// Queues a PortWriteEvent for `receiver` on the receiver's thread. Safe from
// any thread while the receiver lives.
void PostPortWriteEvent(QObject* receiver, bool ok, int error, CComPort* port);
