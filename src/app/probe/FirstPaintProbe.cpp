// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/probe/FirstPaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <time.h>

void FirstPaintProbe::InstallIfAsked(QWidget* widget) {
    if (widget && !qEnvironmentVariableIsEmpty("QUINTARA_FIRST_PAINT_PROBE"))
        widget->installEventFilter(new FirstPaintProbe(widget));
}

FirstPaintProbe::FirstPaintProbe(QWidget* widget) : QObject(widget) {}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !seen_) {
        seen_ = true;
        // Once this round of painting has reached the screen.
        QTimer::singleShot(0, this, [] {
            timespec now{};
            clock_gettime(CLOCK_MONOTONIC, &now);
            std::printf("first-paint %lld\n",
                        static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    }
    return QObject::eventFilter(watched, event);
}
