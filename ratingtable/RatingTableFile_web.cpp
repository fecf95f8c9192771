#include "RatingTableFile.h"

#include "Failure.h"

#include <QFile>
#include <QFileInfo>

// On the page the table lives in the program's own in-memory file system, where the page
// wrote it before the program started: no other program can write it, so there is nothing
// to lock against. Only a regular file within the limit is a table.
QByteArray readRatingTableFile(const QString& fileName)
{
    const QFileInfo info(fileName);
    QFile file(fileName);
    if (!info.isFile() || info.size() > maxRatingTableBytes || !file.open(QIODevice::ReadOnly))
        throw SheetFailure::cannotOpen(fileName);
    QByteArray bytes = file.read(maxRatingTableBytes + 1);
    if (bytes.size() > maxRatingTableBytes || file.error() != QFileDevice::NoError)
        throw SheetFailure::cannotOpen(fileName);
    return bytes;
}
