#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The rating table: the lines of "RatingTable.txt", each a comma text holding a power's
// name and its rating values for the 2D6 results 3 to 12. Lines are kept unsplit; a row
// is split when it is needed.
class RatingTable {
public:
    static QString fileName() { return QStringLiteral("RatingTable.txt"); }

    // Reads the file from the current directory; raises the cannot-open failure.
    void load();
    // Replaces the lines with those of a file's bytes.
    void setFileBytes(QByteArrayView bytes);
    void release() { m_lines.clear(); }

    qsizetype count() const { return m_lines.size(); }
    const QStringList& lines() const { return m_lines; }

    // Field 0 of a line; raises the list-index failure when the line has no fields.
    QString rowName(qsizetype index) const;
    // The fields of a line; raises the list-index failure for an index outside the table.
    QStringList RatingRow(qint64 index) const;

private:
    QStringList m_lines;
};

// The rating value of a 2D6 result in a row: field result - 2 read as integer text.
qint32 ratingValue(const QStringList& row, qint64 result);

// A file's bytes as text lines: a line ends at CR, LF or CR LF; a NUL byte ends the text;
// a break at the very end adds no line. The text is UTF-8 when it starts with the UTF-8
// byte-order mark or is valid UTF-8 holding non-ASCII bytes, and Shift-JIS (CP932)
// otherwise. Bytes invalid in that encoding read as U+FFFD.
QStringList decodeRatingTableLines(QByteArrayView bytes);
