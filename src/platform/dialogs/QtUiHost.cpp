// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/QtUiHost.h"

#include "platform/dialogs/ColorChooser.h"
#include "platform/dialogs/FontChooser.h"
#include "platform/dialogs/PrintSetupDialog.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <cmath>
#include <utility>

MbResult QtUiHost::MessageBox(const QString& text, MbButtons buttons, MbIcon icon) {
    QMessageBox box(MainWindow());
    box.setWindowTitle(LoadStr(IDS_APP_TITLE));
    box.setText(text);
    switch (icon) {
    case MbIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MbIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MbIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MbIcon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    struct Choice {
        QString text;
        QMessageBox::ButtonRole role;
        MbResult result;
    };
    std::vector<Choice> choices;
    const Choice ok{LoadStr(IDS_BUTTON_OK), QMessageBox::AcceptRole, MbResult::Ok};
    const Choice cancel{LoadStr(IDS_BUTTON_CANCEL), QMessageBox::RejectRole, MbResult::Cancel};
    const Choice yes{LoadStr(IDS_BUTTON_YES), QMessageBox::YesRole, MbResult::Yes};
    const Choice no{LoadStr(IDS_BUTTON_NO), QMessageBox::NoRole, MbResult::No};
    switch (buttons) {
    case MbButtons::Ok:
        choices = {ok};
        break;
    case MbButtons::OkCancel:
        choices = {ok, cancel};
        break;
    case MbButtons::YesNo:
        choices = {yes, no};
        break;
    case MbButtons::YesNoCancel:
        choices = {yes, no, cancel};
        break;
    }
    std::vector<QAbstractButton*> made;
    made.reserve(choices.size());
    for (const Choice& c : choices)
        made.push_back(box.addButton(c.text, c.role));
    box.setDefaultButton(static_cast<QPushButton*>(made.front()));
    // Esc answers Cancel where there is one, else the last button (No or OK).
    box.setEscapeButton(made.back());
    box.exec();
    for (std::size_t i = 0; i < made.size(); ++i) {
        if (box.clickedButton() == made[i])
            return choices[i].result;
    }
    return choices.back().result;
}

namespace {

// The file dialog of request; several files may be chosen when `several`.
QStringList RunFileDialog(QWidget* owner, const FileDialogRequest& request, bool several) {
    QFileDialog dialog(owner, request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile
                       : several    ? QFileDialog::ExistingFiles
                                    : QFileDialog::ExistingFile);
    dialog.setNameFilters(request.filters);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialPath.isEmpty()) {
        const QFileInfo info(request.initialPath);
        if (info.isDir()) {
            dialog.setDirectory(request.initialPath);
        } else {
            dialog.setDirectory(info.absolutePath());
            dialog.selectFile(info.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

} // namespace

std::optional<QString> QtUiHost::ChooseFile(const FileDialogRequest& request) {
    const QStringList chosen = RunFileDialog(MainWindow(), request, false);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.constFirst();
}

QStringList QtUiHost::ChooseFiles(const FileDialogRequest& request) {
    return RunFileDialog(MainWindow(), request, !request.save);
}

bool QtUiHost::ChooseColor(COLORREF& color, CustomColors& custom) {
    return colorchooser::Run(color, custom, MainWindow());
}

bool QtUiHost::ChooseFont(LOGFONTA& font) {
    return fontchooser::Run(font, MainWindow());
}

namespace {

// Qt's dialog preselects the default printer even when the printer it is
// given writes into a PDF file, and moves the printer to it at once (even
// when the dialog is then cancelled). A file chosen once holds for the run,
// as a printer does, so the dialog opens on "Print to File" with that file.
// Qt sets its choices up as the dialog is shown: they are corrected then.
class FileOutputKeeper final : public QObject {
public:
    FileOutputKeeper(QPrintDialog& dialog, QString file)
        : QObject(&dialog), dialog_(dialog), file_(std::move(file)) {
        dialog.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &dialog_ && event->type() == QEvent::Show) {
            dialog_.removeEventFilter(this);
            Apply();
        }
        return false;
    }

private:
    void Apply() {
        auto* const printers = dialog_.findChild<QComboBox*>(QStringLiteral("printers"));
        auto* const fileName = dialog_.findChild<QLineEdit*>(QStringLiteral("filename"));
        if (!printers || !fileName || printers->count() == 0)
            return;
        // The file entry is the list's last, after the printers.
        printers->setCurrentIndex(printers->count() - 1);
        fileName->setText(file_);
    }

    QPrintDialog& dialog_;
    QString file_;
};

} // namespace

bool QtUiHost::PrintDialog(QPrinter& printer, int minPage, int maxPage) {
    const QString file =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    QPrintDialog dialog(&printer, MainWindow());
    if (!file.isEmpty())
        new FileOutputKeeper(dialog, file); // owned by the dialog
    dialog.setMinMax(minPage, maxPage);
    printer.setFromTo(minPage, std::min(minPage, maxPage));
    return dialog.exec() == QDialog::Accepted;
}

bool QtUiHost::PrintSetupDialog(QPrinter& printer) {
    ::PrintSetupDialog dialog(printer, MainWindow());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.Apply();
    return true;
}

QAction* QtUiHost::TrackPopupMenu(QMenu& menu, const QPoint& globalPos) {
    return menu.exec(globalPos);
}

int QtUiHost::RunModal(QDialog& dialog) {
    return dialog.exec();
}
