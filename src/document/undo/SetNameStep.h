#pragma once
// Undo step: one field's name typed over another.

#include <QUndoCommand>
#include <string>

class CV7NamenDoc;

class SetNameStep : public QUndoCommand {
public:
    SetNameStep(CV7NamenDoc& doc, int index, std::string before, std::string after);
    void undo() override;
    void redo() override;

private:
    void Put(const std::string& name);

    CV7NamenDoc& doc_;
    int index_;
    std::string before_;
    std::string after_;
};
