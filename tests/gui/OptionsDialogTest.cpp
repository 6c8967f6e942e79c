// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppFixture.h"
#include "StripFiles.h"
#include "platform/draw/LogFont.h"
#include "resources/Resource.h"
#include "view/NameEdit.h"
#include "view/OptionsDlg.h"
#include "view/ShadeComboBox.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPushButton>
#include <QTest>
#include <cstring>
#include <utility>
#include <vector>

namespace {

using Script = std::function<int(COptionsDlg&)>;

// Records what a widget paints. Its marker is one pixel in the corner that
// it asks to be repainted and waits for: a repaint asked for earlier is
// painted with the marker or before it, so what was painted up to the
// marker holds every such repaint, with no guess at how long one takes.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget& widget) : widget_(widget) { widget.installEventFilter(this); }
    ~PaintRecorder() override { widget_.removeEventFilter(this); }
    // What was painted besides the marker since the last call.
    QRegion PaintedUpToMarker() {
        const QRect marker(0, 0, 1, 1);
        painted_ = QRegion();
        widget_.update(marker);
        EXPECT_TRUE(QTest::qWaitFor([&] { return painted_.contains(marker); }, 10000))
            << "the marker was never painted";
        const QRegion other = painted_.subtracted(marker);
        painted_ = QRegion();
        return other;
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted_ += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

private:
    QWidget& widget_;
    QRegion painted_;
};

class OptionsDialog : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        Start();
    }

    // Runs the options command; the script gets the dialog shown (not
    // modally) and answers its result.
    void RunOptions(const Script& script) {
        ui->dialogScripts.push_back([script](QDialog& d) {
            auto* options = dynamic_cast<COptionsDlg*>(&d);
            if (!options) {
                ADD_FAILURE() << "not the options dialog";
                return int(QDialog::Rejected);
            }
            options->show();
            const int result = script(*options);
            options->hide();
            return result;
        });
        View().OnOptions();
        EXPECT_TRUE(ui->dialogScripts.empty());
    }

    // Clicks OK; the result is Accepted only when every field was taken.
    static int PressOk(COptionsDlg& d) {
        QTest::mouseClick(d.OkButton(), Qt::LeftButton);
        return d.result();
    }
    // Types the texts into their fields, then clicks OK.
    static Script Enter(std::vector<std::pair<int, QString>> texts) {
        return [texts](COptionsDlg& d) {
            for (const auto& [id, text] : texts)
                d.Edit(id)->setText(text);
            return PressOk(d);
        };
    }
    // The field holds the focus with its whole text selected.
    static void ExpectFieldBack(COptionsDlg& d, int id) {
        EXPECT_TRUE(d.isVisible()) << "the dialog stays open";
        EXPECT_EQ(d.focusWidget(), d.Edit(id));
        EXPECT_EQ(d.Edit(id)->selectedText(), d.Edit(id)->text());
    }

    LayoutValues Current() const { return View().Values(); }
    QStringList Messages() const { return ui->MessageTexts(); }
};

QRgb Rgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

} // namespace

