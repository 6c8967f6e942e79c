// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The ports dialog (IDS_PORTS_TITLE): which serial device each of COM 1 to
// COM 4 is. Each port has a drop-down with its standard device, every
// device the system lists and IDS_PORTS_OTHER for a path typed by hand;
// OK keeps the choices in the profile. A port that the environment sets
// says so, since the environment wins. While the dialog is open the list is read again every
// second, so a device plugged in meanwhile appears; no one polls when the
// dialog is closed.

#include "device/PortAssignment.h"
#include "platform/serial/PortLister.h"

#include <QDialog>
#include <array>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

class PortsDialog : public QDialog {
    Q_OBJECT
public:
    // Lists through `lister` (the installed one when null). Without a
    // parent the main window owns the dialog.
    explicit PortsDialog(QWidget* parent = nullptr, PortLister* lister = nullptr);
    ~PortsDialog() override;

    static constexpr int kPollMs = 1000;

    QComboBox* Choice(int n) const { return rows_[std::size_t(n - 1)].choice; }
    QLineEdit* PathEdit(int n) const { return rows_[std::size_t(n - 1)].path; }
    QLabel* EnvironmentNote(int n) const { return rows_[std::size_t(n - 1)].note; }
    QPushButton* OkButton() const { return ok_; }
    // The index of IDS_PORTS_OTHER in port n's drop-down.
    int OtherIndex(int n) const;

    // What choosing entry `index` for port n does: IDS_PORTS_OTHER opens the
    // path field, a device this user may not open explains why.
    void OnChoose(int n, int index);
    // Reads the list again and rebuilds the drop-downs when it changed,
    // keeping every port's choice.
    void Refresh();
    // OK: every port set to IDS_PORTS_OTHER needs a full path; then the
    // profile is written.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Row {
        QComboBox* choice = nullptr;
        QLineEdit* path = nullptr;
        QLabel* note = nullptr;
    };
    // Fills port n's drop-down and selects `device` (empty: the standard).
    void Fill(int n, const QString& device);
    // The listed entry that is COM n's standard device, or -1.
    int StandardEntry(int n) const;
    // The device chosen for port n: empty for the standard port.
    QString Chosen(int n) const;
    void ShowNote(int n);

    PortLister& lister_;
    std::vector<SerialPortEntry> entries_;
    std::array<Row, ports::kCount> rows_{};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* poll_ = nullptr;
};
