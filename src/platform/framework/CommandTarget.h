// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Command routing by numeric id. Each target (view, document, frame,
// application) keeps a table of the commands it handles; the frame asks the
// targets in that order and the first one with an entry takes the command.

#include <QString>
#include <functional>
#include <optional>
#include <vector>

// The state of one menu item or toolbar button while it is being updated.
class CmdUi {
public:
    explicit CmdUi(int id) : id_(id) {}
    int Id() const { return id_; }
    void Enable(bool on = true) { enabled_ = on; }
    void SetCheck(bool on) { checked_ = on; }
    void SetText(const QString& text) { text_ = text; }
    bool Enabled() const { return enabled_; }
    std::optional<bool> Checked() const { return checked_; }
    std::optional<QString> Text() const { return text_; }

private:
    int id_;
    bool enabled_ = true;
    std::optional<bool> checked_;
    std::optional<QString> text_;
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // With ui == nullptr: runs the handler of `id` if this target has one.
    // With ui: fills in the command's state if this target has an entry.
    // Returns whether this target has an entry for `id`.
    virtual bool OnCmdMsg(int id, CmdUi* ui);

protected:
    using Handler = std::function<void()>;
    using RangeHandler = std::function<void(int)>;
    using Updater = std::function<void(CmdUi&)>;

    // Registers a handler; an entry without an updater is always enabled.
    void OnCommand(int id, Handler handler, Updater updater = {});
    void OnCommandRange(int first, int last, RangeHandler handler, Updater updater = {});

private:
    struct Entry {
        int first;
        int last;
        RangeHandler handler;
        Updater updater;
    };
    std::vector<Entry> table_;
};
