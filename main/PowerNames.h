#pragma once

#include "RatingTable.h"

#include <QAbstractListModel>

// The power selector's list: the names of a rating table's first rows, read from the table
// when the list asks for them rather than copied into it, so that a table of millions of
// rows fills the selector in one step and costs no memory twice.
class PowerNames : public QAbstractListModel {
    Q_OBJECT

public:
    // The list holds its own copy of the table, which shares the table's text and outlives
    // its release.
    PowerNames(const RatingTable& table, qsizetype count, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The names most likely to be the widest, judged by their length alone (a full-width
    // character counting twice): measuring every name of a huge table in pixels would take
    // seconds.
    QStringList longestNames() const;

private:
    RatingTable m_table;
    int m_count;
    QList<int> m_longestRows;
};
