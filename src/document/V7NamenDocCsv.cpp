// SPDX-License-Identifier: GPL-3.0-or-later
// The document's names to and from CSV files.

#include "document/NamesCsv.h"
#include "document/V7NamenDoc.h"
#include "platform/files/ByteStream.h"
#include "platform/ui/StringTable.h"
#include "platform/ui/UiHost.h"

#include <QDir>
#include <QFileInfo>
#include <unistd.h>

namespace {

FileDialogRequest CsvRequest(bool save, int command) {
    FileDialogRequest request;
    request.save = save;
    request.title = LoadStrPart(command, 1);
    request.filters = QStringList{LoadStr(IDS_CSV_FILTER), LoadStr(IDS_ALLFILTER)};
    request.defaultSuffix = QStringLiteral("csv");
    return request;
}

} // namespace

void CV7NamenDoc::OnImportNames() {
    FileDialogRequest request = CsvRequest(false, ID_FILE_IMPORT_NAMES);
    request.initialPath =
        GetPathName().isEmpty() ? QDir::currentPath() : QFileInfo(GetPathName()).path();
    const auto chosen = GetUiHost().ChooseFile(request);
    QString imported;
    if (chosen && ImportNames(*chosen, &imported) && Host())
        Host()->ShowStatus(imported);
}

void CV7NamenDoc::OnExportNames() {
    FileDialogRequest request = CsvRequest(true, ID_FILE_EXPORT_NAMES);
    const QString base = GetTitle().isEmpty() ? LoadStr(IDS_UNTITLED) : GetTitle();
    const QString folder =
        GetPathName().isEmpty() ? QDir::currentPath() : QFileInfo(GetPathName()).path();
    request.initialPath = QDir(folder).filePath(QFileInfo(base).completeBaseName() + ".csv");
    if (const auto chosen = GetUiHost().ChooseFile(request))
        ExportNames(*chosen);
}

bool CV7NamenDoc::ImportNames(const QString& path, QString* imported, QString* warning) {
    if (Host())
        Host()->CommitPendingEdits();
    const int fd = OpenForReading(path);
    if (fd < 0)
        return false;
    // One byte past the limit is enough to know the file is too large.
    std::string bytes;
    FdByteStream stream(fd);
    char buffer[65536];
    std::int64_t got = 0;
    while (bytes.size() <= namescsv::kMaxFileBytes &&
           (got = stream.Read(buffer, sizeof buffer)) > 0)
        bytes.append(buffer, std::size_t(got));
    ::close(fd);
    if (got < 0) {
        AppMessageBoxId(IDP_FAILED_TO_OPEN_DOC);
        return false;
    }
    namescsv::Table table = namescsv::Read(bytes);
    if (table.problem != namescsv::Problem::None) {
        AppMessageBox(namescsv::ProblemText(table, QDir::toNativeSeparators(path)));
        return false;
    }
    if (imported)
        *imported = namescsv::ImportedText(table);
    if (warning)
        *warning = namescsv::OtherCellsWarning(table, QDir::toNativeSeparators(path));
    SetNamesAndColors(std::move(table.names), std::move(table.colors), IDS_STEP_IMPORT);
    return true;
}

bool CV7NamenDoc::ExportNames(const QString& path) const {
    if (Host())
        Host()->CommitPendingEdits();
    return SaveBytes(path, namescsv::Write(names, colors));
}
