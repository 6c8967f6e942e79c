// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop/DesktopFiles.h"

#include "app/artwork/Artwork.h"
#include "platform/ui/StringTable.h"
#include "platform/window/SdiAppBase.h"
#include "resources/Resource.h"

#include <QBuffer>
#include <QImage>

namespace {

DocTemplateStrings TemplateStrings() {
    return DocTemplateStrings::Parse(LoadStr(IDR_MAINFRAME));
}

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The escapes of a desktop entry's string values.
QString EscapeValue(const QString& value) {
    QString out;
    for (QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

} // namespace

QString DesktopFiles::MimeTypeName() {
    return QStringLiteral("application/x-quintara-v7n");
}

QString DesktopFiles::DesktopFileName() {
    return QStringLiteral("quintara.desktop");
}

QString DesktopFiles::MimePackageName() {
    return QStringLiteral("quintara.xml");
}

QString DesktopFiles::AppIconName() {
    return QStringLiteral("quintara");
}

QString DesktopFiles::DocumentIconName() {
    return MimeTypeName().replace(QLatin1Char('/'), QLatin1Char('-'));
}

const std::vector<int>& DesktopFiles::IconSizes() {
    static const std::vector<int> sizes{16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

QByteArray DesktopFiles::MimePackage() {
    const DocTemplateStrings strings = TemplateStrings();
    // ".V7N": the glob is written as the extension stands and in lower case,
    // since strips come from systems that do not care about case.
    const QString ext = strings.filterExt.mid(1);
    QString xml =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"%1\">\n"
            "    <comment>%2</comment>\n"
            "    <icon name=\"%3\"/>\n"
            "    <generic-icon name=\"x-office-document\"/>\n"
            "    <glob pattern=\"*.%4\"/>\n"
            "    <glob pattern=\"*.%5\"/>\n"
            "  </mime-type>\n"
            "</mime-info>\n")
            .arg(MimeTypeName(), strings.regFileTypeName.toHtmlEscaped(), DocumentIconName(), ext,
                 ext.toLower());
    return xml.toUtf8();
}

QString DesktopFiles::ExecArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = argument.isEmpty();
    QString inner;
    for (QChar c : argument) {
        if (reserved.contains(c))
            quote = true;
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            inner += QLatin1Char('\\');
        inner += c;
        // A literal percent sign would otherwise start a field code.
        if (c == QLatin1Char('%'))
            inner += QLatin1Char('%');
    }
    if (!quote)
        return inner;
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QByteArray DesktopFiles::DesktopEntry(const QString& executable) {
    const QString exec = EscapeValue(ExecArgument(executable));
    // The default keys are English, as desktops expect; the German texts,
    // which the program shows itself, are their [de] translations.
    // File managers that show an entry's actions offer printing a strip
    // straight from its file, as the print switch of the command line does.
    QString entry = QStringLiteral("[Desktop Entry]\n"
                                   "Type=Application\n"
                                   "Version=1.4\n"
                                   "Name=%1\n"
                                   "GenericName=Key Label Editor\n"
                                   "GenericName[de]=%8\n"
                                   "Comment=Label the function keys of the Telvora V7 telephone\n"
                                   "Comment[de]=%2\n"
                                   "Keywords=telephone;function keys;insert strip;label;\n"
                                   "Keywords[de]=%9\n"
                                   "Exec=%3 %f\n"
                                   "TryExec=%4\n"
                                   "Icon=%5\n"
                                   "Terminal=false\n"
                                   "StartupNotify=true\n"
                                   "MimeType=%6;\n"
                                   "Categories=Office;\n"
                                   "Actions=print;\n"
                                   "\n"
                                   "[Desktop Action print]\n"
                                   "Name=Print\n"
                                   "Name[de]=%7\n"
                                   "Exec=%3 /p %F\n")
                        .arg(TemplateStrings().windowTitle, EscapeValue(LoadStr(IDS_ABOUT_TEXT)),
                             exec, EscapeValue(executable), AppIconName(), MimeTypeName(),
                             EscapeValue(LoadStrPart(ID_FILE_PRINT, 1)),
                             EscapeValue(LoadStr(IDS_DESKTOP_GENERIC_NAME)),
                             EscapeValue(LoadStr(IDS_DESKTOP_KEYWORDS)));
    return entry.toUtf8();
}

QByteArray DesktopFiles::AppIconPng(int size) {
    return Png(artwork::AppIcon(size));
}

QByteArray DesktopFiles::DocumentIconPng(int size) {
    return Png(artwork::DocumentIcon(size));
}

std::vector<DesktopFiles::File> DesktopFiles::All(const QString& executable) {
    std::vector<File> files;
    files.push_back(
        {Kind::MimeType, QLatin1String("mime/packages/") + MimePackageName(), MimePackage()});
    files.push_back({Kind::DesktopEntry, QLatin1String("applications/") + DesktopFileName(),
                     DesktopEntry(executable)});
    for (int size : IconSizes()) {
        const QString dir = QStringLiteral("icons/hicolor/%1x%1/").arg(size);
        files.push_back({Kind::Icon,
                         dir + QLatin1String("apps/") + AppIconName() + QLatin1String(".png"),
                         AppIconPng(size)});
        files.push_back(
            {Kind::Icon,
             dir + QLatin1String("mimetypes/") + DocumentIconName() + QLatin1String(".png"),
             DocumentIconPng(size)});
    }
    return files;
}
