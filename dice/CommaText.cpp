#include "CommaText.h"

namespace {

bool isWhiteSpace(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

// A NUL character ends the text, as it ends a C string: nothing after it is read.
QStringView untilNul(QStringView text)
{
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul >= 0 ? text.left(nul) : text;
}

qsizetype skipWhiteSpace(QStringView text, qsizetype i)
{
    while (i < text.size() && isWhiteSpace(text[i]))
        ++i;
    return i;
}

// Reads the field that starts at i, leaving i just past it.
QString readField(QStringView text, qsizetype& i)
{
    const qsizetype end = text.size();
    if (text[i] != u'"') {
        const qsizetype start = i;
        while (i < end && text[i] != u',' && !isWhiteSpace(text[i]))
            ++i;
        return text.sliced(start, i - start).toString();
    }
    QString field;
    ++i;
    while (i < end) {
        if (text[i] == u'"') {
            if (i + 1 < end && text[i + 1] == u'"') {
                field += u'"';
                i += 2;
                continue;
            }
            ++i; // the closing quote
            break;
        }
        field += text[i++];
    }
    return field;
}

} // namespace

QStringList SplitCommaText(QStringView text)
{
    text = untilNul(text);
    QStringList fields;
    fields.reserve(text.count(u',') + 1); // the usual count, in one allocation
    const qsizetype end = text.size();
    qsizetype i = skipWhiteSpace(text, 0);
    while (i < end) {
        fields.append(readField(text, i));
        i = skipWhiteSpace(text, i);
        if (i < end && text[i] == u',') {
            if (i == end - 1)
                fields.append(QString());
            i = skipWhiteSpace(text, i + 1);
        }
    }
    return fields;
}

bool hasCommaFields(QStringView text)
{
    text = untilNul(text);
    return skipWhiteSpace(text, 0) < text.size();
}

std::optional<QString> firstCommaField(QStringView text)
{
    text = untilNul(text);
    qsizetype i = skipWhiteSpace(text, 0);
    if (i == text.size())
        return std::nullopt;
    return readField(text, i);
}
