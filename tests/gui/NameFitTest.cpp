// SPDX-License-Identifier: GPL-3.0-or-later
// Names too long for their field: the decision on screen and on paper, the
// list the warnings show, the marks, the tooltip, the status pane, the
// question before printing and the option that sets long names narrower.

#include "AppFixture.h"
#include "PaperDc.h"
#include "platform/base/CodePage.h"
#include "platform/printing/PrintInfo.h"
#include "platform/printing/PrinterDevice.h"
#include "resources/Resource.h"
#include "view/NameEdit.h"
#include "view/OptionsDlg.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolTip>
#include <cmath>
#include <functional>

namespace {

// Letters added to a name until one more would pass `room` device pixels:
// the name that just fits and the one that just does not.
std::pair<QString, QString> AtTheEdge(const QFont& font, double room) {
    const QFontMetricsF m(font);
    QString fits = QStringLiteral("Geschäftsführung");
    while (m.horizontalAdvance(fits) > room)
        fits.chop(1);
    while (m.horizontalAdvance(fits + QLatin1Char('i')) <= room)
        fits += QLatin1Char('i');
    return {fits, fits + QLatin1Char('i')};
}

// The name just fitting fits; the one just too long does not, by the
// overhang rounded up to tenths of a millimetre.
void ExpectEdge(const CV7NamenView& view, const FontObject& font, const DeviceContext& dc,
                double room, double pixelsPerTenth, const char* where) {
    const QFont drawn = dc.DeviceFont(font);
    const auto [fits, over] = AtTheEdge(drawn, room);
    const NameFit a = view.MeasureName(fits, font, dc);
    EXPECT_TRUE(a.fits) << where;
    EXPECT_EQ(a.overhang, 0) << where;
    const NameFit b = view.MeasureName(over, font, dc);
    EXPECT_FALSE(b.fits) << where;
    const double pixels = QFontMetricsF(drawn).horizontalAdvance(over) - room;
    EXPECT_EQ(b.overhang, int(std::ceil(pixels / pixelsPerTenth))) << where;
}

} // namespace

TEST(NameFit, NamesJustFittingAndJustTooLongOnScreenAndAt600And1200Dpi) {
    CV7NamenView view;
    // The screen: 102 pixels less an indent of 3 on either side.
    DeviceContext screen(DeviceContext::Attributes{});
    ExpectEdge(view, view.labelFont, screen, 96, double(view.screenScale), "screen");

    // Paper: the field 614 (1228) pixels wide less 24 (47) on either side.
    for (const auto& [dpi, room] : {std::pair{600, 566}, std::pair{1200, 1134}}) {
        PaperDc paper(dpi);
        PrintInfo info;
        view.OnBeginPrinting(*paper.dc, info);
        view.OnPrepareDC(*paper.dc);
        ExpectEdge(view, view.printerFont, *paper.dc, room, dpi / 254.0,
                   dpi == 600 ? "600 dpi" : "1200 dpi");
        view.OnEndPrinting(*paper.dc, info);
    }

    // Half the print scale across halves the room, not the letters.
    PaperDc paper(600);
    PrintInfo info;
    view.zoomX = 50;
    view.OnBeginPrinting(*paper.dc, info);
    view.OnPrepareDC(*paper.dc);
    const auto [fits, over] = AtTheEdge(paper.dc->DeviceFont(view.printerFont), 283);
    EXPECT_TRUE(view.MeasureName(fits, view.printerFont, *paper.dc).fits);
    EXPECT_FALSE(view.MeasureName(over, view.printerFont, *paper.dc).fits);
}

namespace {

class NameFitApp : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        CommandLineInfo open;
        open.action = CommandLineInfo::Action::Open;
        open.file = QStringLiteral(QUINTARA_TEST_DATA "/demo.V7N");
        Start(open);
    }
    int FieldOf(const char* name) const {
        for (int i = 0; i < 16; ++i)
            if (codepage::Cp1252ToUnicode(Doc().GetName(i)) == QString::fromUtf8(name))
                return i;
        return -1;
    }
};

} // namespace

