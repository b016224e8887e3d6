#include "shell/mainwindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    korvel::MainWindow w;
    w.show();
    return app.exec();
}
