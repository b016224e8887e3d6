// How core code asks for a message box or a sound without knowing about windows.
// The application installs a notifier that shows real dialogs and plays wave files;
// tests and drive mode install one that records the requests.
#pragma once

#include <string>
#include <string_view>

namespace korvel {

inline constexpr std::string_view kAppTitle = "Korvel";

enum class MsgIcon { None, Exclamation, Information, Critical, Question };

class Notifier {
public:
    virtual ~Notifier() = default;
    // A modal message box with an OK button. An empty title means the application's title.
    virtual void Message(const std::string& title, const std::string& text, MsgIcon icon) = 0;
    // Play a wave file from the program folder, asynchronously. Already filtered by the sound setting.
    virtual void Sound(const std::string& file) = 0;
};

// Installs the notifier used from now on; nullptr restores the silent default.
void SetNotifier(Notifier* notifier);
Notifier& CurrentNotifier();

void ShowMessage(const std::string& title, const std::string& text, MsgIcon icon);

// Requests a sound when forced or when sound is enabled in the shared settings.
// Returns whether the request went out.
bool PlaySound(const std::string& file, bool force = false);

} // namespace korvel
