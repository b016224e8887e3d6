#pragma once

#include <QMainWindow>

namespace korvel {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace korvel
