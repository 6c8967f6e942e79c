// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/undo/RemoveFieldStep.h"

#include "document/V7NamenDoc.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

RemoveFieldStep::RemoveFieldStep(CV7NamenDoc& doc, int index)
    : QUndoCommand(LoadStr(IDS_STEP_REMOVE)), doc_(doc), index_(index) {}

void RemoveFieldStep::redo() {
    auto& names = doc_.names;
    auto& colors = doc_.colors;
    colors.resize(names.size(), 0); // both arrays always move together
    const auto at = std::size_t(index_);
    removedName_ = std::move(names[at]);
    removedColor_ = colors[at];
    names.erase(names.begin() + index_);
    colors.erase(colors.begin() + index_);
    names.emplace_back();
    colors.push_back(0);
    doc_.UpdateAllViews();
}

void RemoveFieldStep::undo() {
    auto& names = doc_.names;
    auto& colors = doc_.colors;
    // The appended field is still empty: every later change is undone.
    names.pop_back();
    colors.pop_back();
    names.insert(names.begin() + index_, std::move(removedName_));
    colors.insert(colors.begin() + index_, removedColor_);
    doc_.UpdateAllViews();
}
