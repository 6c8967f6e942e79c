// SPDX-License-Identifier: GPL-3.0-or-later
// Printer calibration: the test page on a 600-dpi image standing in for a
// printer, and the assistant run through the menu command as a user does.

#include "AppFixture.h"
#include "PaperDc.h"
#include "StripFiles.h"
#include "platform/printing/PrintInfo.h"
#include "platform/printing/PrinterDevice.h"
#include "resources/Resource.h"
#include "view/CalibrationDialog.h"
#include "view/TestPagePrint.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTest>

namespace {

bool IsInk(QColor c) {
    return c.lightness() < 100;
}

// The end (exclusive) of the run of ink that starts at (x, y), going right or down.
int RunEnd(const QImage& image, int x, int y, bool right) {
    while (x < image.width() && y < image.height() && IsInk(image.pixelColor(x, y)))
        right ? ++x : ++y;
    return right ? x : y;
}

// Tenths of a millimetre at 600 dpi, scaled by percent.
double Px(int tenths, int percent = 100) {
    return tenths * 600.0 / 254.0 * percent / 100.0;
}

} // namespace

TEST(CalibrationPage, FrameAndBarsWhereTheStripPrints) {
    // The frame's top-left corner in pixels: 20 mm is 472.4 px at 600 dpi.
    // 15 mm (354.3 px) and 25 mm (590.6 px) are divided by the scales of
    // 97 and 103 % into whole units of the picture and scaled back by the
    // printer's context, which keeps 353 and 590 px.
    struct Case {
        std::int32_t left, top;
        std::int16_t zx, zy;
        int x0, y0;
    };
    for (const Case c : {Case{200, 200, 100, 100, 472, 472}, Case{150, 250, 97, 103, 353, 590}}) {
        SCOPED_TRACE(c.left);
        CV7NamenDoc doc;
        CV7NamenView view;
        doc.ResetToNew();
        doc.AddView(&view);
        doc.SetName(1, "Zentrale");
        view.leftMargin = c.left;
        view.topMargin = c.top;
        view.zoomX = c.zx;
        view.zoomY = c.zy;
        PaperDc paper(600, {}, false, QSize(3000, 5700));
        PrintInfo info;
        TestPagePrint page(view);
        page.OnBeginPrinting(*paper.dc, info);
        page.OnPrepareDC(*paper.dc);
        page.OnPrint(*paper.dc, info);
        page.OnEndPrinting(*paper.dc, info);
        const QImage& img = paper.image;

        // The frame's corner at the margins, its lines clear of the bars.
        const int x0 = c.x0;
        const int y0 = c.y0;
        ASSERT_TRUE(IsInk(img.pixelColor(x0, y0)));
        EXPECT_FALSE(IsInk(img.pixelColor(x0, y0 - 1)));
        EXPECT_FALSE(IsInk(img.pixelColor(x0 - 1, y0)));
        EXPECT_FALSE(IsInk(img.pixelColor(x0 - 1, y0 - 1)));
        EXPECT_FALSE(IsInk(img.pixelColor(x0 + 1, y0 + 1)));
        EXPECT_NEAR(RunEnd(img, x0, y0, true) - x0, Px(260, c.zx), 1.5) << "top line";
        const int right = RunEnd(img, x0, y0, true) - 1;
        EXPECT_NEAR(RunEnd(img, right, y0, false) - y0, Px(1212, c.zy), 1.5) << "right line";
        // Nothing inside: no shade, no names.
        for (int y = y0 + 3; y < y0 + int(Px(1212, c.zy)) - 3; y += 7)
            for (int x = x0 + 3; x < x0 + int(Px(260, c.zx)) - 3; x += 7)
                ASSERT_EQ(img.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;

        // Bar A along the top edge, 100 mm before the scale; bar B along
        // the left edge, 200 mm; both from the corner, 1 mm off the frame.
        const int aRow = y0 - int(Px(12, c.zy));
        const int bColumn = x0 - int(Px(12, c.zx));
        EXPECT_NEAR(RunEnd(img, x0, aRow, true) - x0, Px(1000, c.zx), 1.5) << "bar A";
        EXPECT_NEAR(RunEnd(img, bColumn, y0, false) - y0, Px(2000, c.zy), 1.5) << "bar B";
        EXPECT_FALSE(IsInk(img.pixelColor(x0 - 1, aRow))) << "bar A starts at the corner";
        // Ticks every 10 mm above bar A: ink 2 mm above the bar at 50 mm, none between.
        const int tickRow = y0 - int(Px(15 + 20, c.zy));
        EXPECT_TRUE(IsInk(img.pixelColor(int(x0 + Px(500, c.zx)), tickRow)));
        EXPECT_FALSE(IsInk(img.pixelColor(int(x0 + Px(550, c.zx)), tickRow)));
    }
}

namespace {

class Calibration : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Start();
        ShowActive();
    }
    // Runs Datei > Drucker kalibrieren: `prepare` on the dialog before it
    // shows (the printers to offer), then the script on the shown dialog.
    void Run(const std::function<void(CalibrationDialog&)>& prepare,
             const std::function<int(CalibrationDialog&)>& script) {
        ui->dialogScripts.push_back([prepare, script](QDialog& dialog) {
            auto& d = dynamic_cast<CalibrationDialog&>(dialog);
            prepare(d);
            d.show();
            QApplication::setActiveWindow(&d);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            const int result = script(d);
            d.hide();
            return result;
        });
        EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_CALIBRATE));
        EXPECT_TRUE(ui->dialogScripts.empty());
    }
    // Types text into the field with the focus, then Tab.
    static void Type(CalibrationDialog& d, const char* text) {
        QTest::keyClicks(d.focusWidget(), text);
        QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
    }
    LayoutValues Current() const { return Doc().Settings()->Values(); }
};

} // namespace

