// SPDX-License-Identifier: GPL-3.0-or-later
// The print commands on a real printer object writing PDF files: the hooks
// around a job, the printing box, the print preview in the main window and
// the printer setup.

#include "AppFixture.h"
#include "document/StripGeometry.h"
#include "platform/dialogs/PrintSetupDialog.h"
#include "platform/dialogs/QtUiHost.h"
#include "platform/printing/PrintPreviewPane.h"
#include "platform/printing/PrinterDevice.h"
#include "resources/Resource.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

class PrintCommands : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Start();
        pdf = TempPath("out.pdf");
        printerdevice::PrepareForPdf(app->Printer(), pdf);
    }
    // Pages of a PDF file as pdfinfo counts them (-1: not a PDF).
    static int PdfPages(const QString& path) {
        QProcess p;
        p.start("pdfinfo", {path});
        p.waitForFinished(10000);
        for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n'))
            if (line.startsWith("Pages:"))
                return line.mid(6).trimmed().toInt();
        return -1;
    }
    static std::function<bool(QPrinter&)> Accept() {
        return [](QPrinter&) { return true; };
    }
    PrintPreviewPane* Pane() { return qobject_cast<PrintPreviewPane*>(Frame().PreviewPane()); }
    QString Status() { return Frame().MessagePane()->text(); }

    QString pdf;
};

} // namespace

TEST_F(PrintCommands, CancelledDialogPrintsNothingAndAcceptedOnePrintsOnePage) {
    Doc().SetName(0, "Zentrale");
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT));
    EXPECT_EQ(ui->printDialogs, 1);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(View().printing);
    EXPECT_FALSE(View().printerFont.HasFont()); // begin printing never ran

    ui->printAnswers.push_back(Accept());
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT));
    EXPECT_EQ(ui->printDialogs, 2);
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_FALSE(View().printing);
    EXPECT_TRUE(View().printerFont.HasFont());
    EXPECT_TRUE(ui->messages.empty());

    // Direct printing asks nothing.
    QFile::remove(pdf);
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT_DIRECT));
    EXPECT_EQ(ui->printDialogs, 2);
    EXPECT_EQ(PdfPages(pdf), 1);
}

TEST_F(PrintCommands, JobThatCannotStartSaysSoAndEndsPrinting) {
    printerdevice::PrepareForPdf(app->Printer(), TempPath("missing/folder/out.pdf"));
    ui->printAnswers.push_back(Accept());
    EXPECT_EQ(View().DoPrint(false), PrintJob::Result::Failed);
    EXPECT_EQ(ui->MessageTexts(), QStringList{"Der Druckauftrag konnte nicht gestartet werden."});
    EXPECT_TRUE(View().printerFont.HasFont()); // begin printing ran
    EXPECT_FALSE(View().printing);
}

TEST_F(PrintCommands, PrintingBoxNamesDocumentPrinterFileAndPageAndCancels) {
    QStringList lines;
    QString button;
    // The box pumps events while it is up: look at it, then press its button.
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() != "PrintingBox" || !w->isVisible())
                continue;
            for (QLabel* l : w->findChildren<QLabel*>())
                lines << l->text();
            auto* cancel = w->findChild<QPushButton*>("CancelButton");
            button = cancel->text();
            cancel->click();
        }
    });
    EXPECT_EQ(View().DoPrint(true), PrintJob::Result::Cancelled);
    EXPECT_EQ(lines, QStringList({"Drucke", "Unbenannt", "auf", "PDF", "in " + pdf, "Seite 1"}));
    EXPECT_EQ(button, QString("Abbrechen"));
    EXPECT_FALSE(View().printing);
}

