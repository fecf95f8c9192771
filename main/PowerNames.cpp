#include "PowerNames.h"

#include "CommaText.h"

#include <QFontMetrics>

#include <algorithm>
#include <functional>
#include <queue>
#include <vector>

namespace {

// The drawn width of each character, measured the first time it is met: a table of Japanese
// names holds a few thousand different characters, a table of millions of rows the same.
class CharacterWidths {
public:
    explicit CharacterWidths(const QFontMetrics& metrics)
        : m_metrics(metrics)
        , m_widths(0x10000, unmeasured)
        // A character beyond the basic plane (a rare kanji, an emoji) is as wide as a line
        // is high, or near it; its two halves share that.
        , m_surrogateHalf(quint16((metrics.height() + 1) / 2))
    {
    }

    int sumOf(QStringView text)
    {
        int sum = 0;
        for (const QChar c : text)
            sum += widthOf(c);
        return sum;
    }

private:
    static constexpr quint16 unmeasured = 0xFFFF;

    int widthOf(QChar c)
    {
        quint16& width = m_widths[c.unicode()];
        if (width == unmeasured)
            width = c.isSurrogate()
                        ? m_surrogateHalf
                        : quint16(std::clamp(m_metrics.horizontalAdvance(c), 0, 0xFFFE));
        return width;
    }

    const QFontMetrics& m_metrics;
    std::vector<quint16> m_widths;
    const quint16 m_surrogateHalf;
};

} // namespace

PowerNames::PowerNames(const RatingTable& table, qsizetype count, const QFontMetrics& metrics,
                       QObject* parent)
    : QAbstractListModel(parent)
    , m_table(table)
    , m_count(int(count))
{
    // One pass, while the table is loaded anyway, keeping the rows of the largest sums so far:
    // the smallest of them on top, to be pushed out by a larger one.
    CharacterWidths widths(metrics);
    using Candidate = std::pair<int, int>; // the sum, the row
    std::priority_queue<Candidate, std::vector<Candidate>, std::greater<>> widest;
    for (int row = 0; row < m_count; ++row) {
        const int width = widths.sumOf(firstCommaFieldSpan(m_table.line(row)));
        if (widest.size() < size_t(widestCandidates)) {
            widest.emplace(width, row);
        } else if (width > widest.top().first) {
            widest.pop();
            widest.emplace(width, row);
        }
    }
    for (; !widest.empty(); widest.pop())
        m_widestRows.append(widest.top().second);
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

QStringList PowerNames::widestNameCandidates() const
{
    QStringList names;
    for (const int row : m_widestRows)
        names.append(m_table.rowName(row));
    return names;
}
