#pragma once
// Registers the desktop files on a worker thread some time after the event
// loop runs, so that comparing and writing icons never competes with the
// first paint. The thread is joined when this object goes.

#include <QTimer>
#include <thread>

class DeferredRegistration {
public:
    DeferredRegistration() = default;
    ~DeferredRegistration();
    DeferredRegistration(const DeferredRegistration&) = delete;
    DeferredRegistration& operator=(const DeferredRegistration&) = delete;

    // Starts the registration `delayMs` after the event loop runs (once).
    void Start(int delayMs);

private:
    QTimer timer_;
    std::thread worker_;
    bool started_ = false;
};
