#pragma once

#include <QByteArray>
#include <QString>

// Larger rating tables are refused rather than read whole into memory.
constexpr qint64 maxRatingTableBytes = 16 * 1024 * 1024;

// Reads a rating table file whole. While it reads, no other program may hold the file open
// for writing; a file that cannot be opened, is not a regular file, is being written, or is
// larger than the limit raises the cannot-open failure with the file's name. One source
// file per platform: a read lease on Linux, read-only sharing on Windows.
QByteArray readRatingTableFile(const QString& fileName);
