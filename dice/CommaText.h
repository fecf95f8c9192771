#pragma once

#include <QStringList>
#include <QStringView>

#include <optional>

// Splits a comma text into its fields. Blanks and control characters around commas belong
// to no field and an unquoted blank ends a field; a double-quoted field may hold blanks,
// commas and doubled quotes; two commas in a row give an empty field, as does a comma that
// is the very last character; a text of only white space gives no fields.
QStringList SplitCommaText(QStringView text);

// Whether SplitCommaText would give the text any field at all.
bool hasCommaFields(QStringView text);
// Field 0 of SplitCommaText, read without splitting the rest; none for a text without fields.
std::optional<QString> firstCommaField(QStringView text);
// The characters of field 0 as the text holds them, without building the field: a quoted
// field without its quotes, its doubled quotes still doubled. Empty for a text without fields.
QStringView firstCommaFieldSpan(QStringView text);
