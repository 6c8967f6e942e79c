// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/printing/PrinterProbe.h"

#include "platform/printing/PrinterDevice.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPrinter>
#include <utility>

// Gets the worker's word on the probe's own thread.
class PrinterProbe::Receiver final : public QObject {
public:
    explicit Receiver(std::function<void()> ready) : ready_(std::move(ready)) {}

    bool event(QEvent* e) override {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        if (ready_)
            ready_();
        return true;
    }

private:
    std::function<void()> ready_;
};

PrinterProbe::PrinterProbe(std::function<void()> ready)
    : receiver_(std::make_unique<Receiver>(std::move(ready))), worker_([this] { Run(); }) {}

PrinterProbe::~PrinterProbe() {
    if (worker_.joinable())
        worker_.join();
    // Deleting the receiver drops a word not yet delivered.
}

void PrinterProbe::Run() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printerdevice::PrepareForPrinter(*printer);
    paper_ = printerdevice::PaperAttributes(*printer);
    printer_ = std::move(printer);
    ready_.store(true, std::memory_order_release);
    QCoreApplication::postEvent(receiver_.get(), new QEvent(QEvent::User));
}

std::unique_ptr<QPrinter> PrinterProbe::TakePrinter(DeviceContext::Attributes& paper) {
    if (worker_.joinable())
        worker_.join();
    paper = paper_;
    return std::move(printer_);
}
