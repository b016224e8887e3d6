#include "mainwindow.h"

#include <QMdiArea>

namespace korvel {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("frmKorvelmain");
    setWindowTitle("Korvel");
    setCentralWidget(new QMdiArea(this));
    resize(768, 537);
}

} // namespace korvel
