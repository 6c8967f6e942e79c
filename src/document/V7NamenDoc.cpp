// SPDX-License-Identifier: GPL-3.0-or-later
#include "document/V7NamenDoc.h"

#include "document/LayoutSettings.h"
#include "document/NameReceiver.h"
#include "document/StripGeometry.h"
#include "document/V7NFile.h"
#include "document/undo/InsertFieldStep.h"
#include "document/undo/RemoveFieldStep.h"
#include "document/undo/ValueStep.h"
#include "platform/files/Archive.h"
#include "platform/framework/DocumentView.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"

#include <cstring>
#include <optional>

namespace {

const std::string kEmpty;

// All names and colours of a strip, as a receive or an import replaces them.
struct Fields {
    std::vector<std::string> names;
    std::vector<COLORREF> colors;
};

// The label font's description; none when there was no font.
using FontDescription = std::optional<LOGFONTA>;

} // namespace

CV7NamenDoc::CV7NamenDoc() {
    OnCommand(ID_RECEIVE_NAMES, [this] { OnReceiveNames(); });
    OnCommand(ID_FILE_IMPORT_NAMES, [this] { OnImportNames(); });
    OnCommand(ID_FILE_EXPORT_NAMES, [this] { OnExportNames(); });
}

void CV7NamenDoc::OnReceiveNames() {
    if (!SaveModified())
        return;
    NameReceiver* receiver = GetNameReceiver();
    std::optional<std::vector<std::string>> received =
        receiver ? receiver->ReceiveNames() : std::nullopt;
    if (!received)
        return;
    // The title stays; the path goes, so that Save asks for a file name.
    if (SetNamesAndColors(std::move(*received), {}, IDS_STEP_RECEIVE))
        ClearPathName();
}

bool CV7NamenDoc::ResetToNew() {
    DocumentBase::ResetToNew();
    std::vector<std::string>().swap(names);
    std::vector<COLORREF>().swap(colors);
    names.resize(kFieldCount);
    colors.resize(kFieldCount, 0);
    return true;
}

void CV7NamenDoc::DeleteContents() {
    // Whatever is loaded next starts from an empty strip, so the document
    // never shows fewer than 16 fields or the names of a previous file.
    names.assign(kFieldCount, std::string());
    colors.assign(kFieldCount, 0);
}

LayoutSettings* CV7NamenDoc::Settings() const {
    return dynamic_cast<LayoutSettings*>(GetFirstView());
}

void CV7NamenDoc::Serialize(Archive& ar) {
    // The settings live in the first view; without one nothing is written or read.
    LayoutSettings* settings = Settings();
    if (!settings)
        return;
    if (ar.IsStoring()) {
        v7n::Write(ar, *settings, colors, names);
        return;
    }
    StripData data;
    if (!v7n::Read(ar, data))
        return;
    // The strip ends with its last name; anything after it is what a save
    // cut short left behind.
    const bool tail = !ar.AtEnd();
    if (!ar.Ok())
        return;
    // Everything arrived: apply settings, font, colours and names together.
    v7n::ApplySettings(data, *settings);
    colors = std::move(data.colors);
    names = std::move(data.names);
    if (tail)
        NoteUnreadTail();
}

std::vector<std::uint8_t> CV7NamenDoc::DamagedHead(const std::vector<std::uint8_t>& content,
                                                   std::size_t limit) const {
    return v7n::DamagedHead(content, limit);
}

const std::string& CV7NamenDoc::GetName(int index) const {
    if (index < 0 || index >= int(names.size()))
        return kEmpty;
    return names[std::size_t(index)];
}

bool CV7NamenDoc::SetName(int index, const std::string& text) {
    if (index < 0 || index >= int(names.size()))
        return false;
    if (names[std::size_t(index)] == text)
        return false;
    const std::size_t at = std::size_t(index);
    PushStep(std::make_unique<ValueStep<std::string>>(
        *this, names[at], text, LoadStr(IDS_STEP_NAME),
        [at](CV7NamenDoc& doc, const std::string& name) { doc.names.at(at) = name; }));
    return true;
}

COLORREF CV7NamenDoc::GetColor(int index) const {
    if (index < 0 || index >= int(colors.size()))
        return 0;
    return colors[std::size_t(index)];
}

bool CV7NamenDoc::SetColor(int index, COLORREF color) {
    if (index < 0 || index >= int(colors.size()))
        return false;
    if (colors[std::size_t(index)] == color)
        return false;
    const std::size_t at = std::size_t(index);
    PushStep(std::make_unique<ValueStep<COLORREF>>(
        *this, colors[at], color, LoadStr(color == 0 ? IDS_STEP_DEFAULT_COLOR : IDS_STEP_COLOR),
        [at](CV7NamenDoc& doc, const COLORREF& c) { doc.colors.at(at) = c; }));
    return true;
}

bool CV7NamenDoc::InsertField(int index) {
    if (index < 0 || index >= int(names.size()))
        return false;
    PushStep(std::make_unique<InsertFieldStep>(*this, index));
    return true;
}

bool CV7NamenDoc::RemoveField(int index) {
    if (index < 0 || index >= int(names.size()))
        return false;
    PushStep(std::make_unique<RemoveFieldStep>(*this, index));
    return true;
}

bool CV7NamenDoc::SetNamesAndColors(std::vector<std::string> newNames,
                                    std::vector<COLORREF> newColors, int stepText) {
    newNames.resize(kFieldCount);
    newColors.resize(kFieldCount, 0);
    if (newNames == names && newColors == colors)
        return false;
    Fields before{names, colors};
    Fields after{std::move(newNames), std::move(newColors)};
    PushStep(std::make_unique<ValueStep<Fields>>(*this, std::move(before), std::move(after),
                                                 LoadStr(stepText),
                                                 [](CV7NamenDoc& doc, const Fields& fields) {
                                                     doc.names = fields.names;
                                                     doc.colors = fields.colors;
                                                 }));
    return true;
}

bool CV7NamenDoc::ApplySettings(const LayoutValues& values, int stepText) {
    const LayoutSettings* settings = Settings();
    if (!settings)
        return false;
    const LayoutValues before = settings->Values();
    if (before == values)
        return false;
    PushStep(std::make_unique<ValueStep<LayoutValues>>(*this, before, values, LoadStr(stepText),
                                                       [](CV7NamenDoc& doc, const LayoutValues& v) {
                                                           if (LayoutSettings* s = doc.Settings())
                                                               s->Values() = v;
                                                       }));
    return true;
}

bool CV7NamenDoc::SetLabelFont(const LOGFONTA& font) {
    const LayoutSettings* settings = Settings();
    if (!settings)
        return false;
    FontDescription before;
    LOGFONTA current{};
    if (settings->labelFont.GetObject(&current) == int(sizeof current)) {
        // The font the strip is drawn with, confirmed: the strip and its
        // file stay exactly as they are.
        if (std::memcmp(&current, &font, sizeof font) == 0)
            return false;
        before = current;
    }
    PushStep(std::make_unique<ValueStep<FontDescription>>(
        *this, before, font, LoadStr(IDS_STEP_FONT),
        [](CV7NamenDoc& doc, const FontDescription& description) {
            if (LayoutSettings* s = doc.Settings()) {
                s->labelFont.DeleteObject();
                if (description)
                    s->labelFont.CreateFontIndirect(*description);
            }
        }));
    return true;
}
