// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One key strip: the 16 names and the 16 field colours.
//
// Every change below is one step on the document's undo stack; a call that
// would change nothing makes no step and leaves the modified flag as it is.

#include "document/LayoutValues.h"
#include "platform/base/WinTypes.h"
#include "platform/framework/DocumentBase.h"
#include "resources/Resource.h"

#include <string>
#include <vector>

struct LayoutSettings;

class CV7NamenDoc : public DocumentBase {
public:
    CV7NamenDoc();

    bool ResetToNew() override;
    void DeleteContents() override;
    void Serialize(Archive& ar) override;

    // The name of field index, or the empty text outside the array.
    const std::string& GetName(int index) const;
    // Stores text as the name of field index when index is in range and the
    // text differs; only then the document becomes modified. Answers
    // whether it changed.
    bool SetName(int index, const std::string& text);
    // Field index's own colour (0: none), also 0 outside the array.
    COLORREF GetColor(int index) const;
    // Stores color as field index's own colour when index is in range and
    // the colour differs; only then the document becomes modified. Answers
    // whether it changed.
    bool SetColor(int index, COLORREF color);
    // Inserts an empty field without colour at index; the last field drops
    // out. Any index in range is a change.
    bool InsertField(int index);
    // Removes field index; an empty field without colour is appended.
    bool RemoveField(int index);
    // Replaces all names and colours (brought to 16 entries each) as one
    // step named by string stepText, as a receive or an import does.
    bool SetNamesAndColors(std::vector<std::string> newNames, std::vector<COLORREF> newColors,
                           int stepText);

    // The layout settings of the first view, or null without a view.
    LayoutSettings* Settings() const;
    // Puts all six layout settings at once, one step named by string
    // stepText; false (no step) without a view or when nothing differs.
    bool ApplySettings(const LayoutValues& values, int stepText = IDS_STEP_OPTIONS);
    // Makes font the label font, kept byte for byte; false (no step)
    // without a view or when the description is the one in use.
    bool SetLabelFont(const LOGFONTA& font);

    // Fetches the 16 names from the apparatus (the receive dialog); after a
    // complete answer the strip holds those names without colours, as one
    // step, and has no path, so that Save asks for a file name.
    void OnReceiveNames();

    // Datei > Namen importieren...: names and colours from a CSV file the
    // user chooses, one step; the status bar says how many were taken.
    void OnImportNames();
    // Datei > Namen exportieren...: the 16 names and colours into a CSV file.
    void OnExportNames();
    // Takes the names and colours of the CSV file at path as one step (the
    // fields the file does not reach become empty, without colour). False
    // after the message when the file is refused; then nothing changed.
    // imported gets what was taken and left out, for the status bar;
    // warning the warning that cells of other columns were left out
    // (empty when none were).
    bool ImportNames(const QString& path, QString* imported = nullptr, QString* warning = nullptr);
    // Writes the names and colours to path through the safe save; false
    // after the message when that failed.
    bool ExportNames(const QString& path) const;

protected:
    std::vector<std::uint8_t> DamagedHead(const std::vector<std::uint8_t>& content,
                                          std::size_t limit) const override;

public:
    // Entry i is the name of field i (8-bit text, code page 1252).
    std::vector<std::string> names;
    // Entry i is field i's own colour; 0 means none.
    std::vector<COLORREF> colors;
};
