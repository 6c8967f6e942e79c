// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For start-up measurements only: with QUINTARA_FIRST_PAINT_PROBE set in the
// environment, the program writes "first-paint <ns>" (CLOCK_MONOTONIC) to
// standard output as soon as the watched widget has been painted for the
// first time, and quits. Without the variable nothing is installed.

#include <QObject>

class QWidget;

class FirstPaintProbe : public QObject {
public:
    static void InstallIfAsked(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit FirstPaintProbe(QWidget* widget);
    bool seen_ = false;
};
