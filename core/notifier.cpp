#include "notifier.h"

#include "settings.h"

namespace korvel {
namespace {

class SilentNotifier final : public Notifier {
public:
    void Message(const std::string&, const std::string&, MsgIcon) override {}
    void Sound(const std::string&) override {}
};

SilentNotifier g_silent;
Notifier* g_current = &g_silent;

} // namespace

void SetNotifier(Notifier* notifier) { g_current = notifier ? notifier : &g_silent; }

Notifier& CurrentNotifier() { return *g_current; }

void ShowMessage(const std::string& title, const std::string& text, MsgIcon icon)
{
    g_current->Message(title, text, icon);
}

bool PlaySound(const std::string& file, bool force)
{
    if (!force && !Settings().soundEnabled)
        return false;
    g_current->Sound(file);
    return true;
}

} // namespace korvel
