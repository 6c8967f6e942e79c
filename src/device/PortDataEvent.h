#pragma once
// WM_PORTDATA: posted by a port's reader thread to the port's notify window
// for each chunk it read, or for a failed read.

#include <QEvent>
#include <QObject>
#include <atomic>

class CComPort;

constexpr int WM_PORTDATA = 25001;

class PortDataEvent final : public QEvent {
public:
    static constexpr QEvent::Type kType = QEvent::Type(WM_PORTDATA);

    // count: bytes now in the port's readBuffer (1 to 100), or -1 when the
    // read failed.
    PortDataEvent(int count, CComPort* port);
    ~PortDataEvent() override;

    int Count() const { return count_.load(std::memory_order_acquire); }
    CComPort* Port() const { return port_.load(std::memory_order_acquire); }

private:
    // Written on the reader thread, read on the receiver's: the release and
    // acquire order the chunk before its use also for race checkers, which
    // cannot see the event queue's own lock inside Qt.
    std::atomic<int> count_;
    std::atomic<CComPort*> port_;
};

// Queues a PortDataEvent for `receiver` on the receiver's thread (posted,
// never sent). Safe from any thread while the receiver lives.
void PostPortDataEvent(QObject* receiver, int count, CComPort* port);
