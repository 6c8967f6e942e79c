#pragma once
// The view of the key strip.

#include "platform/ScrollViewBase.h"

class CV7NamenDoc;

class CV7NamenView : public ScrollViewBase {
    Q_OBJECT
public:
    explicit CV7NamenView(QWidget* parent = nullptr);
    ~CV7NamenView() override;

    CV7NamenDoc* GetDocument() const;

    void OnInitialUpdate() override;

protected:
    void OnDraw(QPainter& painter) override;
};
