// The "open a file" dialog, routed like the message boxes of uihooks.h so that drive mode can
// answer it from a script instead of waiting for a person.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace korvel::ui {

// Replaces the modal dialog; returns the chosen path, empty for Cancel.
using OpenFileHook = std::function<QString(const QString& title, const QString& folder, const QString& filter)>;

// Installs the hook for the rest of the session; an empty one keeps the real dialog.
void SetOpenFileHook(OpenFileHook hook);

// A modal dialog choosing one existing file to read: its full path, or empty when cancelled.
QString AskOpenFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter);

} // namespace korvel::ui
