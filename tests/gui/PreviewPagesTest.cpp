// SPDX-License-Identifier: GPL-3.0-or-later
// The print preview of the framework with a document of several pages:
// which pages are drawn, the page keys and the status text.

#include "ScriptedWindowHost.h"
#include "platform/printing/PrintHost.h"
#include "platform/printing/PrintInfo.h"
#include "platform/printing/PrintPreviewPane.h"
#include "platform/window/FrameWindowBase.h"
#include "platform/window/ScrollViewBase.h"
#include "resources/Resource.h"

#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ThreePages : public ScrollViewBase {
public:
    using ScrollViewBase::ScrollViewBase;
    void OnDraw(DeviceContext&) override {}
    bool OnPreparePrinting(PrintInfo& info) override {
        info.SetMaxPage(3);
        return DoPreparePrinting(info);
    }
    void OnPrint(DeviceContext&, PrintInfo& info) override { drawn.push_back(info.currentPage); }
    void OnEndPrinting(DeviceContext&, PrintInfo&) override { ++ended; }
    std::vector<int> drawn;
    int ended = 0;
};

struct Host : PrintHost {
    QPrinter& Printer() override { return printer; }
    DeviceContext::Attributes PaperAttributes() override { return {}; }
    int PreviewPages() override { return pages; }
    void SetPreviewPages(int p) override { pages = p; }
    QPrinter printer{QPrinter::HighResolution};
    int pages = 1;
};

} // namespace

TEST(PreviewPages, OnlyThePagesOnShowAreDrawnAndTheKeysTurnThem) {
    ScriptedWindowHost ui;
    Host host;
    FrameWindowBase frame;
    auto* status = new QLabel(&frame);
    frame.SetMessagePane(status, nullptr);
    auto* view = new ThreePages(&frame);
    frame.setCentralWidget(view);
    frame.SetRouting(view, nullptr, nullptr);
    view->SetPrintHost(&host);
    frame.resize(500, 400);
    frame.show();

    ASSERT_TRUE(frame.ExecuteCommand(ID_FILE_PRINT_PREVIEW));
    auto* pane = qobject_cast<PrintPreviewPane*>(frame.PreviewPane());
    ASSERT_NE(pane, nullptr);
    QWidget* keys = pane->Preview();
    EXPECT_EQ(view->drawn, std::vector<int>({1}));
    EXPECT_EQ(status->text(), QString("Seite 1"));
    EXPECT_FALSE(pane->Button(ID_PREVIEW_PREV)->isEnabled());

    view->drawn.clear();
    QTest::keyClick(keys, Qt::Key_PageDown);
    EXPECT_EQ(view->drawn, std::vector<int>({2}));
    EXPECT_EQ(status->text(), QString("Seite 2"));

    view->drawn.clear();
    pane->Button(ID_PREVIEW_NUMPAGE)->click();
    EXPECT_EQ(view->drawn, std::vector<int>({2, 3}));
    EXPECT_EQ(pane->Preview()->pageCount(), 2);
    EXPECT_EQ(status->text(), QString("Seiten 2-3"));
    EXPECT_FALSE(pane->Button(ID_PREVIEW_NEXT)->isEnabled());

    QTest::keyClick(keys, Qt::Key_PageUp);
    EXPECT_EQ(status->text(), QString("Seiten 1-2"));
    QTest::keyClick(keys, Qt::Key_PageDown);
    EXPECT_EQ(status->text(), QString("Seite 3")); // the last page has no neighbour
    QTest::keyClick(keys, Qt::Key_PageDown);
    EXPECT_EQ(status->text(), QString("Seite 3"));

    pane->Button(ID_PREVIEW_NUMPAGE)->click();
    EXPECT_FALSE(pane->Button(ID_PREVIEW_NEXT)->isEnabled());
    pane->Button(ID_PREVIEW_PREV)->click();
    EXPECT_EQ(status->text(), QString("Seite 2"));

    QTest::keyClick(keys, Qt::Key_Escape);
    EXPECT_FALSE(frame.InPreviewMode());
    EXPECT_EQ(view->ended, 1);
    EXPECT_EQ(host.pages, 1);
    EXPECT_EQ(frame.centralWidget(), view);
}
