// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpWindow.h"

#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)) {
    setWindowTitle(LoadStr(IDS_HELP_TITLE));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    browser_->setOpenExternalLinks(true);
    // A reading window closes as such windows do: Esc, or Ctrl+W.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
    resize(560, 640);
}

QString HelpWindow::FindHelpFile(const QString& exePath) {
    const QFileInfo exe(exePath);
    const QString name = exe.completeBaseName() + QLatin1String(".html");
    const QString candidates[] = {
        exe.absolutePath() + QLatin1Char('/') + name,
        exe.absolutePath() + QLatin1String("/../share/") + exe.completeBaseName() +
            QLatin1Char('/') + name,
    };
    for (const QString& c : candidates) {
        if (QFileInfo(c).isFile() && QFileInfo(c).isReadable())
            return QDir::cleanPath(c);
    }
    return QString();
}

bool HelpWindow::ShowContents(const QString& file) {
    if (file.isEmpty() || !QFileInfo(file).isReadable())
        return false;
    browser_->setSource(QUrl::fromLocalFile(file));
    if (browser_->document()->isEmpty())
        return false;
    show();
    raise();
    activateWindow();
    return true;
}
