#include "RatingTable.h"

#include "CommaText.h"
#include "Cp932Table.h"
#include "Failure.h"
#include "IntegerText.h"
#include "RatingTableFile.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace {

// Calls lineFound with each line of the bytes, which end at the first NUL.
template <typename LineFound>
void forEachLine(QByteArrayView bytes, LineFound&& lineFound)
{
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes = bytes.first(nul);
    // The library's searches are much faster than a loop over the bytes; each is repeated
    // only once the line start has passed what it found.
    const auto next = [&](char c, qsizetype from) {
        const qsizetype at = bytes.indexOf(c, from);
        return at >= 0 ? at : bytes.size();
    };
    qsizetype nextCr = next('\r', 0);
    qsizetype nextLf = next('\n', 0);
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (nextCr < i)
            nextCr = next('\r', i);
        if (nextLf < i)
            nextLf = next('\n', i);
        const qsizetype end = std::min(nextCr, nextLf);
        lineFound(bytes.sliced(i, end - i));
        i = end;
        if (i < bytes.size() && bytes[i] == '\r')
            ++i;
        if (i < bytes.size() && bytes[i] == '\n')
            ++i;
    }
}

// Decodes a line of CP932 a character at a time, so that a lead byte always takes the byte
// after it with it (as the table's comma rules step over double-byte characters) and an
// invalid character becomes U+FFFD: Qt's decoder gives U+001A for it, which would read as
// white space and split the line.
void appendCp932(QString& text, QByteArrayView line)
{
    qsizetype i = 0;
    while (i < line.size() && uchar(line[i]) < 0x80)
        ++i;
    text.append(QLatin1StringView(line.first(i)));
    if (i == line.size())
        return;
    // The rest is written in place, into the room the text has kept: every character takes
    // at least one byte.
    const qsizetype start = text.size();
    text.resize(start + line.size() - i);
    QChar* out = text.data() + start;
    for (; i < line.size(); ++i) {
        const auto b = uchar(line[i]);
        if (b < 0x80)
            *out++ = QChar(char16_t(b));
        else if (isCp932LeadByte(b) && i + 1 < line.size())
            *out++ = QChar(cp932DoubleBytes[cp932LeadByteIndex(b)][uchar(line[++i])]);
        else
            *out++ = QChar(cp932SingleBytes[b - 0x80]);
    }
    text.resize(out - text.constData());
}

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF) holding at least one non-ASCII character. Qt's decoder does not report errors
// reliably enough to decide this.
bool isUtf8WithNonAscii(QByteArrayView bytes)
{
    bool nonAscii = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const auto lead = uchar(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        nonAscii = true;
        int length = 0;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (int k = 1; k < length; ++k) {
            const auto next = uchar(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return nonAscii;
}

} // namespace

QStringList decodeRatingTableLines(QByteArrayView bytes)
{
    RatingTable table;
    table.setFileBytes(bytes);
    return table.lines();
}

void RatingTable::load()
{
    setFileBytes(readRatingTableFile(fileName()));
}

void RatingTable::setFileBytes(QByteArrayView bytes)
{
    const QByteArrayView utf8Mark("\xEF\xBB\xBF");
    const bool hasMark = bytes.startsWith(utf8Mark);
    if (hasMark)
        bytes = bytes.sliced(utf8Mark.size());
    const bool utf8 = hasMark || isUtf8WithNonAscii(bytes);

    QString text;
    text.reserve(bytes.size()); // either encoding gives at most a character a byte
    QList<qsizetype> lineEnds;
    // A mark at the start of a line is part of it (QString::fromUtf8 would drop it), as is a
    // second mark after the file's own.
    QStringDecoder fromUtf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                        QStringConverter::Flag::ConvertInitialBom);
    forEachLine(bytes, [&](QByteArrayView line) {
        if (utf8)
            text.append(QString(fromUtf8.decode(line)));
        else
            appendCp932(text, line);
        lineEnds.append(text.size());
    });
    text.squeeze();
    m_text = std::move(text);
    m_lineEnds = std::move(lineEnds);
}

void RatingTable::release()
{
    *this = RatingTable();
}

QStringView RatingTable::line(qsizetype index) const
{
    const qsizetype start = index == 0 ? 0 : m_lineEnds[index - 1];
    return QStringView(m_text).sliced(start, m_lineEnds[index] - start);
}

QStringList RatingTable::lines() const
{
    QStringList lines;
    lines.reserve(count());
    for (qsizetype i = 0; i < count(); ++i)
        lines.append(line(i).toString());
    return lines;
}

qsizetype RatingTable::namedRowCount() const
{
    qsizetype named = 0;
    while (named < count() && hasCommaFields(line(named)))
        ++named;
    return named;
}

QString RatingTable::rowName(qsizetype index) const
{
    if (index < 0 || index >= count())
        throw SheetFailure::listIndex(index);
    std::optional<QString> name = firstCommaField(line(index));
    if (!name)
        throw SheetFailure::listIndex(0);
    return *std::move(name);
}

QStringList RatingTable::RatingRow(qint64 index) const
{
    if (index < 0 || index >= count())
        throw SheetFailure::listIndex(index);
    return SplitCommaText(line(qsizetype(index)));
}

qint32 ratingValue(const QStringList& row, qint64 result)
{
    const qint64 field = result - 2;
    if (field < 0 || field >= row.size())
        throw SheetFailure::listIndex(field);
    return readInteger(row[qsizetype(field)]);
}
