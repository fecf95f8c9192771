#include "CommaText.h"

using namespace Qt::StringLiterals;

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

// The field that starts at i as the text holds it, a quoted field without its quotes and its
// doubled quotes still doubled, leaving i just past it.
QStringView fieldSpan(QStringView text, qsizetype& i)
{
    const qsizetype end = text.size();
    if (text[i] != u'"') {
        const qsizetype start = i;
        while (i < end && text[i] != u',' && !isWhiteSpace(text[i]))
            ++i;
        return text.sliced(start, i - start);
    }
    const qsizetype start = ++i;
    while (i < end && !(text[i] == u'"' && (i + 1 == end || text[i + 1] != u'"')))
        i += text[i] == u'"' ? 2 : 1;
    const QStringView field = text.sliced(start, i - start);
    if (i < end)
        ++i; // the closing quote
    return field;
}

// Reads the field that starts at i, leaving i just past it.
QString readField(QStringView text, qsizetype& i)
{
    const bool quoted = text[i] == u'"';
    QString field = fieldSpan(text, i).toString();
    return quoted ? field.replace(u"\"\""_s, u"\""_s) : field;
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

QStringView firstCommaFieldSpan(QStringView text)
{
    text = untilNul(text);
    qsizetype i = skipWhiteSpace(text, 0);
    return i < text.size() ? fieldSpan(text, i) : QStringView();
}
