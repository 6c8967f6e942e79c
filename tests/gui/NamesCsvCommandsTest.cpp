// SPDX-License-Identifier: GPL-3.0-or-later
// Datei > Namen exportieren... and Namen importieren...: the round trip, one
// undoable step, and files refused with nothing changed.

#include "AppFixture.h"
#include "StripFiles.h"
#include "resources/Resource.h"

#include <QFile>
#include <QLabel>

using NamesCsvCommands = AppFixture;

TEST_F(NamesCsvCommands, ExportThenImportGivesTheSameStripAndRefusedFilesChangeNothing) {
    Start();
    const std::vector<std::string> names = {
        "Zentrale", "M\xFCller; Hans", "Sag \"Hallo\"", " Empfang ", "\x80-Konto", "", "a,b"};
    for (int i = 0; i < 16; ++i) {
        Doc().SetName(i,
                      i < int(names.size()) ? names[std::size_t(i)] : "Taste " + std::to_string(i));
        Doc().SetColor(i, i % 3 == 0 ? RGB(BYTE(i * 16), 0x80, 0xFE) : 0);
    }
    const auto saved = std::make_pair(Doc().names, Doc().colors);
    const QString csv = TempPath("namen.csv");
    ui->fileAnswers = {csv};
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_EXPORT_NAMES));
    const Bytes written = ReadFileBytes(csv);
    const std::string text(written.begin(), written.end());
    EXPECT_EQ(text.rfind("\xEF\xBB\xBFTaste;Name;Farbe\r\n1;Zentrale;#0080FE\r\n", 0), 0u);
    EXPECT_NE(text.find("\n2;\"M\xC3\xBCller; Hans\";\r\n"), std::string::npos);

    Doc().ResetToNew();
    ui->fileAnswers = {csv};
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_IMPORT_NAMES));
    EXPECT_EQ(std::make_pair(Doc().names, Doc().colors), saved);
    EXPECT_EQ(Frame().MessagePane()->text(), QString("15 Namen übernommen, 0 Zeilen ausgelassen."));
    EXPECT_EQ(Doc().UndoStack().undoText(), QString("Namen importieren"));
    Doc().Undo();
    EXPECT_EQ(Doc().GetName(0), "");

    // Fewer rows: the rest of the strip becomes empty, without colour.
    Doc().Redo();
    const QString two = TempPath("zwei.csv");
    WriteFileBytes(two, Bytes{'A', '\n', 'B', '\n'});
    ASSERT_TRUE(Doc().ImportNames(two));
    EXPECT_EQ(Doc().GetName(1), "B");
    EXPECT_EQ(Doc().GetName(2), "");
    EXPECT_EQ(Doc().GetColor(0), 0u);

    // Refused files: a message, and names, colours, steps and flag stay.
    const auto before = std::make_pair(Doc().names, Doc().colors);
    const int steps = Doc().UndoStack().count();
    const std::string bad[] = {"A\n\"offen\n", std::string("A\0B", 3), "Name;Farbe\nA;blau\n",
                               std::string(2 << 20, 'x')};
    for (const std::string& bytes : bad) {
        const QString path = TempPath("bad.csv");
        WriteFileBytes(path, Bytes(bytes.begin(), bytes.end()));
        ui->messages.clear();
        ui->fileAnswers = {path};
        Frame().ExecuteCommand(ID_FILE_IMPORT_NAMES);
        ASSERT_EQ(ui->messages.size(), 1u);
        EXPECT_TRUE(ui->messages[0].text.contains("Es wurde nichts geändert."))
            << ui->messages[0].text.toStdString();
        EXPECT_EQ(std::make_pair(Doc().names, Doc().colors), before);
        EXPECT_EQ(Doc().UndoStack().count(), steps);
    }
}
