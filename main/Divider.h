#pragma once

#include <QWidget>

// A lowered vertical line along the left edge of its box.
class Divider : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* event) override;
};
