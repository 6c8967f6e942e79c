// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files that make the desktop know the program: the MIME type of .V7N
// strips, the desktop entry and the icons in the hicolor theme. The same
// contents are installed by the build and written into the user's data
// folder when the program runs from a build or a per-user location.

#include <QByteArray>
#include <QString>
#include <vector>

class DesktopFiles {
public:
    enum class Kind { MimeType, DesktopEntry, Icon };

    // One file, its path relative to a data folder (share/ or $XDG_DATA_HOME).
    struct File {
        Kind kind;
        QString relativePath;
        QByteArray content;
    };

    static QString MimeTypeName();     // application/x-quintara-v7n
    static QString DesktopFileName();  // quintara.desktop
    static QString MimePackageName();  // quintara.xml
    static QString AppIconName();      // quintara
    static QString DocumentIconName(); // application-x-quintara-v7n
    static const std::vector<int>& IconSizes();

    // The shared-mime-info package for .V7N files.
    static QByteArray MimePackage();
    // The desktop entry; executable is "quintara" for an install on PATH or
    // the absolute path of a program that is not.
    static QByteArray DesktopEntry(const QString& executable);
    // One argument of an Exec line, quoted and escaped as desktop entries
    // require.
    static QString ExecArgument(const QString& argument);
    static QByteArray AppIconPng(int size);
    static QByteArray DocumentIconPng(int size);

    // Every file, the desktop entry starting executable.
    static std::vector<File> All(const QString& executable);
};
