#include "PowerNames.h"

namespace {

// A name's length in half-width columns, read from the start of its line up to the first
// comma: quoting rarely makes the two differ by more than a character or two.
int columnsBeforeComma(QStringView line)
{
    int columns = 0;
    for (const QChar c : line) {
        if (c == u',')
            break;
        // Hangul, CJK, kana and the full-width forms take two columns; half-width kana one.
        const char16_t u = c.unicode();
        columns += (u >= 0x1100 && !(u >= 0xFF61 && u <= 0xFFDC)) ? 2 : 1;
    }
    return columns;
}

} // namespace

PowerNames::PowerNames(const RatingTable& table, qsizetype count, QObject* parent)
    : QAbstractListModel(parent)
    , m_table(table)
    , m_count(int(count))
{
    // One pass, while the table is loaded anyway: the rows of the longest length so far and of
    // one column less, but no more than a screenful of each (in a table of one-letter rows
    // every row is the longest).
    constexpr qsizetype maxCandidates = 64;
    int longest = -1;
    QList<int> shorterByOne;
    for (int row = 0; row < m_count; ++row) {
        const int columns = columnsBeforeComma(m_table.line(row));
        if (columns > longest) {
            shorterByOne = columns == longest + 1 ? std::move(m_longestRows) : QList<int>();
            m_longestRows = {};
            longest = columns;
        }
        QList<int>& rows = columns == longest ? m_longestRows : shorterByOne;
        if ((columns == longest || columns == longest - 1) && rows.size() < maxCandidates)
            rows.append(row);
    }
    m_longestRows += shorterByOne;
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

QStringList PowerNames::longestNames() const
{
    QStringList names;
    for (const int row : m_longestRows)
        names.append(m_table.rowName(row));
    return names;
}
