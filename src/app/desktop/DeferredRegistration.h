// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Registers the desktop files on a worker thread some time after the event
// loop runs, so that comparing and writing icons never competes with the
// first paint.
//
// The program never waits for the registration's files or tools: the
// thread owns everything it works with and is not joined. Going away stops
// it before its next file or tool; a thread that is still held up (a slow
// disk, say) simply ends with the process. Only while the thread paints the
// icons in memory, a few dozen milliseconds without any file, does going
// away wait for it, since that painting uses what the end of the program
// takes down.

#include "app/desktop/DesktopRegistration.h"

#include <QTimer>
#include <functional>
#include <memory>

class DeferredRegistration {
public:
    // Where and what to register, asked for when the registration starts.
    using SetupSource = std::function<DesktopRegistration::Setup()>;

    explicit DeferredRegistration(SetupSource source = &DesktopRegistration::DefaultSetup);
    ~DeferredRegistration();
    DeferredRegistration(const DeferredRegistration&) = delete;
    DeferredRegistration& operator=(const DeferredRegistration&) = delete;

    // Starts the registration `delayMs` after the event loop runs (once).
    void Start(int delayMs);

private:
    struct Work;

    SetupSource source_;
    QTimer timer_;
    std::shared_ptr<Work> work_; // shared with the thread, once it runs
    bool started_ = false;
};
