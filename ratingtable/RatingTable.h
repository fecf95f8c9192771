#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// The rating table: the lines of "RatingTable.txt", each a comma text holding a power's
// name and its rating values for the 2D6 results 3 to 12. The text is kept once, every line
// after the other with its end recorded, and a row is split only when it is needed: a file
// of millions of short lines must not become millions of strings. Copies share the text.
class RatingTable {
public:
    static QString fileName() { return QStringLiteral("RatingTable.txt"); }

    // Reads the file from the current directory; raises the cannot-open failure.
    void load();
    // Replaces the lines with those of a file's bytes.
    void setFileBytes(QByteArrayView bytes);
    void release();

    qsizetype count() const { return m_lineEnds.size(); }
    // Line index, which must lie inside the table.
    QStringView line(qsizetype index) const;
    QStringList lines() const;
    // The lines before the first line without fields: those the power selector lists.
    qsizetype namedRowCount() const;

    // Field 0 of a line; raises the list-index failure when the line has no fields.
    QString rowName(qsizetype index) const;
    // The fields of a line; raises the list-index failure for an index outside the table.
    QStringList RatingRow(qint64 index) const;

private:
    QString m_text;
    QList<qsizetype> m_lineEnds; // line i ends here in m_text and line i + 1 starts here
};

// The rating value of a 2D6 result in a row: field result - 2 read as integer text.
qint32 ratingValue(const QStringList& row, qint64 result);

// A file's bytes as text lines: a line ends at CR, LF or CR LF; a NUL byte ends the text;
// a break at the very end adds no line. The text is UTF-8 when it starts with the UTF-8
// byte-order mark or is valid UTF-8 holding non-ASCII bytes, and Shift-JIS (CP932)
// otherwise. Bytes invalid in that encoding read as U+FFFD.
QStringList decodeRatingTableLines(QByteArrayView bytes);
