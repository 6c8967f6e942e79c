// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/DeferredRegistration.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

struct DeferredRegistration::Work {
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::condition_variable painted;
    bool painting = true;

    void PaintingDone() {
        const std::lock_guard<std::mutex> lock(mutex);
        painting = false;
        painted.notify_all();
    }
};

DeferredRegistration::DeferredRegistration(SetupSource source) : source_(std::move(source)) {}

DeferredRegistration::~DeferredRegistration() {
    if (!work_)
        return;
    work_->cancelled = true;
    std::unique_lock<std::mutex> lock(work_->mutex);
    work_->painted.wait(lock, [this] { return !work_->painting; });
}

void DeferredRegistration::Start(int delayMs) {
    if (started_)
        return;
    started_ = true;
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        auto work = std::make_shared<Work>();
        const DesktopRegistration::Setup setup = source_();
        try {
            std::thread([work, setup] {
                std::vector<DesktopFiles::File> files;
                const bool needed =
                    !work->cancelled && !DesktopRegistration::IsSystemInstall(setup);
                if (needed)
                    files = DesktopFiles::All(setup.executable);
                work->PaintingDone();
                if (needed)
                    DesktopRegistration::Apply(setup, files, &work->cancelled);
            }).detach();
        } catch (const std::system_error&) {
            return; // no thread, no registration this time
        }
        work_ = std::move(work);
    });
    timer_.start(delayMs);
}
