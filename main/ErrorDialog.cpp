#include "ErrorDialog.h"

#include "Failure.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

QString applicationTitle()
{
    const QString fileName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const QString base = fileName.section(u'.', 0, 0);
    return base.left(1) + base.mid(1).toLower();
}

void showErrorDialog(QWidget* parent, const QString& message)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(), errorDialogText(message),
                    QMessageBox::Ok, parent);
    // A message quotes the table's text as the file holds it, even text that looks like markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