TEST_F(OptionsDialog, DefaultsAreShownAndTheCommandCommitsAnOpenField) {
    ShowActive();
    Frame().UpdateCommandUi();
    EXPECT_TRUE(Action(ID_OPTIONS)->isEnabled());
    EXPECT_TRUE(Action(ID_FONT)->isEnabled());

    View().BeginEdit(3);
    QTest::keyClicks(View().NameEdit(), "Amt");
    ui->dialogScripts.push_back([this](QDialog& dialog) {
        EXPECT_EQ(Doc().GetName(3), "Amt") << "the open field is stored first";
        auto& d = dynamic_cast<COptionsDlg&>(dialog);
        d.show();
        EXPECT_EQ(d.windowTitle(), QString("Optionen"));
        EXPECT_EQ(d.parentWidget(), &Frame());
        EXPECT_EQ(d.ShadeList()->currentIndex(), 2);
        EXPECT_EQ(d.Edit(IDC_TEXT_OFFSET)->text(), QString("1"));
        EXPECT_EQ(d.Edit(IDC_LEFT_MARGIN)->text(), QString("2"));
        EXPECT_EQ(d.Edit(IDC_TOP_MARGIN)->text(), QString("2"));
        EXPECT_EQ(d.Edit(IDC_ZOOM_X)->text(), QString("100"));
        EXPECT_EQ(d.Edit(IDC_ZOOM_Y)->text(), QString("100"));
        EXPECT_EQ(d.focusWidget(), d.ShadeList());
        return PressOk(d);
    });
    EXPECT_TRUE(Frame().ExecuteCommand(ID_OPTIONS));
    EXPECT_EQ(ui->modalDialogs, 1);
    EXPECT_EQ(Current(), (LayoutValues{10, 200, 200, 100, 100, 2}));
}

TEST_F(OptionsDialog, TabOrderFollowsTheTemplateAndTheFrameStaysBehindTheFields) {
    RunOptions([](COptionsDlg& d) {
        EXPECT_TRUE(d.OkButton()->isDefault());
        // The group box "Ausdruck" frames four fields; a click must still reach them.
        for (int id : {IDC_LEFT_MARGIN, IDC_TOP_MARGIN, IDC_ZOOM_X, IDC_ZOOM_Y})
            EXPECT_EQ(d.childAt(d.Edit(id)->geometry().center()), d.Edit(id));

        // The list, the five fields, OK, Cancel, the check box below, and round again.
        const std::vector<QWidget*> order = {
            d.ShadeList(),          d.Edit(IDC_TEXT_OFFSET), d.Edit(IDC_LEFT_MARGIN),
            d.Edit(IDC_TOP_MARGIN), d.Edit(IDC_ZOOM_X),      d.Edit(IDC_ZOOM_Y),
            d.OkButton(),           d.CancelButton(),        d.FitLongNamesBox(),
            d.ShadeList()};
        std::vector<QWidget*> chain = {d.ShadeList()};
        for (QWidget* w = d.ShadeList()->nextInFocusChain(); chain.size() < order.size();
             w = w->nextInFocusChain()) {
            if (w->isVisible() && (w->focusPolicy() & Qt::TabFocus))
                chain.push_back(w);
        }
        EXPECT_EQ(chain, order);
        return int(QDialog::Rejected);
    });
}

TEST_F(OptionsDialog, LengthsRoundToTheNearestTenthOfAMillimetreAndOnlyChangesCount) {
    ShowActive();
    PaintRecorder recorder(*View().viewport());
    auto repaintedBy = [&](const Script& script) {
        recorder.PaintedUpToMarker(); // what is left from showing the window
        RunOptions(script);
        return recorder.PaintedUpToMarker();
    };

    // The same values written otherwise change nothing: no flag, no repaint.
    EXPECT_TRUE(
        repaintedBy(
            Enter({{IDC_LEFT_MARGIN, "2.00"}, {IDC_TEXT_OFFSET, "1e0"}, {IDC_ZOOM_X, "0100"}}))
            .isEmpty());
    EXPECT_FALSE(Doc().IsModified());

    EXPECT_FALSE(
        repaintedBy(Enter({{IDC_LEFT_MARGIN, "2.3"}, {IDC_TEXT_OFFSET, "0.7"}})).isEmpty());
    EXPECT_EQ(Current(), (LayoutValues{7, 230, 200, 100, 100, 2}));
    EXPECT_TRUE(Doc().IsModified());

    // Shade and scales; the strip shows the new shade.
    RunOptions([](COptionsDlg& d) {
        d.ShadeList()->setCurrentIndex(3);
        d.Edit(IDC_ZOOM_X)->setText("150");
        d.Edit(IDC_ZOOM_Y)->setText("1");
        return PressOk(d);
    });
    EXPECT_EQ(Current(), (LayoutValues{7, 230, 200, 150, 1, 3}));
    RECT r;
    View().GetFieldRect(1, r, nullptr);
    const POINT s = View().GetScrollPosition();
    const QImage image = View().viewport()->grab().toImage();
    EXPECT_EQ(image.pixel(r.left + 2 - s.x, r.top + 3 - s.y), Rgb(0x808080));
}

