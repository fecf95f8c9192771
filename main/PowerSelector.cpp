#include "PowerSelector.h"

#include <QLineEdit>
#include <QWheelEvent>

PowerSelector::PowerSelector(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    // The list must stay the table's rows, one to one.
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, &PowerSelector::select);
    connect(this, &QComboBox::currentIndexChanged, this, &PowerSelector::select);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { select(-1); });
}

void PowerSelector::wheelEvent(QWheelEvent* event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

void PowerSelector::select(int index)
{
    m_selected = index;
    emit changed();
}

void PowerSelector::setPowerNames(QAbstractItemModel* names)
{
    const QSignalBlocker quiet(this);
    setModel(names);
    // A new list would otherwise make its first item the current one.
    setCurrentIndex(-1);
}
