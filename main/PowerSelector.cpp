#include "PowerSelector.h"

#include "ModalGate.h"
#include "PowerList.h"
#include "PowerNames.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

PowerSelector::PowerSelector(QWidget* parent)
    : QComboBox(parent)
{
    setEditable(true);
    // The list must stay the table's rows, one to one.
    setInsertPolicy(QComboBox::NoInsert);
    setFocusPolicy(Qt::StrongFocus);
    setView(new PowerList(this));
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
    // The line edit leaves a name it was given scrolled to its end; a pick shows its start.
    if (index >= 0)
        lineEdit()->setCursorPosition(0);
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

// The pointer and the keys move the open list's highlight and its current item together (the
// current item changes before the selection is reported), and only a click or Enter picks.
// An accessibility client picks an item by selecting it, the current item staying where it was,
// even on that item.
void PowerSelector::listSelectionChanged(const QItemSelection& selected)
{
    const QModelIndexList items = selected.indexes();
    if (items.isEmpty() || view()->currentIndex() != m_listCurrent || blockedByModalDialog(this))
        return;
    const int row = items.first().row();
    hidePopup();
    setCurrentIndex(row);
    select(row);
}

void PowerSelector::setPowerNames(PowerNames* names)
{
    const QSignalBlocker quiet(this);
    m_names = names;
    m_popupWidth = -1;
    setModel(names);
    // A new list would otherwise make its first item the current one.
    setCurrentIndex(-1);
    connect(view()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PowerSelector::listSelectionChanged);
    connect(view()->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { m_listCurrent = current; });
}

void PowerSelector::showPopup()
{
    // The list lies wholly on the screen the sheet is on: a name wider than the screen is cut.
    const QRect screenArea = screen()->availableGeometry();
    QWidget* list = view()->parentWidget();
    if (count() > 0)
        list->setMinimumWidth(std::min(popupWidth(), screenArea.width()));
    QComboBox::showPopup();
    QRect placed = list->geometry();
    placed.moveRight(std::min(placed.right(), screenArea.right()));
    placed.moveLeft(std::max(placed.left(), screenArea.left()));
    if (placed != list->geometry())
        list->setGeometry(placed);
}

bool PowerSelector::event(QEvent* event)
{
    // A dialog that opens over the sheet takes the pointer and the keys: the open list closes.
    if (event->type() == QEvent::WindowBlocked)
        hidePopup();
    return QComboBox::event(event);
}

int PowerSelector::popupWidth() const
{
    if (m_popupWidth >= 0)
        return m_popupWidth;
    const QFontMetrics metrics = view()->fontMetrics();
    int widest = 0;
    for (const QString& name : m_names->widestNameCandidates())
        widest = std::max(widest, metrics.horizontalAdvance(name));
    // What a row adds around its text, what the list adds around its rows.
    const QModelIndex first = model()->index(0, 0);
    const int rowPadding =
        view()->sizeHintForIndex(first).width() - metrics.horizontalAdvance(itemText(0));
    const QMargins margins = view()->parentWidget()->contentsMargins();
    int width = widest + rowPadding + 2 * view()->frameWidth() + margins.left() + margins.right();
    if (count() > maxVisibleItems())
        width += view()->verticalScrollBar()->sizeHint().width();
    m_popupWidth = width;
    return width;
}
