#include "app/desktop/DeferredRegistration.h"

#include "app/desktop/DesktopRegistration.h"

DeferredRegistration::~DeferredRegistration() {
    if (worker_.joinable())
        worker_.join();
}

void DeferredRegistration::Start(int delayMs) {
    if (started_)
        return;
    started_ = true;
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        const DesktopRegistration::Setup setup = DesktopRegistration::DefaultSetup();
        worker_ = std::thread([setup] { DesktopRegistration::Update(setup); });
    });
    timer_.start(delayMs);
}
