#include "PowerNames.h"

PowerNames::PowerNames(const RatingTable& table, qsizetype count, QObject* parent)
    : QAbstractListModel(parent)
    , m_table(table)
    , m_count(int(count))
{
}

int PowerNames::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_count;
}

QVariant PowerNames::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_count ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_table.rowName(index.row());
}
