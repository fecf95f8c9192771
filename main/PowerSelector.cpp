#include "PowerSelector.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QWheelEvent>

#include <utility>

PowerSelector::PowerSelector(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    // The list must stay the table's rows, one to one.
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);
    // A pick from the list emits both signals when it changes the item and only activated
    // when it picks the item again after typing; select() reports each pick once.
    connect(this, &QComboBox::activated, this, &PowerSelector::select);
    connect(this, &QComboBox::currentIndexChanged, this, &PowerSelector::select);
    // The line edit reports an edit by the user just before the text change it makes.
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        m_typed = true;
        select(-1);
    });
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!std::exchange(m_typed, false))
            textSetWithoutTyping(text);
    });
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
    if (index == m_selected)
        return;
    m_selected = index;
    emit changed();
}

// The text is set without typing when the list's current item changes, and when an
// accessibility client sets the selector's value: text that names a power chooses it, as
// picking it from the list does; any other text leaves no row selected, as typing does.
void PowerSelector::textSetWithoutTyping(const QString& text)
{
    if (text.isEmpty())
        select(-1);
    else if (text == itemText(currentIndex()))
        select(currentIndex());
    else
        select(findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

// The pointer and the keys move the open list's highlight and its current item together, and
// only a click or Enter picks. An accessibility client picks an item by selecting it without
// making it current.
void PowerSelector::listSelectionChanged(const QItemSelection& selected)
{
    const QModelIndexList items = selected.indexes();
    if (items.isEmpty() || items.first() == view()->currentIndex())
        return;
    const int row = items.first().row();
    hidePopup();
    setCurrentIndex(row);
    select(row);
}

void PowerSelector::setPowerNames(QAbstractItemModel* names)
{
    const QSignalBlocker quiet(this);
    setModel(names);
    // A new list would otherwise make its first item the current one.
    setCurrentIndex(-1);
    connect(view()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PowerSelector::listSelectionChanged);
}
