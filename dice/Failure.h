#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// A failure of the combat sheet: raised where it is detected, it ends the running handler,
// and the window shows its message in the error dialog.
class SheetFailure : public std::exception {
public:
    explicit SheetFailure(QString message);

    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

    static SheetFailure notAnInteger(const QString& field);
    static SheetFailure listIndex(qint64 index);
    static SheetFailure cannotOpen(const QString& fileName);

private:
    QString m_message;
    QByteArray m_utf8;
};
