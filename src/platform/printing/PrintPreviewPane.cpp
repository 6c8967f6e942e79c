// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/printing/PrintPreviewPane.h"

#include "platform/ui/FormatText.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QDateTime>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QPainter>
#include <QPicture>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

PrintPreviewPane::PrintPreviewPane(QPrinter& printer, int pagesShown, QWidget* parent)
    : QWidget(parent), preview_(new QPrintPreviewWidget(&printer, this)),
      midnight_(new QTimer(this)), pagesShown_(pagesShown == 2 ? 2 : 1) {
    setObjectName(QStringLiteral("PrintPreviewPane"));
    info_.printer = &printer;
    info_.preview = true;

    bar_ = new QWidget(this);
    bar_->setObjectName(QStringLiteral("PreviewBar"));
    auto* barLayout = new QHBoxLayout(bar_);
    barLayout->setContentsMargins(4, 4, 4, 4);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar_);
    layout->addWidget(preview_, 1);

    AddButton(ID_PREVIEW_PRINT, LoadStr(IDS_PREVIEW_PRINT));
    AddButton(ID_PREVIEW_NEXT, LoadStr(IDS_PREVIEW_NEXT));
    AddButton(ID_PREVIEW_PREV, LoadStr(IDS_PREVIEW_PREV));
    AddButton(ID_PREVIEW_NUMPAGE, LoadStr(IDS_TWOPAGE));
    AddButton(ID_PREVIEW_ZOOMIN, LoadStr(IDS_PREVIEW_ZOOMIN));
    AddButton(ID_PREVIEW_ZOOMOUT, LoadStr(IDS_PREVIEW_ZOOMOUT));
    AddButton(ID_PREVIEW_CLOSE, LoadStr(IDS_PREVIEW_CLOSE));
    barLayout->addStretch(1);

    auto command = [this](int id, std::function<void()> run, Updater update) {
        OnCommand(
            id,
            [this, run = std::move(run)] {
                run();
                if (!closed_)
                    UpdateControls();
            },
            std::move(update));
    };
    command(ID_PREVIEW_PRINT, [this] { Close(true); }, {});
    command(
        ID_PREVIEW_NEXT, [this] { ShowPage(CurrentPage() + pagesShown_); },
        [this](CmdUi& ui) { ui.Enable(CurrentPage() + pagesShown_ <= LastPage()); });
    command(
        ID_PREVIEW_PREV, [this] { ShowPage(std::max(info_.minPage, CurrentPage() - pagesShown_)); },
        [this](CmdUi& ui) { ui.Enable(CurrentPage() > info_.minPage); });
    command(
        ID_PREVIEW_NUMPAGE,
        [this] {
            pagesShown_ = pagesShown_ == 1 ? 2 : 1;
            ApplyViewMode();
        },
        [this](CmdUi& ui) {
            // The button offers the other choice; only the whole-page view changes it.
            ui.SetText(LoadStr(pagesShown_ == 1 ? IDS_TWOPAGE : IDS_ONEPAGE));
            ui.Enable(zoomLevel_ == 0);
        });
    command(
        ID_PREVIEW_ZOOMIN,
        [this] {
            if (zoomLevel_ == 0)
                fitFactor_ = preview_->zoomFactor();
            zoomLevel_ = std::min(2, zoomLevel_ + 1);
            ApplyZoom();
        },
        [this](CmdUi& ui) { ui.Enable(zoomLevel_ < 2); });
    command(
        ID_PREVIEW_ZOOMOUT,
        [this] {
            zoomLevel_ = std::max(0, zoomLevel_ - 1);
            ApplyZoom();
        },
        [this](CmdUi& ui) { ui.Enable(zoomLevel_ > 0); });
    command(ID_PREVIEW_CLOSE, [this] { Close(false); }, {});

    connect(preview_, &QPrintPreviewWidget::paintRequested, this, &PrintPreviewPane::PaintPages);
    connect(preview_, &QPrintPreviewWidget::previewChanged, this, [this] { UpdateControls(); });
    ApplyViewMode();
    ApplyZoom();

    // The date on the page is that of the drawing: a preview left open over
    // midnight is drawn anew with the new date.
    midnight_->setSingleShot(true);
    connect(midnight_, &QTimer::timeout, this, [this] {
        preview_->updatePreview();
        ScheduleMidnightRepaint();
    });
    ScheduleMidnightRepaint();
}

PrintPreviewPane::~PrintPreviewPane() = default;

std::vector<PrintPreviewPane::Key> PrintPreviewPane::Keys() {
    return {{QKeySequence(Qt::Key_PageDown), ID_PREVIEW_NEXT},
            {QKeySequence(Qt::Key_PageUp), ID_PREVIEW_PREV},
            {QKeySequence(Qt::Key_Escape), ID_PREVIEW_CLOSE}};
}

void PrintPreviewPane::AddButton(int id, const QString& text) {
    auto* button = new QPushButton(text, bar_);
    button->setObjectName(QStringLiteral("PreviewButton%1").arg(id));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->setStatusTip(LoadStrPart(id, 0));
    button->setToolTip(LoadStrPart(id, 1));
    connect(button, &QPushButton::clicked, this, [this, id] { RunCommand(id); });
    bar_->layout()->addWidget(button);
    buttons_[id] = button;
}

