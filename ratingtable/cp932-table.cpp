// Writes the CP932 table the rating table decodes with: what each character decodes to on
// its own, or U+FFFD where it stands for nothing. Run at build time, so the program reads
// its tables without opening a converter: that alone costs a megabyte of memory and more
// time than decoding a short table.
#include "Cp932Table.h"

#include <QFile>
#include <QStringDecoder>

#include <cstdio>
#include <cstdlib>

namespace {

// A character is judged by what it decodes to (U+001A is the decoder's own substitute),
// never by the decoder's error report: once raised, that report stays raised.
char16_t decodedAlone(QStringDecoder& decoder, const QByteArray& character)
{
    const QString decoded = decoder.decode(character);
    decoder.resetState();
    const bool valid = !decoded.isEmpty() && !decoded.contains(QChar(0x1A)) &&
                       !decoded.contains(QChar(0xFFFD)) &&
                       (decoded.size() == 1 || decoded.front().isHighSurrogate());
    if (valid && decoded.size() != 1) {
        std::fprintf(stderr, "cp932-table: %s decodes to more than one UTF-16 unit\n",
                     character.toHex(' ').constData());
        std::exit(1);
    }
    return valid ? decoded[0].unicode() : u'\uFFFD';
}

// What each byte from first to 0xFF decodes to after the prefix, as an initialiser.
QByteArray row(QStringDecoder& decoder, const QByteArray& prefix, int first)
{
    QByteArray text = "{";
    for (int b = first; b <= 0xFF; ++b) {
        text += "0x" + QByteArray::number(uint(decodedAlone(decoder, prefix + char(b))), 16);
        text += b < 0xFF ? "," : "}";
    }
    return text;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringDecoder decoder("CP932", QStringDecoder::Flag::Stateless);
    if (argc != 2 || !decoder.isValid()) {
        std::fputs("cp932-table OUTPUT: needs Qt with its CP932 decoder (ICU)\n", stderr);
        return 1;
    }
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cp932-table: cannot write %s\n", argv[1]);
        return 1;
    }
    out.write("// Written by cp932-table at build time.\n#include \"Cp932Table.h\"\n\n");
    out.write("const char16_t cp932SingleBytes[128] = " + row(decoder, {}, 0x80) + ";\n\n");
    out.write("const char16_t cp932DoubleBytes[cp932LeadByteCount][256] = {\n");
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        if (isCp932LeadByte(uchar(lead)))
            out.write("    " + row(decoder, QByteArray(1, char(lead)), 0x00) + ",\n");
    }
    out.write("};\n");
    return out.error() == QFile::NoError ? 0 : 1;
}
