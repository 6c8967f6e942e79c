// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The strip as a screen reader sees it: a list of 16 items, one per field,
// each with the field's name as its text and its key ("Taste N") as its
// description, focused and selected while the keyboard is on it, and the
// open name editor as a further child. Installed for every view.

#include <QAccessibleWidget>
#include <array>

class CV7NamenView;

class StripAccessible final : public QAccessibleWidget {
public:
    explicit StripAccessible(CV7NamenView* view);
    ~StripAccessible() override;

    // Makes every CV7NamenView answer with a StripAccessible.
    static void Install();

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;

    CV7NamenView* View() const;

private:
    std::array<QAccessible::Id, 16> fields_{};
};