TEST_F(Calibration, WorkedExampleIsKeptForThePrinterAndTheStripStaysAsItWas) {
    const auto offer = [](CalibrationDialog& d) {
        d.printers = {"Testdrucker", "Zweiter"};
        d.defaultPrinter = "Testdrucker";
    };
    const auto stored = [this] {
        return QSettings(TempPath("quintara.ini"), QSettings::IniFormat)
            .value("PrinterCorrection/Testdrucker");
    };
    Run(offer, [](CalibrationDialog& d) {
        EXPECT_EQ(d.windowTitle(), QString("Drucker kalibrieren"));
        EXPECT_EQ(d.PrinterBox()->currentText(), QString("Testdrucker"));
        EXPECT_EQ(d.StateLine()->text(),
                  QString::fromUtf8("Für diesen Drucker ist noch keine Korrektur gespeichert."));
        EXPECT_FALSE(d.ResetButton()->isEnabled());
        EXPECT_EQ(d.focusWidget(), d.Edit(IDC_CALIB_LEFT));
        EXPECT_TRUE(d.OkButton()->isDefault());
        for (auto [id, text] : {std::pair{IDC_CALIB_LEFT, "20"},
                                {IDC_CALIB_TOP, "20"},
                                {IDC_CALIB_BAR_A, "100"},
                                {IDC_CALIB_BAR_B, "200"}})
            EXPECT_EQ(d.Edit(id)->text(), QString(text));
        Type(d, "21,5");
        Type(d, "19");
        Type(d, "101");
        EXPECT_EQ(d.focusWidget(), d.Edit(IDC_CALIB_BAR_B));
        QTest::keyClicks(d.focusWidget(), "198");
        EXPECT_EQ(d.NewValuesLine()->text().toStdString(),
                  "Korrektur: waagrecht 101,00 % und 1,30 mm, senkrecht 99,00 % und -0,80 mm");
        QTest::keyClick(d.focusWidget(), Qt::Key_Return);
        return d.result();
    });
    EXPECT_EQ(stored(), QVariant("101.00 1.30 99.00 -0.80"));
    // A fact about the printer: no step, nothing to save, the margins as wanted.
    EXPECT_EQ(Current(), LayoutValues());
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Doc().UndoStack().canUndo());
    EXPECT_EQ(app->StoredCorrection("Testdrucker"), (PaperCorrection{1.01, 1.3, 0.99, -0.8}));

    // Measured again on a page that lands right: OK keeps it. Then
    // "Zurücksetzen" removes it.
    Run(offer, [](CalibrationDialog& d) {
        EXPECT_EQ(d.StateLine()->text(),
                  QString::fromUtf8("Für diesen Drucker ist eine Korrektur gespeichert."));
        EXPECT_EQ(d.Edit(IDC_CALIB_LEFT)->text(), QString("20"));
        QTest::keyClick(d.focusWidget(), Qt::Key_Return);
        return d.result();
    });
    EXPECT_EQ(stored(), QVariant("101.00 1.30 99.00 -0.80"));
    Run(offer, [](CalibrationDialog& d) {
        EXPECT_TRUE(d.ResetButton()->isEnabled());
        QTest::mouseClick(d.ResetButton(), Qt::LeftButton);
        EXPECT_FALSE(d.ResetButton()->isEnabled());
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(stored().isValid());
}

TEST_F(Calibration, RefusedTextsKeepTheDialogAndTheTestPageAsksNothingAboutNames) {
    // The demo strip has names too long for their fields; the test page
    // shows none, so its print does not ask about them.
    ASSERT_TRUE(app->OpenDocumentFile(QStringLiteral(QUINTARA_TEST_DATA "/demo.V7N"), false));
    const QString pdf = TempPath("test.pdf");
    ui->printAnswers.push_back([pdf](QPrinter& printer) {
        printerdevice::PrepareForPdf(printer, pdf);
        return true;
    });
    const auto offer = [](CalibrationDialog& d) { d.printers = {"Testdrucker"}; };
    Run(offer, [this, pdf](CalibrationDialog& d) {
        QTest::mouseClick(d.TestPageButton(), Qt::LeftButton);
        EXPECT_EQ(ui->printDialogs, 1);
        EXPECT_TRUE(QFile::exists(pdf));
        EXPECT_TRUE(ui->messages.empty());

        const struct {
            int id;
            const char* text;
            const char* message;
        } refused[] = {
            {IDC_CALIB_TOP, "1.000,5", "Geben Sie bitte eine Zahl ein."},
            {IDC_CALIB_BAR_B, "400,01", "Geben Sie bitte eine Zahl zwischen 1 und 400 ein."},
            {IDC_CALIB_LEFT, "-1", "Geben Sie bitte eine Zahl ein."},
        };
        for (const auto& r : refused) {
            d.Edit(r.id)->setText(r.text);
            QTest::mouseClick(d.OkButton(), Qt::LeftButton);
            EXPECT_TRUE(d.isVisible()) << r.text;
            EXPECT_EQ(ui->messages.back().text.toStdString(), r.message);
            EXPECT_EQ(d.focusWidget(), d.Edit(r.id));
            EXPECT_EQ(d.Edit(r.id)->selectedText(), QString(r.text));
            d.Edit(r.id)->setText("97.5");
        }
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(ui->messages.size(), 3u);
    EXPECT_FALSE(Doc().IsModified());

    // The page says what to measure and where the frame is wanted.
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(10000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains(QString::fromUtf8("Rahmen gewünscht bei 20,0 mm / 20,0 mm")))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QString::fromUtf8("äußeren Linie des Rahmens")));
}