TEST_F(OptionsDialog, RefusedTextsGetTheirMessageAndTheFieldBackWhileTheBoundsPass) {
    const char* real = "Geben Sie bitte eine Zahl ein.";
    const char* whole = "Geben Sie bitte eine ganze Zahl ein.";
    const char* indent = "Geben Sie bitte eine Zahl zwischen 0 und 20 ein.";
    const char* margin = "Geben Sie bitte eine Zahl zwischen 0 und 30 ein.";
    const char* zoom = "Geben Sie bitte eine ganze Zahl zwischen 1 und 200 ein.";
    const struct {
        int id;
        const char* text;
        const char* message;
    } cases[] = {
        {IDC_TEXT_OFFSET, "2,3", real},  {IDC_LEFT_MARGIN, "", real},
        {IDC_TOP_MARGIN, "+0", real},    {IDC_ZOOM_X, "2.5", whole},
        {IDC_ZOOM_Y, "70000", whole},    {IDC_TEXT_OFFSET, "20.5", indent},
        {IDC_TEXT_OFFSET, "-1", indent}, {IDC_TEXT_OFFSET, "1e39", indent},
        {IDC_LEFT_MARGIN, "31", margin}, {IDC_TOP_MARGIN, "30.01", margin},
        {IDC_ZOOM_X, "0", zoom},         {IDC_ZOOM_Y, "201", zoom},
    };
    const LayoutValues before = Current();
    for (const auto& c : cases) {
        ui->messages.clear();
        RunOptions([&c](COptionsDlg& d) {
            d.Edit(c.id)->setText(c.text);
            EXPECT_EQ(PressOk(d), QDialog::Rejected);
            ExpectFieldBack(d, c.id);
            return d.result();
        });
        ASSERT_EQ(ui->messages.size(), 1u) << c.text;
        EXPECT_EQ(ui->messages[0].text, QString(c.message)) << c.text;
        EXPECT_EQ(ui->messages[0].icon, MbIcon::Exclamation);
        EXPECT_EQ(ui->messages[0].buttons, MbButtons::Ok);
    }
    EXPECT_EQ(Current(), before);
    EXPECT_FALSE(Doc().IsModified());

    // The bounds pass, with blanks and tabs around; just above 20 is 20 in
    // single precision.
    ui->messages.clear();
    RunOptions(Enter({{IDC_TEXT_OFFSET, " \t20.0000005\t "},
                      {IDC_LEFT_MARGIN, "\t30 "},
                      {IDC_TOP_MARGIN, " 0"},
                      {IDC_ZOOM_X, "1\t"},
                      {IDC_ZOOM_Y, "\t 200 \t"}}));
    EXPECT_TRUE(ui->messages.empty()) << Messages().join('|').toStdString();
    EXPECT_EQ(Current(), (LayoutValues{200, 3000, 0, 1, 200, 2}));
}

