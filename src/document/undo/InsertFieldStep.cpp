// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/undo/InsertFieldStep.h"

#include "document/V7NamenDoc.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

InsertFieldStep::InsertFieldStep(CV7NamenDoc& doc, int index)
    : QUndoCommand(LoadStr(IDS_STEP_INSERT)), doc_(doc), index_(index) {}

void InsertFieldStep::redo() {
    auto& names = doc_.names;
    auto& colors = doc_.colors;
    colors.resize(names.size(), 0); // both arrays always move together
    droppedName_ = std::move(names.back());
    droppedColor_ = colors.back();
    names.pop_back();
    colors.pop_back();
    names.insert(names.begin() + index_, std::string());
    colors.insert(colors.begin() + index_, 0);
    doc_.UpdateAllViews();
}

void InsertFieldStep::undo() {
    auto& names = doc_.names;
    auto& colors = doc_.colors;
    names.erase(names.begin() + index_);
    colors.erase(colors.begin() + index_);
    names.push_back(std::move(droppedName_));
    colors.push_back(droppedColor_);
    doc_.UpdateAllViews();
}
