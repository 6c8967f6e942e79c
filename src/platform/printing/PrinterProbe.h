// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run's printer, made on a worker thread. Making a printer loads the
// print support and asks the printing system for its default printer: a few
// milliseconds with a local print server, as long as the network takes with
// a remote or slow one. The window asks for it once it is up, and goes on
// without waiting; whatever needs the printer before the answer came waits
// for it then.

#include "platform/draw/DeviceContext.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QPrinter;

class PrinterProbe {
public:
    // ready runs on the thread that made the probe, once the printer is
    // there, unless the probe is gone by then.
    explicit PrinterProbe(std::function<void()> ready);
    ~PrinterProbe();
    PrinterProbe(const PrinterProbe&) = delete;
    PrinterProbe& operator=(const PrinterProbe&) = delete;

    bool Ready() const { return ready_.load(std::memory_order_acquire); }
    // Waits for the worker (not at all once Ready), then hands over the
    // printer, set up as every job's printer, and the paper it prints on.
    // Once only.
    std::unique_ptr<QPrinter> TakePrinter(DeviceContext::Attributes& paper);

private:
    class Receiver;
    void Run();

    std::unique_ptr<Receiver> receiver_;
    std::unique_ptr<QPrinter> printer_;
    DeviceContext::Attributes paper_;
    std::atomic<bool> ready_{false};
    std::thread worker_;
};
