// Integer text: whatever is accepted lies inside the grammar and survives a round trip
// through decimal text; whatever lies inside the grammar and the 32-bit range is accepted.
#include "IntegerText.h"

#include <QRegularExpression>
#include <QString>

#include <cstdlib>

namespace {

// The grammar on its own terms: blanks, then a signed decimal or a prefixed hex number.
const QRegularExpression decimalForm(QStringLiteral("^ *([+-]?)([0-9]+)\\z"));
const QRegularExpression hexForm(QStringLiteral("^ *(\\$|x|X|0x|0X)([0-9a-fA-F]+)\\z"));

QString withoutLeadingZeros(const QString& digits)
{
    qsizetype i = 0;
    while (i + 1 < digits.size() && digits[i] == u'0')
        ++i;
    return digits.mid(i);
}

bool fitsTheGrammar(const QString& text)
{
    if (const auto match = decimalForm.match(text); match.hasMatch()) {
        const QString digits = withoutLeadingZeros(match.captured(2));
        if (digits.size() > 10)
            return false;
        const qint64 magnitude = digits.toLongLong();
        return match.captured(1) == QStringLiteral("-") ? magnitude <= 2147483648LL
                                                        : magnitude <= 2147483647LL;
    }
    if (const auto match = hexForm.match(text); match.hasMatch())
        return withoutLeadingZeros(match.captured(2)).size() <= 8;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<qint32> value = parseIntegerText(text);
    if (value.has_value() != fitsTheGrammar(text))
        std::abort();
    if (value && parseIntegerText(decimalText(*value)) != value)
        std::abort();
    return 0;
}
