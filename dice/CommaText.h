#pragma once

#include <QStringList>
#include <QStringView>

// Splits a comma text into its fields. Blanks and control characters around commas belong
// to no field and an unquoted blank ends a field; a double-quoted field may hold blanks,
// commas and doubled quotes; two commas in a row give an empty field, as does a comma that
// is the very last character; a text of only white space gives no fields.
QStringList SplitCommaText(QStringView text);
