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

void PowerSelector::appendPower(const QString& name)
{
    const QSignalBlocker quiet(this);
    addItem(name);
    // The first item added to an empty list would otherwise become the current one.
    if (count() == 1)
        setCurrentIndex(-1);
}
