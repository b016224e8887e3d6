#include "registry.h"

#include <QHash>

namespace korvel::ui {
namespace {
QHash<QString, WindowFactory>& Factories()
{
    static QHash<QString, WindowFactory> factories;
    return factories;
}
} // namespace

void RegisterWindow(const QString& className, WindowFactory factory)
{
    Factories().insert(className, std::move(factory));
}

QWidget* CreateWindow(const QString& className, QWidget* parent)
{
    auto it = Factories().constFind(className);
    return it == Factories().constEnd() ? nullptr : (*it)(parent);
}

bool HasWindow(const QString& className) { return Factories().contains(className); }

} // namespace korvel::ui
