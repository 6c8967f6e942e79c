// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainFrame.h"

#include "app/artwork/Artwork.h"
#include "document/StripGeometry.h"
#include "paint/NameFit.h"
#include "platform/framework/RecentFileList.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"
#include "view/V7NamenView.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QStatusBar>
#include <QToolBar>

CMainFrame::CMainFrame(QWidget* parent) : FrameWindowBase(parent) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(artwork::WindowIconSet());
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateAccelerators();
    SetControlBars(toolBar_, statusBar());
    setAcceptDrops(true);
}

QSize CMainFrame::InitialSize(int dpiX, int dpiY, int screenHeight) {
    // The strip at the display's resolution, plus the view's padding around it.
    int width = ToDevice(kStripWidth, dpiX) + CV7NamenView::kScrollPadX;
    if (width < 300)
        width = 300;
    int height = ToDevice(kStripHeight, dpiY) + CV7NamenView::kScrollPadY;
    if (height > screenHeight - 50)
        height = screenHeight - 50;
    return {width, height};
}

void CMainFrame::CreateMenus() {
    QMenuBar* bar = menuBar();

    fileMenu_ = bar->addMenu(LoadStr(IDS_MENU_FILE));
    fileMenu_->addAction(CommandAction(ID_FILE_NEW, LoadStr(IDS_MENU_FILE_NEW)));
    fileMenu_->addAction(CommandAction(ID_FILE_OPEN, LoadStr(IDS_MENU_FILE_OPEN)));
    fileMenu_->addAction(CommandAction(ID_FILE_SAVE, LoadStr(IDS_MENU_FILE_SAVE)));
    fileMenu_->addAction(CommandAction(ID_FILE_SAVE_AS, LoadStr(IDS_MENU_FILE_SAVE_AS)));
    fileMenu_->addSeparator();
    fileMenu_->addAction(CommandAction(ID_FILE_IMPORT_NAMES, LoadStr(IDS_MENU_IMPORT_NAMES)));
    fileMenu_->addAction(CommandAction(ID_FILE_EXPORT_NAMES, LoadStr(IDS_MENU_EXPORT_NAMES)));
    fileMenu_->addSeparator();
    fileMenu_->addAction(CommandAction(ID_FILE_PRINT, LoadStr(IDS_MENU_FILE_PRINT)));
    fileMenu_->addAction(
        CommandAction(ID_FILE_PRINT_PREVIEW, LoadStr(IDS_MENU_FILE_PRINT_PREVIEW)));
    fileMenu_->addAction(CommandAction(ID_FILE_PRINT_SHEET, LoadStr(IDS_MENU_FILE_PRINT_SHEET)));
    fileMenu_->addAction(CommandAction(ID_FILE_PRINT_SETUP, LoadStr(IDS_MENU_FILE_PRINT_SETUP)));
    fileMenu_->addAction(CommandAction(ID_FILE_CALIBRATE, LoadStr(IDS_MENU_FILE_CALIBRATE)));
    fileMenu_->addSeparator();
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        recentActions_[i] = CommandAction(ID_FILE_MRU_FILE1 + i, LoadStr(IDS_MENU_RECENT_FILE));
        fileMenu_->addAction(recentActions_[i]);
    }
    fileMenu_->addSeparator();
    fileMenu_->addAction(CommandAction(ID_APP_EXIT, LoadStr(IDS_MENU_APP_EXIT)));
    WatchMenu(fileMenu_);
    connect(fileMenu_, &QMenu::aboutToShow, this, [this] { UpdateRecentFileMenu(); });

    QMenu* edit = bar->addMenu(LoadStr(IDS_MENU_EDIT));
    edit->addAction(CommandAction(ID_EDIT_UNDO, LoadStr(IDS_MENU_UNDO)));
    edit->addAction(CommandAction(ID_EDIT_REDO, LoadStr(IDS_MENU_REDO)));
    edit->addSeparator();
    edit->addAction(CommandAction(ID_OPTIONS, LoadStr(IDS_MENU_OPTIONS)));
    edit->addAction(CommandAction(ID_FONT, LoadStr(IDS_MENU_FONT)));
    edit->addAction(CommandAction(ID_RECEIVE_NAMES, LoadStr(IDS_MENU_RECEIVE_NAMES)));
    edit->addAction(CommandAction(ID_PORTS, LoadStr(IDS_PORTS_BUTTON)));
    WatchMenu(edit);

    QMenu* view = bar->addMenu(LoadStr(IDS_MENU_VIEW));
    view->addAction(CommandAction(ID_VIEW_TOOLBAR, LoadStr(IDS_MENU_VIEW_TOOLBAR)));
    view->addAction(CommandAction(ID_VIEW_STATUS_BAR, LoadStr(IDS_MENU_VIEW_STATUS_BAR)));
    WatchMenu(view);

    QMenu* help = bar->addMenu(LoadStr(IDS_MENU_HELP));
    help->addAction(CommandAction(ID_HELP_INDEX, LoadStr(IDS_MENU_HELP_INDEX)));
    help->addAction(CommandAction(ID_APP_ABOUT, LoadStr(IDS_MENU_APP_ABOUT)));
    WatchMenu(help);
}

void CMainFrame::UpdateRecentFileMenu() {
    const int count = recent_ ? recent_->Count() : 0;
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        QAction* a = recentActions_[i];
        if (count == 0) {
            a->setText(LoadStr(IDS_MENU_RECENT_FILE));
            a->setVisible(i == 0);
            a->setEnabled(false);
        } else {
            a->setVisible(i < count);
            if (i < count)
                a->setText(recent_->MenuText(i));
        }
    }
}

