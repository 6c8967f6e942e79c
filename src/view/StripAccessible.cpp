// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/StripAccessible.h"

#include "document/V7NamenDoc.h"
#include "platform/base/CodePage.h"
#include "platform/ui/FormatText.h"
#include "platform/ui/StringTable.h"
#include "resources/Resource.h"
#include "view/NameEdit.h"
#include "view/V7NamenView.h"

namespace {

// One field of the strip: a list item that is no object of its own.
class FieldAccessible final : public QAccessibleInterface {
public:
    FieldAccessible(StripAccessible* strip, int index) : strip_(strip), index_(index) {}

    bool isValid() const override { return strip_->isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return strip_->window(); }
    QAccessibleInterface* parent() const override { return strip_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override {
        const CV7NamenView* view = strip_->View();
        switch (t) {
        case QAccessible::Name: {
            const CV7NamenDoc* doc = view ? view->GetDocument() : nullptr;
            return doc ? codepage::Cp1252ToUnicode(StripPainter::VisiblePart(doc->GetName(index_)))
                       : QString();
        }
        case QAccessible::Description:
            return FormatString(IDS_KEY_NAME, {index_ + 1});
        default:
            return QString();
        }
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        const CV7NamenView* view = strip_->View();
        if (!view)
            return {};
        RECT r;
        view->GetFieldRect(index_, r, nullptr);
        const POINT scroll = view->GetScrollPosition();
        const QPoint topLeft =
            view->viewport()->mapToGlobal(QPoint(r.left - scroll.x, r.top - scroll.y));
        return QRect(topLeft, QSize(r.right - r.left, r.bottom - r.top));
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        const CV7NamenView* view = strip_->View();
        s.focusable = true;
        s.selectable = true;
        const bool current = view && view->CurrentField() == index_;
        s.selected = current;
        s.focused = current && view->hasFocus();
        return s;
    }

private:
    StripAccessible* strip_;
    int index_;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("CV7NamenView") && object && object->isWidgetType())
        return new StripAccessible(static_cast<CV7NamenView*>(object));
    return nullptr;
}

} // namespace

StripAccessible::StripAccessible(CV7NamenView* view) : QAccessibleWidget(view, QAccessible::List) {
    for (int i = 0; i < int(fields_.size()); ++i)
        fields_[std::size_t(i)] =
            QAccessible::registerAccessibleInterface(new FieldAccessible(this, i));
}

StripAccessible::~StripAccessible() {
    for (const QAccessible::Id id : fields_)
        QAccessible::deleteAccessibleInterface(id);
}

void StripAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

CV7NamenView* StripAccessible::View() const {
    return qobject_cast<CV7NamenView*>(object());
}

int StripAccessible::childCount() const {
    const CV7NamenView* view = View();
    const bool editing = view && view->NameEdit()->isVisible();
    return int(fields_.size()) + (editing ? 1 : 0);
}

QAccessibleInterface* StripAccessible::child(int index) const {
    if (index >= 0 && index < int(fields_.size()))
        return QAccessible::accessibleInterface(fields_[std::size_t(index)]);
    if (index == int(fields_.size()) && childCount() > index)
        return QAccessible::queryAccessibleInterface(View()->NameEdit());
    return nullptr;
}

int StripAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int i = 0; i < childCount(); ++i)
        if (this->child(i) == child)
            return i;
    return -1;
}

QAccessibleInterface* StripAccessible::childAt(int x, int y) const {
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface* c = child(i);
        if (c && c->rect().contains(x, y))
            return c;
    }
    return nullptr;
}

QAccessibleInterface* StripAccessible::focusChild() const {
    const CV7NamenView* view = View();
    if (!view)
        return nullptr;
    if (view->NameEdit()->hasFocus())
        return child(int(fields_.size()));
    return view->hasFocus() ? child(view->CurrentField()) : nullptr;
}

QString StripAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name)
        return LoadStr(IDS_STRIP_NAME);
    return QAccessibleWidget::text(t);
}