TEST_F(OptionsDialog, OnlyTheFirstBadFieldInTableOrderIsReported) {
    RunOptions([this](COptionsDlg& d) {
        d.Edit(IDC_ZOOM_Y)->setText("0");
        d.Edit(IDC_TOP_MARGIN)->setText("x");
        d.Edit(IDC_LEFT_MARGIN)->setText("99");
        PressOk(d);
        EXPECT_EQ(Messages(), QStringList{"Geben Sie bitte eine Zahl zwischen 0 und 30 ein."});
        ExpectFieldBack(d, IDC_LEFT_MARGIN);
        // Each correction lets the next bad field speak up.
        d.Edit(IDC_LEFT_MARGIN)->setText("12");
        PressOk(d);
        EXPECT_EQ(Messages().value(1), QString("Geben Sie bitte eine Zahl ein."));
        ExpectFieldBack(d, IDC_TOP_MARGIN);
        d.Edit(IDC_TOP_MARGIN)->setText("1");
        PressOk(d);
        EXPECT_EQ(Messages().size(), 3);
        EXPECT_EQ(Messages().value(2),
                  QString("Geben Sie bitte eine ganze Zahl zwischen 1 und 200 ein."));
        ExpectFieldBack(d, IDC_ZOOM_Y);
        d.Edit(IDC_ZOOM_Y)->setText("50");
        return PressOk(d);
    });
    EXPECT_EQ(Current(), (LayoutValues{10, 1200, 100, 100, 50, 2}));
}

