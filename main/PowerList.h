#pragma once

#include <QListView>

class QComboBox;

// The power selector's open list. Every row is one line of the sheet's face, so where a row
// stands follows from its number: the list places, paints, scrolls and hit-tests only the
// rows in view, and opens a table of millions of rows at once. Qt's own list view measures
// and places every row first, a batch at a time, which costs about a second of work for the
// largest table the sheet reads.
class PowerList : public QListView {
    Q_OBJECT

public:
    explicit PowerList(QComboBox* selector);

    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& point) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override { return 0; }
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex&) const override { return false; }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    void initViewItemOption(QStyleOptionViewItem* option) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    int rows() const;
    int rowHeight() const; // every row's, measured on first use
    int rowAt(int y) const; // in the viewport; may lie outside the rows
    QModelIndex indexOfRow(int row) const;

    QComboBox* m_selector;
    mutable int m_rowHeight = 0;
};
