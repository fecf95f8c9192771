#include "PowerList.h"

#include <QAccessible>
#include <QComboBox>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

PowerList::PowerList(QComboBox* selector)
    : m_selector(selector)
{
    setVerticalScrollMode(ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

int PowerList::rows() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int PowerList::verticalOffset() const
{
    return verticalScrollBar()->value();
}

int PowerList::rowAt(int y) const
{
    // Offsets reach past 2^31 / the row height only for a table far over the size limit.
    return int((qint64(y) + verticalOffset()) / rowHeight());
}

QModelIndex PowerList::indexOfRow(int row) const
{
    return row >= 0 && row < rows() ? model()->index(row, modelColumn(), rootIndex())
                                    : QModelIndex();
}

int PowerList::rowHeight() const
{
    if (m_rowHeight == 0 && rows() > 0) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        m_rowHeight = itemDelegate()->sizeHint(option, indexOfRow(0)).height();
    }
    return std::max(1, m_rowHeight);
}

void PowerList::doItemsLayout()
{
    m_rowHeight = 0; // measured again, for a new table or face
    QAbstractItemView::doItemsLayout();
}

void PowerList::updateGeometries()
{
    const qint64 contents = qint64(rows()) * rowHeight();
    const int page = viewport()->height();
    verticalScrollBar()->setRange(0, int(std::max<qint64>(0, contents - page)));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(rowHeight());
    QAbstractItemView::updateGeometries();
}

QRect PowerList::visualRect(const QModelIndex& index) const
{
    if (!index.isValid() || index.parent() != rootIndex() || index.column() != modelColumn())
        return {};
    const qint64 top = qint64(index.row()) * rowHeight() - verticalOffset();
    return QRect(0, int(top), viewport()->width(), rowHeight());
}

QModelIndex PowerList::indexAt(const QPoint& point) const
{
    if (point.x() < 0 || point.x() >= viewport()->width() || point.y() < 0)
        return {};
    return indexOfRow(rowAt(point.y()));
}

void PowerList::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    const QRect rect = visualRect(index);
    if (rect.isEmpty())
        return;
    const int page = viewport()->height();
    int value = verticalOffset();
    const int top = value + rect.top();
    switch (hint) {
    case PositionAtTop:
        value = top;
        break;
    case PositionAtBottom:
        value = top + rowHeight() - page;
        break;
    case PositionAtCenter:
        value = top - (page - rowHeight()) / 2;
        break;
    case EnsureVisible:
        if (rect.top() < 0)
            value = top;
        else if (rect.bottom() >= page)
            value = top + rowHeight() - page;
        break;
    }
    verticalScrollBar()->setValue(value);
}

QModelIndex PowerList::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const int last = rows() - 1;
    if (last < 0)
        return {};
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return indexOfRow(0);
    const int page = std::max(1, viewport()->height() / rowHeight());
    int row = current.row();
    switch (action) {
    case MoveUp:
    case MovePrevious:
        --row;
        break;
    case MoveDown:
    case MoveNext:
        ++row;
        break;
    case MovePageUp:
        row -= page;
        break;
    case MovePageDown:
        row += page;
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = last;
        break;
    case MoveLeft:
    case MoveRight:
        break;
    }
    return indexOfRow(std::clamp(row, 0, last));
}

void PowerList::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    const QRect rows = rect.normalized();
    const int first = std::max(0, rowAt(rows.top()));
    const int last = std::min(this->rows() - 1, rowAt(rows.bottom()));
    if (first > last) {
        selectionModel()->select(QItemSelection(), command);
        return;
    }
    selectionModel()->select(QItemSelection(indexOfRow(first), indexOfRow(last)), command);
}

QRegion PowerList::visualRegionForSelection(const QItemSelection& selection) const
{
    QRegion region;
    for (const QItemSelectionRange& range : selection) {
        if (range.parent() != rootIndex() || range.left() > modelColumn() ||
            range.right() < modelColumn())
            continue;
        const QRect top = visualRect(indexOfRow(range.top()));
        const QRect bottom = visualRect(indexOfRow(range.bottom()));
        region += (top | bottom) & viewport()->rect();
    }
    return region;
}

void PowerList::scrollContentsBy(int dx, int dy)
{
    viewport()->scroll(dx, dy);
}

void PowerList::initViewItemOption(QStyleOptionViewItem* option) const
{
    QListView::initViewItemOption(option);
    // As the selector's own list draws its rows: highlighted across the whole row, in the
    // selector's face.
    option->showDecorationSelected = true;
    option->font = m_selector->font();
}

void PowerList::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QModelIndex current = currentIndex();
    const int last = std::min(rows() - 1, rowAt(event->rect().bottom()));
    for (int row = std::max(0, rowAt(event->rect().top())); row <= last; ++row) {
        const QModelIndex index = indexOfRow(row);
        QStyleOptionViewItem item = option;
        item.rect = visualRect(index);
        if (selectionModel()->isSelected(index))
            item.state |= QStyle::State_Selected;
        if (index == current && hasFocus())
            item.state |= QStyle::State_HasFocus;
        itemDelegate()->paint(&painter, item, index);
    }
}

// Assistive technology hears which row the list moved to, and which it selected.
void PowerList::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (QAccessible::isActive() && current.isValid()) {
        QAccessibleEvent event(this, QAccessible::Focus);
        event.setChild(current.row());
        QAccessible::updateAccessibility(&event);
    }
    QAbstractItemView::currentChanged(current, previous);
}

void PowerList::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    if (QAccessible::isActive()) {
        if (const QModelIndex added = selected.indexes().value(0); added.isValid()) {
            QAccessibleEvent event(this, QAccessible::SelectionAdd);
            event.setChild(added.row());
            QAccessible::updateAccessibility(&event);
        }
        if (const QModelIndex removed = deselected.indexes().value(0); removed.isValid()) {
            QAccessibleEvent event(this, QAccessible::SelectionRemove);
            event.setChild(removed.row());
            QAccessible::updateAccessibility(&event);
        }
    }
    QAbstractItemView::selectionChanged(selected, deselected);
}
