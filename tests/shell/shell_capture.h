// Captures the message boxes, sounds and "open" requests of the windows while a test runs,
// through the same hooks drive mode uses, so nothing is shown, played or started.
#pragma once

#include "shell/uihooks.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace korvel::test {

struct ShownMessage {
    QString title;
    QString text;
    MsgIcon icon;
};

class ShellCapture {
public:
    ShellCapture()
    {
        ui::Hooks hooks;
        hooks.message = [this](const QString& title, const QString& text, MsgIcon icon, ui::Buttons) {
            messages.push_back({title, text, icon});
            return ui::Answer::Ok;
        };
        hooks.sound = [this](const QString& file) { sounds << file; };
        hooks.open = [this](const QString& target) {
            opened << target;
            return openSucceeds;
        };
        ui::SetHooks(hooks);
    }
    ~ShellCapture() { ui::SetHooks({}); }
    ShellCapture(const ShellCapture&) = delete;
    ShellCapture& operator=(const ShellCapture&) = delete;

    void Clear()
    {
        messages.clear();
        sounds.clear();
        opened.clear();
    }

    std::vector<ShownMessage> messages;
    QStringList sounds;
    QStringList opened;
    bool openSucceeds = true;
};

} // namespace korvel::test
