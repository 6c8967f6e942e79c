// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's short guide, a German HTML page that ships with it
// (quintara.html beside the executable, or in the installed data folder).

#include <QString>
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Where the help page of the executable at exePath lives, or an empty
    // string when it is missing.
    static QString FindHelpFile(const QString& exePath);
    // Shows the page; false when it cannot be read.
    bool ShowContents(const QString& file);

private:
    QTextBrowser* browser_;
};