TEST_F(NameFitApp, DemoStripWarnsMarksAndAsksUntilLongNamesAreSetNarrower) {
    const int boss = FieldOf("Geschäftsführung");
    const int room = FieldOf("Konferenzraum");
    ASSERT_GE(boss, 0);
    ASSERT_GE(room, 0);

    // Without a printer: the PDF geometry, at 600 dpi the same two names.
    const std::vector<UnfitName>& unfit = View().PaperUnfitNames();
    ASSERT_EQ(unfit.size(), 2u);
    EXPECT_EQ(unfit[0].index, boss);
    EXPECT_EQ(unfit[1].index, room);
    DeviceContext::Attributes at600 = printerdevice::PdfAttributes();
    at600.dpiX = at600.dpiY = 600;
    EXPECT_EQ(View().UnfitNames(at600).size(), 2u);
    const QString list = QStringLiteral("2 Namen passen nicht in ihr Feld: "
                                        "Geschäftsführung, Konferenzraum.");
    EXPECT_EQ(namefit::ListText(unfit), list);
    EXPECT_EQ(namefit::ListText({unfit[1]}),
              QStringLiteral("1 Name passt nicht in sein Feld: Konferenzraum."));
    // The status bar's pane: the count, the words in its tooltip.
    EXPECT_TRUE(Frame().UnfitPane()->isVisibleTo(&Frame()));
    EXPECT_EQ(Frame().UnfitPane()->toolTip(), QStringLiteral("2 Namen passen nicht"));

    // The marks just right of the strip, clear of the names; the tooltip
    // over the field and over its mark.
    ShowActive();
    RECT f;
    View().GetFieldRect(boss, f, nullptr);
    const int mid = (f.top + f.bottom) / 2;
    const auto marked = [&](int field) {
        RECT r;
        View().GetFieldRect(field, r, nullptr);
        return View().viewport()->grab().toImage().pixelColor(
                   r.right + 3, (r.top + r.bottom) / 2) == QColor(255, 0, 0);
    };
    EXPECT_TRUE(marked(boss));
    EXPECT_TRUE(marked(room));
    const QImage shown = View().viewport()->grab().toImage();
    for (int x = f.left; x < f.right; ++x)
        ASSERT_NE(shown.pixelColor(x, mid), QColor(255, 0, 0)) << x;
    for (const QPoint at : {QPoint(f.left + 20, f.top + 5), QPoint(f.right + 3, mid)}) {
        QHelpEvent hover(QEvent::ToolTip, at, View().viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(View().viewport(), &hover);
        EXPECT_EQ(QToolTip::text(), namefit::OverhangText(unfit[0].overhang));
    }
    EXPECT_TRUE(QToolTip::text().contains(QRegularExpression("^Passt nicht: \\d+,\\d mm zu lang$")))
        << QToolTip::text().toStdString();

    // Another field edited, a step undone and redone: the marks stay.
    const int other = FieldOf("Zentrale");
    ASSERT_GE(other, 0);
    RECT z;
    View().GetFieldRect(other, z, nullptr);
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {},
                      QPoint(z.left + 30, (z.top + z.bottom) / 2) -
                          QPoint(View().GetScrollPosition().x, View().GetScrollPosition().y));
    QTest::keyClicks(View().NameEdit(), "2");
    QTest::keyClick(View().NameEdit(), Qt::Key_Return);
    ASSERT_EQ(Doc().GetName(other), "Zentrale2");
    for (const int step : {ID_EDIT_UNDO, ID_EDIT_REDO}) {
        Frame().ExecuteCommand(step);
        QCoreApplication::processEvents();
        EXPECT_TRUE(marked(boss)) << step;
        EXPECT_TRUE(marked(room)) << step;
    }
    Frame().ExecuteCommand(ID_EDIT_UNDO);

    // Printing asks first; No returns to the strip before the print dialog.
    ui->messageAnswers.push_back(MbResult::No);
    Frame().ExecuteCommand(ID_FILE_PRINT);
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, list + QStringLiteral(" Trotzdem drucken?"));
    EXPECT_EQ(ui->messages[0].buttons, MbButtons::YesNo);
    EXPECT_EQ(ui->printDialogs, 0);

    // The option: stored in the profile, no step of the strip.
    ui->dialogScripts.push_back([](QDialog& d) {
        auto& options = dynamic_cast<COptionsDlg&>(d);
        options.show();
        EXPECT_FALSE(options.FitLongNamesBox()->isChecked());
        options.FitLongNamesBox()->setChecked(true);
        QTest::mouseClick(options.OkButton(), Qt::LeftButton);
        return options.result();
    });
    Frame().ExecuteCommand(ID_OPTIONS);
    EXPECT_TRUE(View().FitLongNames());
    EXPECT_EQ(app->GetProfile().GetInt("Settings", "FitLongNames", 0), 1);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Action(ID_EDIT_UNDO)->isEnabled());
    EXPECT_TRUE(View().PaperUnfitNames().empty());
    EXPECT_FALSE(Frame().UnfitPane()->isVisibleTo(&Frame()));

    // Nothing left to ask: straight to the print dialog.
    ui->printAnswers.push_back([](QPrinter&) { return false; });
    Frame().ExecuteCommand(ID_FILE_PRINT);
    EXPECT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->printDialogs, 1);
}

