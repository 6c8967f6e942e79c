// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ShadeComboBox.h"

#include "document/LayoutSettings.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {

// Draws each item as a plain swatch: selection, hover and focus draw
// nothing, so the open list shows the four shades without a highlight.
class SwatchDelegate final : public QAbstractItemDelegate {
public:
    using QAbstractItemDelegate::QAbstractItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->fillRect(option.rect, ShadeComboBox::SwatchColor(index.data(Qt::UserRole)));
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(option.rect.width(), ShadeComboBox::kItemHeight);
    }
};

// The frame around the selection field of the closed box, in pixels.
constexpr int kBoxFrame = 3;

} // namespace

ShadeComboBox::ShadeComboBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new SwatchDelegate(this));
    // The swatches have no text; a screen reader hears the shade's name.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        setAccessibleDescription(itemData(index, Qt::AccessibleTextRole).toString());
    });
}

void ShadeComboBox::FillShades() {
    clear();
    const int names[kShadeCount] = {IDS_OPTIONS_SHADE_WHITE, IDS_OPTIONS_SHADE_LIGHT_GREY,
                                    IDS_OPTIONS_SHADE_GREY, IDS_OPTIONS_SHADE_DARK_GREY};
    for (int i = 0; i < kShadeCount; ++i) {
        addItem(QString(), i);
        setItemData(i, LoadStr(names[i]).remove(QLatin1Char('&')), Qt::AccessibleTextRole);
    }
}

QColor ShadeComboBox::SwatchColor(const QVariant& data) {
    bool ok = false;
    int i = data.toInt(&ok);
    if (!ok || !IsShadeIndex(i))
        i = 0;
    const COLORREF c = ShadeTable[i];
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

int ShadeComboBox::BoxHeight() {
    return kItemHeight + 2 * kBoxFrame;
}

void ShadeComboBox::showPopup() {
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    if (popup == window())
        return;
    const QPoint below = mapToGlobal(QPoint(0, height()));
    const QScreen* screen = this->screen();
    if (screen && below.y() + popup->height() > screen->availableGeometry().bottom())
        return;
    popup->move(below.x(), below.y());
}

void ShadeComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // No text and no focus frame: the box shows the swatch alone.
    option.currentText.clear();
    option.currentIcon = QIcon();
    option.state &= ~QStyle::State_HasFocus;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);

    const int index = currentIndex();
    if (index < 0)
        return;
    QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (field.height() > kItemHeight)
        field = QRect(field.left(), field.top() + (field.height() - kItemHeight) / 2, field.width(),
                      kItemHeight);
    painter.fillRect(field, SwatchColor(itemData(index)));
}
