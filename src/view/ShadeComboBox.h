// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shade list of the Options dialog: a drop-down of the four background shades
// shown as colour swatches 16 pixels high, without text, highlight or focus
// frame. Each item carries its shade index (0..3) as data; the selected
// item's swatch fills the closed box.

#include <QComboBox>

class ShadeComboBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kItemHeight = 16;

    explicit ShadeComboBox(QWidget* parent = nullptr);

    // Empties the list and adds the four shades, carrying 0..3 as data.
    void FillShades();
    // The swatch colour of an item's data; data outside 0..3 is drawn white.
    static QColor SwatchColor(const QVariant& data);
    // The closed box: its selection field is kItemHeight pixels high.
    static int BoxHeight();

    // The list drops down below the box, as a drop-down list does, where
    // the screen leaves room for it.
    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
