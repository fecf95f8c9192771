#include "Failure.h"

using namespace Qt::StringLiterals;

SheetFailure::SheetFailure(QString message)
    : m_message(std::move(message))
    , m_utf8(m_message.toUtf8())
{
}

SheetFailure SheetFailure::notAnInteger(const QString& field)
{
    return SheetFailure(u"'%1' は整数ではありません"_s.arg(field));
}

SheetFailure SheetFailure::listIndex(qint64 index)
{
    return SheetFailure(u"リストのインデックスが範囲を超えています (%1)"_s.arg(index));
}

SheetFailure SheetFailure::cannotOpen(const QString& fileName)
{
    return SheetFailure(u"ファイル %1 は開けません"_s.arg(fileName));
}
