#include "ErrorDialog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

QString applicationTitle(const QString& executableFileName)
{
    const QString base = executableFileName.section(u'.', 0, 0);
    return base.left(1) + base.mid(1).toLower();
}

QString errorDialogText(const QString& message)
{
    if (message.isEmpty())
        return message;
    const char16_t last = message.back().unicode();
    // In Shift-JIS every non-ASCII character starts with a byte above 0x80.
    const bool sortsAfterPeriod = last >= 0x80 || last > u'.';
    return sortsAfterPeriod ? message + u'.' : message;
}

void showErrorDialog(QWidget* parent, const QString& message)
{
    // Where the program's file cannot be found (a page has none), the name it was started by.
    const QString path = QCoreApplication::applicationFilePath();
    const QString executable =
        QFileInfo(path.isEmpty() ? QCoreApplication::arguments().value(0) : path).fileName();
    QMessageBox box(QMessageBox::Critical, applicationTitle(executable), errorDialogText(message),
                    QMessageBox::Ok, parent);
    // A message quotes the table's text as the file holds it, even text that looks like markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
