// A rating table file's bytes: every line is accounted for, no line holds a break or a
// NUL, and the names the selector would show are exactly field 0 of each row up to the
// first row without fields.
#include "CommaText.h"
#include "Failure.h"
#include "RatingTable.h"

#include <cstdlib>

namespace {

qsizetype expectedLineCount(QByteArrayView bytes)
{
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0)
        bytes = bytes.first(nul);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    qsizetype lines = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++lines;
    }
    const bool unterminated = !bytes.isEmpty() && bytes.back() != '\n' && bytes.back() != '\r';
    return lines + (unterminated ? 1 : 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    RatingTable table;
    table.setFileBytes(bytes);
    if (table.count() != expectedLineCount(bytes))
        std::abort();

    bool reachedRowWithoutFields = false;
    for (qsizetype i = 0; i < table.count() && !reachedRowWithoutFields; ++i) {
        const QString& line = table.lines()[i];
        if (line.contains(u'\r') || line.contains(u'\n') || line.contains(QChar(u'\0')))
            std::abort();
        const QStringList fields = SplitCommaText(line);
        try {
            if (table.rowName(i) != fields.value(0) || fields.isEmpty())
                std::abort();
            for (int result = 3; result <= 12; ++result)
                (void)ratingValue(fields, result);
        } catch (const SheetFailure&) {
            reachedRowWithoutFields = fields.isEmpty();
        }
    }
    return 0;
}