void CMainFrame::CreateToolBar() {
    toolBar_ = addToolBar(LoadStr(IDS_TOOLBAR_TITLE));
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    struct Button {
        int id;
        artwork::ToolbarImage image;
    };
    const Button buttons[] = {
        {ID_FILE_NEW, artwork::New},
        {ID_FILE_OPEN, artwork::Open},
        {ID_FILE_SAVE, artwork::Save},
        {0, artwork::New},
        {ID_OPTIONS, artwork::Options},
        {ID_FONT, artwork::Font},
        {0, artwork::New},
        {ID_FILE_PRINT, artwork::Print},
        {ID_HELP_INDEX, artwork::Help},
    };
    for (const Button& b : buttons) {
        if (b.id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        // One action per button; the menu's action of the same command keeps its own text.
        QAction* action = CommandAction(b.id, LoadStrPart(b.id, 1));
        action->setIcon(artwork::ToolbarIcon(b.image, palette()));
        action->setProperty("toolbarImage", int(b.image));
        toolBar_->addAction(action);
    }
}

void CMainFrame::CreateStatusBar() {
    auto* message = new QLabel(this);
    message->setObjectName(QStringLiteral("MessagePane"));
    message->setMinimumWidth(1);
    auto* caps = new QLabel(this);
    caps->setObjectName(QStringLiteral("CapsLockPane"));
    caps->setAlignment(Qt::AlignCenter);
    caps->setMinimumWidth(caps->fontMetrics().horizontalAdvance(LoadStr(ID_INDICATOR_CAPS)) + 12);
    caps->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    unfitPane_ = new QLabel(this);
    unfitPane_->setObjectName(QStringLiteral("UnfitPane"));
    unfitPane_->setAlignment(Qt::AlignCenter);
    unfitPane_->setContentsMargins(0, 0, 0, 0);
    unfitPane_->hide();
    statusBar()->addWidget(message, 1);
    statusBar()->addPermanentWidget(unfitPane_);
    statusBar()->addPermanentWidget(caps);
    SetMessagePane(message, caps);
}

void CMainFrame::SetUnfitCount(int count) {
    // Small enough to leave the message pane its whole text at the
    // window's first width: the mark the strip shows and the count; the
    // words in the tooltip. Nothing at all while every name fits.
    const QString text = namefit::StatusText(count);
    unfitPane_->setVisible(count > 0);
    unfitPane_->setToolTip(text);
    unfitPane_->setAccessibleName(text);
    if (count <= 0) {
        unfitPane_->clear();
        return;
    }
    const QString number = QString::number(count);
    const QFontMetrics metrics = unfitPane_->fontMetrics();
    const qreal ratio = devicePixelRatioF();
    const int height = metrics.height();
    const int wedge = height * 2 / 5;
    const int gap = 2;
    QPixmap pixmap(QSize(wedge + gap + metrics.horizontalAdvance(number), height) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 0, 0));
    const QPointF points[] = {
        {qreal(wedge), height * 0.2}, {qreal(wedge), height * 0.8}, {0, height * 0.5}};
    painter.drawPolygon(points, 3);
    painter.setPen(unfitPane_->palette().color(QPalette::WindowText));
    painter.setFont(unfitPane_->font());
    painter.drawText(QRect(wedge + gap, 0, metrics.horizontalAdvance(number) + 1, height),
                     Qt::AlignLeft | Qt::AlignVCenter, number);
    painter.end();
    unfitPane_->setPixmap(pixmap);
}

void CMainFrame::CreateAccelerators() {
    const struct {
        QKeySequence key;
        int id;
    } table[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},
        {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
        {QKeySequence(Qt::CTRL | Qt::Key_P), ID_FILE_PRINT},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), ID_EDIT_UNDO},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), ID_EDIT_UNDO},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), ID_EDIT_REDO},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), ID_EDIT_REDO},
        {QKeySequence(Qt::CTRL | Qt::Key_X), ID_EDIT_CUT},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ID_EDIT_CUT},
        {QKeySequence(Qt::CTRL | Qt::Key_C), ID_EDIT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_V), ID_EDIT_PASTE},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ID_EDIT_PASTE},
        {QKeySequence(Qt::Key_F6), ID_NEXT_PANE},
        {QKeySequence(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE},
        // The keys a Linux desktop has for these.
        {QKeySequence(Qt::Key_F1), ID_HELP_INDEX},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), ID_APP_EXIT},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), ID_FILE_SAVE_AS},
    };
    for (const auto& a : table)
        AddAccelerator(a.key, a.id);
}

void CMainFrame::changeEvent(QEvent* event) {
    FrameWindowBase::changeEvent(event);
    if (event->type() != QEvent::PaletteChange || !toolBar_)
        return;
    for (QAction* action : toolBar_->actions()) {
        const QVariant image = action->property("toolbarImage");
        if (image.isValid())
            action->setIcon(artwork::ToolbarIcon(artwork::ToolbarImage(image.toInt()), palette()));
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    if (OnDropFiles(event->mimeData()->urls()))
        event->acceptProposedAction();
}

bool CMainFrame::OnDropFiles(const QList<QUrl>& urls) {
    if (urls.isEmpty() || !urls.first().isLocalFile() || !dropHandler_)
        return false;
    // Only the first file opens: there is one document.
    activateWindow();
    dropHandler_(urls.first().toLocalFile());
    return true;
}
