#include "IntegerText.h"

#include "Failure.h"

#include <limits>

namespace {

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

bool isDecimalDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

std::optional<qint32> parseHexDigits(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (const QChar c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + quint64(digit);
        if (value > std::numeric_limits<quint32>::max())
            return std::nullopt;
    }
    return qint32(quint32(value)); // two's complement
}

std::optional<qint32> parseDecimalDigits(QStringView digits, bool negative)
{
    if (digits.isEmpty())
        return std::nullopt;
    const qint64 limit = negative ? -qint64(std::numeric_limits<qint32>::min())
                                  : qint64(std::numeric_limits<qint32>::max());
    qint64 magnitude = 0;
    for (const QChar c : digits) {
        if (!isDecimalDigit(c))
            return std::nullopt;
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return qint32(negative ? -magnitude : magnitude);
}

} // namespace

std::optional<qint32> parseIntegerText(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    const QStringView rest = text.mid(i);
    if (rest.startsWith(u'$') || rest.startsWith(u'x') || rest.startsWith(u'X'))
        return parseHexDigits(rest.mid(1));
    if (rest.startsWith(u"0x") || rest.startsWith(u"0X"))
        return parseHexDigits(rest.mid(2));
    if (rest.startsWith(u'+') || rest.startsWith(u'-'))
        return parseDecimalDigits(rest.mid(1), rest.front() == u'-');
    return parseDecimalDigits(rest, false);
}

qint32 readInteger(const QString& field)
{
    const std::optional<qint32> value = parseIntegerText(field);
    if (!value)
        throw SheetFailure::notAnInteger(field);
    return *value;
}

QString decimalText(qint64 value)
{
    return QString::number(value);
}
