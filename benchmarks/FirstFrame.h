#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

// Ends the program once a window has been painted for the first time. The quit is queued,
// so the frame is flushed to the screen first; on a real display that is the moment the
// user sees the window, which comes some round trips after show(). With
// STARTUP_QUIT_BEFORE_PAINTING set, the program ends at the first turn of the event loop
// instead: the window is made, laid out and shown, but not yet drawn.
class QuitAfterFirstFrame : public QObject {
public:
    QuitAfterFirstFrame()
    {
        if (qEnvironmentVariableIsSet("STARTUP_QUIT_BEFORE_PAINTING"))
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        else
            QCoreApplication::instance()->installEventFilter(this);
    }

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