QPushButton* PrintPreviewPane::Button(int id) const {
    const auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

void PrintPreviewPane::RunCommand(int id) {
    CmdUi ui(id);
    OnCmdMsg(id, &ui);
    if (ui.Enabled())
        OnCmdMsg(id, nullptr);
}

int PrintPreviewPane::LastPage() const {
    return std::max(info_.minPage, info_.maxPage);
}

int PrintPreviewPane::CurrentPage() const {
    return std::clamp(currentPage_ > 0 ? currentPage_ : info_.minPage, info_.minPage, LastPage());
}

QString PrintPreviewPane::PageDescription() const {
    const QStringList forms = LoadStr(IDS_PREVIEWPAGEDESC).split(QLatin1Char('\n'));
    const int page = CurrentPage();
    // The second page only where there is one.
    if (pagesShown_ == 2 && page + 1 <= LastPage() && forms.size() > 1)
        return FormatText(forms.at(1), {unsigned(page), unsigned(page + 1)});
    return FormatText(forms.at(0), {unsigned(page)});
}

void PrintPreviewPane::UpdateControls() {
    for (const auto& [id, button] : buttons_) {
        CmdUi ui(id);
        OnCmdMsg(id, &ui);
        button->setEnabled(ui.Enabled());
        if (ui.Text())
            button->setText(*ui.Text());
    }
    emit pageDescriptionChanged(PageDescription());
}

void PrintPreviewPane::PaintPages(QPrinter* printer) {
    // Only the pages on show are drawn, as they would be printed.
    QPainter painter(printer);
    const int first = CurrentPage();
    const int last = std::min(LastPage(), first + pagesShown_ - 1);
    for (int page = first; page <= last; ++page) {
        if (page > first)
            printer->newPage();
        info_.currentPage = page;
        if (pagePainter_)
            pagePainter_(painter, *printer, info_);
    }
}

void PrintPreviewPane::ShowPage(int documentPage) {
    currentPage_ = documentPage;
    preview_->updatePreview();
    if (zoomLevel_ > 0)
        ShowContentCorner();
}

void PrintPreviewPane::ApplyZoom() {
    if (zoomLevel_ == 0) {
        preview_->setZoomMode(QPrintPreviewWidget::FitInView);
        return;
    }
    const double step = std::max(1.0, fitFactor_ * 1.5);
    preview_->setZoomFactor(zoomLevel_ == 1 ? step : 2 * step);
    ShowContentCorner();
}

void PrintPreviewPane::ShowContentCorner() {
    // Zooming keeps the middle of the paper in place, where a page may well
    // be blank. Whatever the page holds, its top-left corner is the place to
    // start reading: it goes to the top left of the window. What the page
    // holds is learnt by drawing it once more into a picture that measures
    // it.
    auto* view = preview_->findChild<QGraphicsView*>();
    if (!view || !view->scene() || !pagePainter_ || !info_.printer)
        return;
    QPrinter& printer = *info_.printer;
    QPicture picture;
    {
        QPainter painter(&picture);
        info_.currentPage = CurrentPage();
        pagePainter_(painter, printer, info_);
    }
    const QRect content = picture.boundingRect();
    if (!content.isValid())
        return;
    // The first page shown is the top-left one of the preview's scene, which
    // counts in printer pixels from the paper's corner; the drawing's origin
    // is the corner of the printable area.
    QPointF page;
    bool found = false;
    for (const QGraphicsItem* item : view->scene()->items()) {
        const QPointF at = item->pos();
        if (!item->parentItem() &&
            (!found || std::pair(at.y(), at.x()) < std::pair(page.y(), page.x()))) {
            page = at;
            found = true;
        }
    }
    const QPoint origin = printer.pageLayout().paintRectPixels(printer.resolution()).topLeft();
    const QPointF corner = page + QPointF(origin + content.topLeft());
    // A little paper shows above and left of it.
    const double scale = view->transform().m11();
    const double margin = 12.0 / (scale > 0 ? scale : 1.0);
    const QSizeF seen = QSizeF(view->viewport()->size()) / (scale > 0 ? scale : 1.0);
    view->centerOn(corner + QPointF(seen.width() / 2 - margin, seen.height() / 2 - margin));
}

void PrintPreviewPane::ApplyViewMode() {
    // Two pages stand side by side: the preview lays out the drawn pages in
    // two columns.
    preview_->setViewMode(pagesShown_ == 2 ? QPrintPreviewWidget::AllPagesView
                                           : QPrintPreviewWidget::SinglePageView);
    // Before the pane is shown the preview draws when it first appears.
    if (pagePainter_)
        preview_->updatePreview();
    if (zoomLevel_ == 0)
        preview_->setZoomMode(QPrintPreviewWidget::FitInView);
}

void PrintPreviewPane::Close(bool print) {
    if (closed_)
        return;
    closed_ = true;
    midnight_->stop();
    if (closeHandler_)
        closeHandler_(print);
}

void PrintPreviewPane::ScheduleMidnightRepaint() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime next(now.date().addDays(1), QTime(0, 0, 1));
    midnight_->start(int(std::clamp<qint64>(now.msecsTo(next), 1000, 86'401'000)));
}
