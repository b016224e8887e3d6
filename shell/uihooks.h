// Every message box, sound and shell "open" of the program passes through here, so that
// drive mode (and the tests) can print and answer them instead of showing, playing or
// starting another program.
#pragma once

#include "core/notifier.h"

#include <QString>
#include <functional>

class QWidget;

namespace korvel::ui {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct Hooks {
    // Replaces the modal box; returns the button the script chose.
    std::function<Answer(const QString& title, const QString& text, MsgIcon icon, Buttons buttons)> message;
    // Replaces playing a wave file (called only for sounds that would play).
    std::function<void(const QString& file)> sound;
    // Replaces the platform's "open" of a web address or document; returns success.
    std::function<bool(const QString& target)> open;
};

// Installs hooks for the rest of the session (drive mode); empty members keep the real behaviour.
void SetHooks(Hooks hooks);

// A modal message box (title empty: the application's title). Returns the answer.
Answer ShowMessageBox(QWidget* parent, const QString& title, const QString& text,
                      MsgIcon icon = MsgIcon::None, Buttons buttons = Buttons::Ok);

// Plays a wave file from the program folder asynchronously, honouring the sound setting
// unless forced. A missing file plays nothing and says nothing.
void PlayWave(const QString& file, bool force = false);

// Asks the desktop to open a web address or a document; false when it could not.
bool OpenTarget(const QString& target);

// Starts another program (the system-information tool) without waiting for it; false when it
// could not be started. Goes through the "open" hook when one is installed.
bool StartProgram(const QString& path);

// The folder the sounds, pictures, icons and help pages are loaded from: the installed data
// folder (share/korvel beside the bin folder), or the executable's own folder in a build tree.
QString ProgramFolder();
QString ProgramFile(const QString& name);

// The core's notifier, routed through the functions above. Installed by the application.
void InstallCoreNotifier();

} // namespace korvel::ui
