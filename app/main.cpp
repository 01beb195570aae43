#include <QApplication>

#include "mainwindow.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    auto *window = new MainWindow;
    // One optional argument: a port name to put into the port box.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1)
        window->presetPortName(args.at(1));
    window->show();
    const int result = QApplication::exec();
    delete window;
    return result;
}
