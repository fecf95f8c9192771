// A rating table file's bytes: every line is accounted for, no line holds a break or a
// NUL, the names the selector would show are exactly field 0 of each row up to the first
// row without fields, and CP932 lines decode as decoding every character on its own does.
#include "CommaText.h"
#include "Cp932Table.h"
#include "IntegerText.h"
#include "RatingTable.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstdlib>

namespace {

qsizetype expectedLineCount(QByteArrayView bytes)
{
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes = bytes.first(nul);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    const qsizetype lines = bytes.count('\n') + bytes.count('\r') - bytes.count("\r\n");
    const bool unterminated = !bytes.isEmpty() && bytes.back() != '\n' && bytes.back() != '\r';
    return lines + (unterminated ? 1 : 0);
}

// CP932 decoded one character per decoder call, each judged by what it decodes to (the
// decoder's error report stays raised once an invalid character has been seen).
void decodeEachCharacter(QByteArrayView line, QString& text)
{
    static QStringDecoder decoder("CP932", QStringDecoder::Flag::Stateless);
    text.resize(0);
    for (qsizetype i = 0; i < line.size(); ++i) {
        const auto b = uchar(line[i]);
        if (b < 0x80) {
            text += QChar(char16_t(b));
            continue;
        }
        const qsizetype length = isCp932LeadByte(b) && i + 1 < line.size() ? 2 : 1;
        QChar buffer[4]; // the room the decoder asks for two bytes
        const QStringView character(buffer, decoder.appendToBuffer(buffer, line.sliced(i, length)));
        decoder.resetState();
        i += length - 1;
        const bool valid = !character.isEmpty() && !character.contains(QChar(0x1A)) &&
                           !character.contains(QChar(0xFFFD)) &&
                           (character.size() == 1 || character.front().isHighSurrogate());
        if (valid)
            text += character;
        else
            text += QChar(0xFFFD);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    RatingTable table;
    table.setFileBytes(bytes);
    if (table.count() != expectedLineCount(bytes))
        std::abort();

    qsizetype named = table.count();
    for (qsizetype i = 0; i < table.count(); ++i) {
        const QStringView line = table.line(i);
        if (line.contains(u'\r') || line.contains(u'\n') || line.contains(QChar(u'\0')))
            std::abort();
        const QStringList fields = SplitCommaText(line);
        if (fields.isEmpty()) {
            named = i;
            break;
        }
        if (table.rowName(i) != fields.front())
            std::abort();
        // A rating value is the field's integer; the failures of a look-up are the unit
        // tests' part, since a thrown exception costs more than the parsing it reports.
        for (int result = 3; result <= 12 && result - 2 < fields.size(); ++result) {
            const std::optional<qint32> value = parseIntegerText(fields[result - 2]);
            if (value && ratingValue(fields, result) != *value)
                std::abort();
        }
    }
    if (table.namedRowCount() != named)
        std::abort();

    // A first line that is valid CP932 but never UTF-8 makes the whole text CP932, so the
    // decoding of every input is checked.
    const QByteArray cp932 = "\x82\xA0\n" + bytes.toByteArray();
    RatingTable decoded;
    decoded.setFileBytes(cp932);
    QByteArrayView rest(cp932);
    if (const qsizetype nul = rest.indexOf('\0'); nul >= 0)
        rest = rest.first(nul);
    QString expected;
    for (qsizetype i = 0; i < decoded.count(); ++i) {
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != '\r' && rest[end] != '\n')
            ++end;
        decodeEachCharacter(rest.first(end), expected);
        if (decoded.line(i) != expected)
            std::abort();
        const qsizetype breakLength = rest.sliced(end).startsWith("\r\n") ? 2 : 1;
        rest = rest.sliced(std::min(end + breakLength, rest.size()));
    }
    return 0;
}
