#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

// Ends the program once a window has been painted for the first time. The quit is queued,
// so the frame is flushed to the screen first; on a real display that is the moment the
// user sees the window, which comes some round trips after show().
class QuitAfterFirstFrame : public QObject {
public:
    QuitAfterFirstFrame() { QCoreApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }
};
