#include "RatingTable.h"

#include "CommaText.h"
#include "Failure.h"
#include "IntegerText.h"
#include "RatingTableFile.h"

#include <QStringDecoder>

namespace {

constexpr QChar replacementCharacter(0xFFFD);

QList<QByteArrayView> splitLines(QByteArrayView bytes)
{
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes = bytes.first(nul);
    QList<QByteArrayView> lines;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype start = i;
        while (i < bytes.size() && bytes[i] != '\r' && bytes[i] != '\n')
            ++i;
        lines.append(bytes.sliced(start, i - start));
        if (i < bytes.size() && bytes[i] == '\r')
            ++i;
        if (i < bytes.size() && bytes[i] == '\n')
            ++i;
    }
    return lines;
}

bool isCp932LeadByte(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Decodes one line of CP932 a character at a time, so that a lead byte always takes the
// byte after it with it (as the table's comma rules step over double-byte characters) and
// an invalid character becomes U+FFFD: the decoder's own substitute, U+001A, would read as
// white space and split the line.
QString decodeCp932Line(QByteArrayView line, QStringDecoder& decoder)
{
    QString text;
    text.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const auto b = uchar(line[i]);
        if (b < 0x80) {
            text += QChar(char16_t(b));
            continue;
        }
        const qsizetype length = isCp932LeadByte(b) && i + 1 < line.size() ? 2 : 1;
        const QString character = decoder.decode(line.sliced(i, length));
        i += length - 1;
        const bool valid = !decoder.hasError() && !character.isEmpty() &&
                           !character.contains(QChar(0x1A)) &&
                           !character.contains(replacementCharacter) &&
                           (character.size() == 1 || character.front().isHighSurrogate());
        text += valid ? character : QString(replacementCharacter);
        decoder.resetState();
    }
    return text;
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
    const QByteArrayView utf8Mark("\xEF\xBB\xBF");
    const bool hasMark = bytes.startsWith(utf8Mark);
    if (hasMark)
        bytes = bytes.sliced(utf8Mark.size());
    const QList<QByteArrayView> lines = splitLines(bytes);

    QStringList text;
    text.reserve(lines.size());
    if (hasMark || isUtf8WithNonAscii(bytes)) {
        for (const QByteArrayView line : lines)
            text.append(QString::fromUtf8(line));
    } else {
        QStringDecoder cp932("CP932", QStringDecoder::Flag::Stateless);
        for (const QByteArrayView line : lines)
            text.append(decodeCp932Line(line, cp932));
    }
    return text;
}

void RatingTable::load()
{
    setFileBytes(readRatingTableFile(fileName()));
}

void RatingTable::setFileBytes(QByteArrayView bytes)
{
    m_lines = decodeRatingTableLines(bytes);
}

QString RatingTable::rowName(qsizetype index) const
{
    const QStringList fields = RatingRow(index);
    if (fields.isEmpty())
        throw SheetFailure::listIndex(0);
    return fields.front();
}

QStringList RatingTable::RatingRow(qint64 index) const
{
    if (index < 0 || index >= m_lines.size())
        throw SheetFailure::listIndex(index);
    return SplitCommaText(m_lines[qsizetype(index)]);
}

qint32 ratingValue(const QStringList& row, qint64 result)
{
    const qint64 field = result - 2;
    if (field < 0 || field >= row.size())
        throw SheetFailure::listIndex(field);
    return readInteger(row[qsizetype(field)]);
}
