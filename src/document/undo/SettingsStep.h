#pragma once
// Undo step: the six layout settings changed at once (the Options dialog's
// OK, or any other caller of the document's ApplySettings).

#include "document/LayoutValues.h"

#include <QUndoCommand>

class CV7NamenDoc;

class SettingsStep : public QUndoCommand {
public:
    SettingsStep(CV7NamenDoc& doc, const LayoutValues& before, const LayoutValues& after,
                 const QString& text);
    void undo() override;
    void redo() override;

private:
    void Put(const LayoutValues& values);

    CV7NamenDoc& doc_;
    LayoutValues before_;
    LayoutValues after_;
};
