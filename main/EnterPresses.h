#pragma once

#include <QObject>

class QPushButton;

// Enter presses a focused push button, as Space does: keyboard users of Windows and of GTK
// programs press buttons with either key. With Shift or Ctrl it does nothing.
class EnterPresses : public QObject {
public:
    explicit EnterPresses(QPushButton* button);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
