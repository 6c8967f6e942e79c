// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the desktop files of an install (MIME package, desktop entry and
// the hicolor icons) below OUTDIR, as they go into share/:
//   desktopfiles OUTDIR
// The icons are painted by the program's own artwork code, so the build
// needs no image files of its own.

#include "app/desktop/DesktopFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "Aufruf: desktopfiles AUSGABEORDNER\n");
        return 2;
    }
    const QDir out(args.at(1));
    // The installed program is found on PATH.
    for (const DesktopFiles::File& file : DesktopFiles::All(QStringLiteral("quintara"))) {
        const QString path = out.filePath(file.relativePath);
        QSaveFile save(path);
        if (!QDir().mkpath(QFileInfo(path).path()) || !save.open(QIODevice::WriteOnly) ||
            save.write(file.content) != file.content.size() || !save.commit()) {
            std::fprintf(stderr, "desktopfiles: %s kann nicht geschrieben werden\n",
                         qUtf8Printable(path));
            return 1;
        }
    }
    return 0;
}