TEST_F(PrintCommands, PreviewTakesThePlaceOfTheViewUntilClosed) {
    ShowActive();
    const QSize size = Frame().size();
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT_PREVIEW));
    PrintPreviewPane* pane = Pane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(Frame().centralWidget(), pane);
    EXPECT_TRUE(View().isHidden());
    EXPECT_TRUE(Frame().ToolBar()->isHidden());
    EXPECT_TRUE(Frame().menuBar()->isHidden());
    EXPECT_TRUE(View().printing);
    EXPECT_TRUE(View().printerFont.HasFont());

    QStringList texts;
    for (QPushButton* b : pane->findChild<QWidget*>("PreviewBar")->findChildren<QPushButton*>())
        texts << b->text();
    EXPECT_EQ(texts, QStringList({"&Drucken...", "&Nächste", "&Vorherige", "&Zwei Seiten",
                                  "Ver&größern", "Ver&kleinern", "&Schließen"}));
    // One page: nowhere to go; the whole page shown: only larger.
    EXPECT_FALSE(pane->Button(ID_PREVIEW_NEXT)->isEnabled());
    EXPECT_FALSE(pane->Button(ID_PREVIEW_PREV)->isEnabled());
    EXPECT_TRUE(pane->Button(ID_PREVIEW_ZOOMIN)->isEnabled());
    EXPECT_FALSE(pane->Button(ID_PREVIEW_ZOOMOUT)->isEnabled());
    EXPECT_EQ(pane->Preview()->pageCount(), 1);
    EXPECT_EQ(Status(), QString("Seite 1"));
    EXPECT_EQ(pane->Button(ID_PREVIEW_CLOSE)->statusTip(), QString("Beendet die Seitenansicht."));

    // Accelerators of the main window rest; Page Down does nothing here.
    QTest::keyClick(pane->Preview(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(ui->printDialogs, 0);
    QTest::keyClick(pane->Preview(), Qt::Key_PageDown);
    EXPECT_EQ(Pane(), pane);

    pane->Button(ID_PREVIEW_ZOOMIN)->click();
    EXPECT_TRUE(pane->Button(ID_PREVIEW_ZOOMOUT)->isEnabled());
    EXPECT_FALSE(pane->Button(ID_PREVIEW_NUMPAGE)->isEnabled());
    pane->Button(ID_PREVIEW_ZOOMIN)->click();
    EXPECT_FALSE(pane->Button(ID_PREVIEW_ZOOMIN)->isEnabled());

    QTest::keyClick(pane->Preview(), Qt::Key_Escape);
    EXPECT_EQ(Pane(), nullptr);
    EXPECT_EQ(Frame().centralWidget(), &View());
    EXPECT_EQ(Frame().size(), size); // the bar may have widened it
    EXPECT_FALSE(View().isHidden());
    EXPECT_FALSE(Frame().ToolBar()->isHidden());
    EXPECT_FALSE(Frame().menuBar()->isHidden());
    EXPECT_FALSE(View().printing);
    EXPECT_EQ(Status(), QString("Zusatzfunktionen: rechte Maustaste"));
    EXPECT_FALSE(QFile::exists(pdf));
    // The main window's keys are back.
    QTest::keyClick(View().viewport(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(ui->printDialogs, 1);
}

TEST_F(PrintCommands, PreviewZoomKeepsTheStripsCornerInView) {
    ShowActive();
    // Near the paper's corner, as by default, and far from it.
    for (const auto& [left, top] : {std::pair(200, 200), std::pair(1200, 1500)}) {
        View().leftMargin = left;
        View().topMargin = top;
        ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT_PREVIEW));
        PrintPreviewPane* pane = Pane();
        auto* view = pane->Preview()->findChild<QGraphicsView*>();
        ASSERT_NE(view, nullptr);
        // The preview counts in printer pixels from the paper's corner.
        const int dpi = app->Printer().resolution();
        const QPointF corner(ToDevice(left, dpi), ToDevice(top, dpi));
        for (int step = 1; step <= 2; ++step) {
            pane->Button(ID_PREVIEW_ZOOMIN)->click();
            QCoreApplication::processEvents();
            EXPECT_TRUE(view->viewport()->rect().contains(view->mapFromScene(corner)))
                << "margins " << left << ", " << top << ", step " << step;
        }
        pane->Button(ID_PREVIEW_CLOSE)->click();
    }
}

TEST_F(PrintCommands, PreviewPageCountIsKeptAndPrintClosesThePreviewFirst) {
    ShowActive();
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT_PREVIEW));
    Pane()->Button(ID_PREVIEW_NUMPAGE)->click();
    EXPECT_EQ(Pane()->Button(ID_PREVIEW_NUMPAGE)->text(), QString("&Eine Seite"));
    EXPECT_EQ(Status(), QString("Seite 1")); // there is no second page
    Pane()->Button(ID_PREVIEW_CLOSE)->click();
    QSettings profile(TempPath("quintara.ini"), QSettings::IniFormat);
    EXPECT_EQ(profile.value("Settings/PreviewPages").toInt(), 2);

    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT_PREVIEW));
    EXPECT_EQ(Pane()->PagesShown(), 2);
    EXPECT_EQ(Pane()->Button(ID_PREVIEW_NUMPAGE)->text(), QString("&Eine Seite"));
    bool printingWhenAsked = true;
    ui->printAnswers.push_back([&](QPrinter&) {
        printingWhenAsked = View().printing;
        return true;
    });
    Pane()->Button(ID_PREVIEW_PRINT)->click();
    EXPECT_EQ(Pane(), nullptr);
    EXPECT_FALSE(printingWhenAsked); // the preview had ended its printing
    EXPECT_EQ(ui->printDialogs, 1);
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_FALSE(View().printing);

    // A file dropped on the window ends the preview, which shows the old strip.
    ASSERT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT_PREVIEW));
    EXPECT_TRUE(Frame().OnDropFiles({QUrl::fromLocalFile(QUINTARA_TEST_DATA "/demo.V7N")}));
    EXPECT_EQ(Pane(), nullptr);
    EXPECT_FALSE(View().printing);
    EXPECT_EQ(Frame().centralWidget(), &View());
    EXPECT_EQ(Doc().GetTitle(), QString("demo.V7N"));
}

