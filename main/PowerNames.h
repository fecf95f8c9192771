#pragma once

#include "RatingTable.h"

#include <QAbstractListModel>

class QFontMetrics;

// The power selector's list: the names of a rating table's first rows, read from the table
// when the list asks for them rather than copied into it, so that a table of millions of
// rows fills the selector in one step and costs no memory twice.
class PowerNames : public QAbstractListModel {
    Q_OBJECT

public:
    // The list holds its own copy of the table, which shares the table's text and outlives
    // its release. The names are judged in the face the list draws them in.
    PowerNames(const RatingTable& table, qsizetype count, const QFontMetrics& metrics,
               QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The names that may draw widest, at most widestCandidates of them: those whose
    // characters' widths add up to the most. Measuring every name of a huge table as a whole
    // would take seconds; a name's drawn width differs from that sum only by kerning, a pixel
    // or two, so the widest name is among them unless more than that many names are within
    // a pixel or two of it.
    static constexpr int widestCandidates = 64;
    QStringList widestNameCandidates() const;

private:
    RatingTable m_table;
    int m_count;
    QList<int> m_widestRows;
};
