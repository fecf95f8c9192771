// Comma text: splitting any text stays inside it, and quoting each field and joining the
// quoted fields with commas splits back into the same fields.
#include "CommaText.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList fields = SplitCommaText(text);

    QStringList quoted;
    for (QString field : fields) {
        if (field.contains(QChar(u'\0')))
            std::abort(); // a field never runs past the end of the text
        quoted.append(u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"');
    }
    if (SplitCommaText(quoted.join(u',')) != fields)
        std::abort();
    return 0;
}