TEST_F(PrintCommands, PrinterSetupChangesThePrinterForLaterJobs) {
    QPrinter* seen = nullptr;
    ui->printAnswers.push_back([&](QPrinter& printer) {
        seen = &printer;
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT_SETUP));
    EXPECT_EQ(ui->printSetupDialogs, 1);
    EXPECT_EQ(seen, &app->Printer());
    EXPECT_EQ(app->Printer().pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_FALSE(app->Printer().fullPage());

    // The dialog itself: paper and orientation reach the printer only on OK.
    QPrinter printer(QPrinter::HighResolution);
    PrintSetupDialog dialog(printer);
    const int a5 = dialog.PaperBox()->findText(QPageSize(QPageSize::A5).name());
    ASSERT_GE(a5, 0);
    dialog.PaperBox()->setCurrentIndex(a5);
    dialog.LandscapeButton()->setChecked(true);
    EXPECT_NE(printer.pageLayout().pageSize().id(), QPageSize::A5);
    dialog.Apply();
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(PrintCommands, ThePrintDialogOpensOnTheFileAPdfWasPrintedInto) {
    // Where the printing system lists printers, Qt's dialog would preselect
    // the default one, and Enter would print on paper.
    QtUiHost host;
    int seenIndex = -1, lastIndex = -2;
    QString seenFile;
    bool fileEditable = false;
    QTimer::singleShot(0, [&] {
        auto* const dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        auto* const printers = dialog->findChild<QComboBox*>("printers");
        auto* const fileName = dialog->findChild<QLineEdit*>("filename");
        ASSERT_TRUE(printers && fileName);
        seenIndex = printers->currentIndex();
        lastIndex = printers->count() - 1;
        seenFile = fileName->text();
        fileEditable = fileName->isEnabled();
        dialog->reject();
    });
    EXPECT_FALSE(host.PrintDialog(app->Printer(), 1, 1));
    EXPECT_EQ(seenIndex, lastIndex);
    EXPECT_EQ(seenFile, pdf);
    EXPECT_TRUE(fileEditable);
    EXPECT_EQ(app->Printer().outputFormat(), QPrinter::PdfFormat);
}
