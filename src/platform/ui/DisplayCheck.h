// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the window system the program would show its window on can be
// reached, asked before the GUI application object is made: Qt ends the
// process with an abort and an English text when its platform cannot
// connect.

#include <QString>
#include <memory>

class DisplayCheck {
public:
    enum class Outcome {
        Reachable, // or a platform the program cannot check, which is trusted
        NotSet,    // no display named at all
        Unreachable,
    };

    DisplayCheck() = default;
    explicit DisplayCheck(Outcome outcome, QString display = {},
                          std::shared_ptr<void> connection = {})
        : outcome_(outcome), display_(std::move(display)), connection_(std::move(connection)) {}

    // Looks at QT_QPA_PLATFORM, DISPLAY and WAYLAND_DISPLAY: an explicit
    // platform other than X11 or Wayland is trusted; an X display must open,
    // a Wayland socket must exist.
    static DisplayCheck Run();

    Outcome GetOutcome() const { return outcome_; }
    // The display that could not be reached (":98", "wayland-0").
    const QString& DisplayName() const { return display_; }

    // The X connection of the check stays open until this (or the
    // destructor): an X server that loses its only client resets (Xvfb does),
    // and the application's own connection would wait for the reset. Call it
    // once the application is connected.
    void CloseConnection() { connection_.reset(); }

private:
    Outcome outcome_ = Outcome::Reachable;
    QString display_;
    std::shared_ptr<void> connection_;
};
