#include "CommaText.h"

namespace {

bool isWhiteSpace(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

} // namespace

QStringList SplitCommaText(QStringView text)
{
    // The text ends at a NUL character, as it always has for these texts.
    if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul >= 0)
        text = text.left(nul);

    QStringList fields;
    const qsizetype end = text.size();
    qsizetype i = 0;
    const auto skipWhiteSpace = [&] {
        while (i < end && isWhiteSpace(text[i]))
            ++i;
    };

    skipWhiteSpace();
    while (i < end) {
        QString field;
        if (text[i] == u'"') {
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
        } else {
            const qsizetype start = i;
            while (i < end && text[i] != u',' && !isWhiteSpace(text[i]))
                ++i;
            field = text.mid(start, i - start).toString();
        }
        fields.append(field);

        skipWhiteSpace();
        if (i < end && text[i] == u',') {
            if (i == end - 1)
                fields.append(QString());
            ++i;
            skipWhiteSpace();
        }
    }
    return fields;
}
