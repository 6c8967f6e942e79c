// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Undo step: one value of the strip replaced by another (a name, a colour,
// all names and colours, the layout settings, the font). It keeps both and
// puts back whichever the stack asks for; the document's views repaint.

#include "document/V7NamenDoc.h"

#include <QUndoCommand>
#include <functional>
#include <utility>

template <typename T>
class ValueStep final : public QUndoCommand {
public:
    // Stores a value where it belongs in the document.
    using Put = std::function<void(CV7NamenDoc&, const T&)>;

    ValueStep(CV7NamenDoc& doc, T before, T after, const QString& text, Put put)
        : QUndoCommand(text), doc_(doc), before_(std::move(before)), after_(std::move(after)),
          put_(std::move(put)) {}

    void undo() override { Apply(before_); }
    void redo() override { Apply(after_); }

private:
    void Apply(const T& value) {
        put_(doc_, value);
        doc_.UpdateAllViews();
    }

    CV7NamenDoc& doc_;
    T before_;
    T after_;
    Put put_;
};
