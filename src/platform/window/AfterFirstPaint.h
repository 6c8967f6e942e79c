// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Work that start-up need not wait for: it runs once the widget has painted
// for the first time and that paint has gone to the window system, a turn
// of the event loop later, so that not even a quit asked for right after
// the first paint waits for it.

#include <functional>

class QWidget;

void AfterFirstPaint(QWidget* widget, std::function<void()> work);