TEST_F(OptionsDialog, CancelAfterEditsChangesNothing) {
    const LayoutValues before = Current();
    RunOptions([](COptionsDlg& d) {
        d.ShadeList()->setCurrentIndex(0);
        d.Edit(IDC_TEXT_OFFSET)->setText("5");
        d.Edit(IDC_LEFT_MARGIN)->setText("3");
        d.Edit(IDC_ZOOM_X)->setText("kaputt"); // not read on Cancel
        QTest::mouseClick(d.CancelButton(), Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
        return d.result();
    });
    EXPECT_EQ(Current(), before);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_TRUE(ui->messages.empty());
}

TEST_F(OptionsDialog, SettingsOutsideTheRangesFromAFileMustBeCorrectedBeforeOk) {
    Bytes file = TestDataFile("default.V7N");
    auto put32 = [&file](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k)
            file[at + std::size_t(k)] = std::uint8_t(v >> (8 * k));
    };
    put32(0, 500);              // indent 50 mm
    file[12] = 0, file[13] = 0; // zoomX 0
    put32(16, 7);               // a shade the table does not have
    const QString path = TempPath("odd.V7N");
    WriteFileBytes(path, file);
    ASSERT_TRUE(app->OpenDocumentFile(path, false));
    const LayoutValues loaded = Current();
    ASSERT_EQ(loaded, (LayoutValues{500, 200, 200, 0, 100, 7}));

    RunOptions([](COptionsDlg& d) {
        EXPECT_EQ(d.Edit(IDC_TEXT_OFFSET)->text(), QString("50"));
        EXPECT_EQ(d.Edit(IDC_ZOOM_X)->text(), QString("0"));
        EXPECT_EQ(d.ShadeList()->currentIndex(), -1);
        EXPECT_EQ(PressOk(d), QDialog::Rejected);
        QTest::mouseClick(d.CancelButton(), Qt::LeftButton);
        return d.result();
    });
    EXPECT_EQ(Current(), loaded);
    EXPECT_FALSE(Doc().IsModified());

    ui->messages.clear();
    RunOptions([](COptionsDlg& d) {
        PressOk(d);
        d.Edit(IDC_TEXT_OFFSET)->setText("5");
        PressOk(d);
        d.Edit(IDC_ZOOM_X)->setText("100");
        return PressOk(d);
    });
    EXPECT_EQ(Messages(), QStringList({"Geben Sie bitte eine Zahl zwischen 0 und 20 ein.",
                                       "Geben Sie bitte eine ganze Zahl zwischen 1 und 200 ein."}));
    // No shade chosen stores the default grey.
    EXPECT_EQ(Current(), (LayoutValues{50, 200, 200, 100, 100, 2}));
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(OptionsDialog, ShadeListShowsFourSwatchesWithoutTextOrHighlight) {
    RunOptions([](COptionsDlg& d) {
        ShadeComboBox* list = d.ShadeList();
        EXPECT_EQ(list->count(), 4);
        for (int i = 0; i < list->count(); ++i) {
            EXPECT_EQ(list->itemText(i), QString());
            EXPECT_EQ(list->itemData(i), QVariant(i));
        }
        // The closed box shows the selected swatch (grey), nothing without a selection.
        QImage box = list->grab().toImage();
        EXPECT_EQ(box.pixel(box.rect().center() - QPoint(10, 0)), Rgb(0xC0C0C0));
        list->setCurrentIndex(-1);
        box = list->grab().toImage();
        EXPECT_NE(box.pixel(box.rect().center() - QPoint(10, 0)), Rgb(0xC0C0C0));
        list->setCurrentIndex(2);
        // No focus frame either: with and without the focus the box looks the same.
        d.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        d.FitLongNamesBox()->setFocus(); // the last control: Tab goes round to the list
        const QImage unfocused = list->grab().toImage();
        QTest::keyClick(d.FitLongNamesBox(), Qt::Key_Tab); // the keyboard's focus, most visible
        EXPECT_TRUE(list->hasFocus());
        EXPECT_EQ(list->grab().toImage(), unfocused);

        list->showPopup();
        QAbstractItemView* view = list->view();
        // Hovering item 1 with item 2 current: still nothing but swatches.
        QTest::mouseMove(view->viewport(), view->visualRect(list->model()->index(1, 0)).center());
        const QImage open = view->viewport()->grab().toImage();
        const COLORREF shades[] = {0xFFFFFF, 0xE0E0E0, 0xC0C0C0, 0x808080};
        for (int i = 0; i < 4; ++i) {
            const QRect r = view->visualRect(list->model()->index(i, 0));
            EXPECT_EQ(r.height(), 16) << i;
            for (const QPoint p : {r.center(), r.topLeft() + QPoint(1, 0), r.bottomRight()})
                EXPECT_EQ(open.pixel(p), Rgb(shades[i])) << "item " << i;
        }
        list->hidePopup();
        return int(QDialog::Rejected);
    });
    // Item data outside the table is drawn white.
    EXPECT_EQ(ShadeComboBox::SwatchColor(QVariant(7)), QColor(Qt::white));
    EXPECT_EQ(ShadeComboBox::SwatchColor(QVariant(-1)), QColor(Qt::white));
}

TEST_F(OptionsDialog, FontCommandChangesTheStripOnlyForAnotherFont) {
    // Cancelled: nothing changes.
    EXPECT_TRUE(Frame().ExecuteCommand(ID_FONT));
    EXPECT_EQ(ui->fontRequests.size(), 1u);
    EXPECT_FALSE(Doc().IsModified());

    // The drawn font confirmed: the description stays byte for byte and the
    // strip unmodified.
    LOGFONTA before{};
    View().labelFont.GetObject(&before);
    ui->fontAnswers.push_back([](LOGFONTA&) { return true; });
    Frame().ExecuteCommand(ID_FONT);
    EXPECT_FALSE(Doc().IsModified());
    LOGFONTA lf{};
    View().labelFont.GetObject(&lf);
    EXPECT_EQ(std::memcmp(&lf, &before, sizeof lf), 0);

    // Another font reaches the label font and the editor, with a repaint.
    ShowActive();
    PaintRecorder recorder(*View().viewport());
    recorder.PaintedUpToMarker(); // what is left from showing the window
    ui->fontAnswers.push_back([](LOGFONTA& chosen) {
        logfont::SetFaceName(chosen, "Liberation Mono");
        chosen.lfHeight = -24;
        chosen.lfWeight = 700;
        return true;
    });
    Frame().ExecuteCommand(ID_FONT);
    EXPECT_EQ(logfont::FaceName(ui->fontRequests.back()), QString("Arial"))
        << "the chooser starts on the current font";
    View().labelFont.GetObject(&lf);
    EXPECT_EQ(logfont::FaceName(lf), QString("Liberation Mono"));
    EXPECT_EQ(lf.lfHeight, -24);
    EXPECT_EQ(View().NameEdit()->font(), logfont::ToQFont(lf));
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_FALSE(recorder.PaintedUpToMarker().isEmpty());
}
