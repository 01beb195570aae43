#include "notebox.h"

#include <QCoreApplication>
#include <QMessageBox>

void showNote(const QString &text, const QString &why)
{
    QMessageBox box(QMessageBox::Information, QCoreApplication::translate("MainWindow", "提示"), text,
                    QMessageBox::Ok);
    box.setInformativeText(why);
    box.exec();
}
