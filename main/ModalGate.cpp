#include "ModalGate.h"

#include <QApplication>
#include <QWidget>

bool blockedByModalDialog(const QWidget* control)
{
    const QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != control->window() && !modal->isAncestorOf(control);
}
