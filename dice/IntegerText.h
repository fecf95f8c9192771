#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Integer text: optional leading blanks, then either an optional sign and decimal digits
// (in the signed 32-bit range), or a hexadecimal prefix ("$", "x", "X", "0x", "0X") and hex
// digits (up to 32 bits, read as two's complement). Nothing may follow. Anything else,
// the empty text included, is not an integer.
std::optional<qint32> parseIntegerText(QStringView text);

// Reads a field as integer text; raises the not-an-integer failure when it is not one.
qint32 readInteger(const QString& field);

// How every integer is written: "-" before negatives, no plus sign, no leading zeros.
QString decimalText(qint64 value);
