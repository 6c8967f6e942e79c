// SPDX-License-Identifier: GPL-3.0-or-later
// Datei > Mehrere Streifen drucken: the chosen files printed on one sheet
// through the print dialog, with an unreadable file among them.

#include "AppFixture.h"
#include "StripFiles.h"
#include "paint/StripSheet.h"
#include "platform/printing/PrinterDevice.h"

#include <QFile>
#include <QProcess>

namespace {

class SheetCommand : public AppFixture {
protected:
    // n copies of demo.V7N named s00.V7N, s01.V7N, ...
    QStringList Copies(int n) {
        QStringList paths;
        for (int i = 0; i < n; ++i) {
            paths << TempPath(QString::asprintf("s%02d.V7N", i));
            QFile::remove(paths.back());
            QFile::copy(QStringLiteral(QUINTARA_TEST_DATA "/demo.V7N"), paths.back());
        }
        return paths;
    }
};

} // namespace

TEST_F(SheetCommand, MenuCommandNamesAnUnreadableFileOnceAndPrintsTheOthers) {
    Start();
    const QString pdf = TempPath("sheet.pdf");
    printerdevice::PrepareForPdf(app->Printer(), pdf);
    QStringList files = Copies(3);
    const QString broken = TempPath("kaputt.V7N");
    WriteFileBytes(broken, Bytes{'V', '7', 'N', 1, 2, 3});
    files.insert(1, broken);
    const QString missing = TempPath("fehlt.V7N");
    files.insert(2, missing);
    View().zoomX = 50; // the open strip's scales serve the sheet

    ui->fileAnswers.push_back(files.join('\n'));
    ui->messageAnswers = {MbResult::Ok, MbResult::Yes};
    ui->printAnswers.push_back([](QPrinter&) { return true; });
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT_SHEET));
    ASSERT_EQ(ui->fileRequests.size(), 1u);
    EXPECT_EQ(ui->printDialogs, 1);
    // One message naming the file; the demo's long names are asked about once.
    const QStringList texts = ui->MessageTexts();
    ASSERT_EQ(texts.size(), 2) << texts.join('|').toStdString();
    EXPECT_TRUE(texts[0].startsWith("Diese Dateien konnten nicht gelesen werden"));
    // Each line "path: why", naming its file once.
    EXPECT_TRUE(texts[0].contains("\n" + broken + ": Unerwartetes Dateiformat.\n"));
    EXPECT_TRUE(texts[0].endsWith(
        "\n" + missing +
        QString::fromUtf8(": Diese Datei konnte nicht gefunden werden. Überprüfen Sie, ob der "
                          "korrekte Pfad und Dateiname angegeben wurde.")));
    EXPECT_EQ(texts[0].count("fehlt.V7N"), 1);
    EXPECT_EQ(texts[0].count('\n'), 2);
    EXPECT_TRUE(texts[1].startsWith("Auf dem Bogen passen Namen nicht in ihr Feld:\ns00.V7N: "));
    // Boxes list the first ten lines of a long list and count the rest.
    EXPECT_EQ(StripSheet::LineList({"a", "b", "c"}, 2), "a\nb\n... und 1 weitere");
    EXPECT_EQ(StripSheet::LineList({"a", "b"}, 2), "a\nb");

    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(10000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    for (const char* title : {"s00.V7N", "s01.V7N", "s02.V7N"})
        EXPECT_EQ(out.count(title), 1) << title;
    EXPECT_FALSE(out.contains("kaputt"));
    // The open strip is left as it was.
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_EQ(View().zoomX, 50);
}
