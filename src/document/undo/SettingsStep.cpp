#include "document/undo/SettingsStep.h"

#include "document/LayoutSettings.h"
#include "document/V7NamenDoc.h"

SettingsStep::SettingsStep(CV7NamenDoc& doc, const LayoutValues& before, const LayoutValues& after,
                           const QString& text)
    : QUndoCommand(text), doc_(doc), before_(before), after_(after) {}

void SettingsStep::undo() {
    Put(before_);
}

void SettingsStep::redo() {
    Put(after_);
}

void SettingsStep::Put(const LayoutValues& values) {
    if (LayoutSettings* settings = doc_.Settings())
        values.ApplyTo(*settings);
    doc_.UpdateAllViews();
}
