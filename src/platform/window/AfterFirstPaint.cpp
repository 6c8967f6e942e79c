// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/window/AfterFirstPaint.h"

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace {

class FirstPaintWatch final : public QObject {
public:
    FirstPaintWatch(QWidget* widget, std::function<void()> work)
        : QObject(widget), work_(std::move(work)) {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            watched->removeEventFilter(this);
            // One turn for the paint to be flushed, one more for what
            // was posted meanwhile.
            QPointer<FirstPaintWatch> self(this);
            QTimer::singleShot(0, this, [self] {
                QTimer::singleShot(0, self, [self] {
                    if (!self)
                        return;
                    const std::function<void()> work = std::move(self->work_);
                    self->deleteLater();
                    work();
                });
            });
        }
        return false;
    }

private:
    std::function<void()> work_;
    bool seen_ = false;
};

} // namespace

void AfterFirstPaint(QWidget* widget, std::function<void()> work) {
    if (widget && work)
        new FirstPaintWatch(widget, std::move(work)); // owned by the widget
}