TEST_F(NameFitApp, TheStatusBarShowsWholeTextsAtTheFirstWidth) {
    // The demo strip has two names too long; at the window's first width
    // the idle text and a long message still show whole beside them.
    ShowActive();
    ASSERT_EQ(Frame().width(), 300);
    QLabel* message = Frame().MessagePane();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Frame().UnfitPane()->isVisible(); }, 10000));
    // The idle text on one line.
    const QString idle = QStringLiteral("Zusatzfunktionen: rechte Maustaste");
    EXPECT_EQ(message->text(), idle);
    EXPECT_GE(message->contentsRect().width(), message->fontMetrics().horizontalAdvance(idle));
    // A message wider than the window takes a second line.
    const QString imported = QStringLiteral("16 Namen übernommen, 10 Zeilen ausgelassen.");
    app->ShowStatus(imported);
    ASSERT_EQ(message->text(), imported);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return message->height() >= message->heightForWidth(message->width()); }, 10000))
        << message->height() << " < " << message->heightForWidth(message->width());
    EXPECT_GT(message->heightForWidth(message->width()), message->fontMetrics().height());
}

TEST_F(NameFitApp, AnEditAsksNoPrintingSystemAndRepaintsTheStripOnce) {
    // As the window does: the printer is made off this thread once it is up.
    int shown = -1;
    QObject::connect(&View(), &CV7NamenView::unfitCountChanged, [&](int count) { shown = count; });
    app->ExpectPrinterProbe();
    ShowActive();
    EXPECT_FALSE(app->PaperKnown());
    EXPECT_EQ(app->PrinterRequests(), 0) << "not before the window is up";
    app->StartPrinterProbe();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app->PaperKnown() && shown == 2; }));

    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            paints += e->type() == QEvent::Paint ? 1 : 0;
            return false;
        }
    } counter;
    View().viewport()->installEventFilter(&counter);
    // Each edit: its paint, then whatever it has set going, to the end.
    const auto paintsOf = [&](const std::function<void()>& edit) {
        counter.paints = 0;
        edit();
        EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }));
        for (int i = 0; i < 10; ++i)
            QCoreApplication::processEvents();
        return counter.paints;
    };
    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, FieldPoint(FieldOf("Zentrale")));
    QTest::keyClick(View().NameEdit(), Qt::Key_2);
    EXPECT_EQ(paintsOf([&] { QTest::keyClick(View().NameEdit(), Qt::Key_Return); }), 1);
    EXPECT_EQ(paintsOf([&] { Doc().SetColor(3, 0x00FF00); }), 1);
    EXPECT_EQ(paintsOf([&] { Frame().ExecuteCommand(ID_EDIT_UNDO); }), 1);
    EXPECT_EQ(paintsOf([&] { Frame().ExecuteCommand(ID_EDIT_REDO); }), 1);
    EXPECT_EQ(shown, 2) << "the marks stay";

    // Print setup sets the printer up; the paper follows from it, unasked.
    ui->printAnswers.push_back([](QPrinter&) { return true; });
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FILE_PRINT_SETUP));
    EXPECT_EQ(paintsOf([&] { Doc().SetColor(4, 0x0000FF); }), 1);
    EXPECT_EQ(app->PrinterRequests(), 1);
}
