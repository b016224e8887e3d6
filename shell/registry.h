// Calculator windows by class name. Each family registers its windows once at start-up
// (RegisterLineWindows and the like); the catalogue opens them by the name in its table.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace korvel::ui {

using WindowFactory = std::function<QWidget*(QWidget* parent)>;

void RegisterWindow(const QString& className, WindowFactory factory);
// nullptr when no window of that name is built yet.
QWidget* CreateWindow(const QString& className, QWidget* parent);
bool HasWindow(const QString& className);

} // namespace korvel::ui
