#include "EnterPresses.h"

#include <QKeyEvent>
#include <QPushButton>

EnterPresses::EnterPresses(QPushButton* button)
    : QObject(button)
{
    button->installEventFilter(this);
}

bool EnterPresses::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier))
        return false;
    static_cast<QPushButton*>(watched)->click();
    return true;
}
