// Captures the message boxes and sound requests of the core while a test runs.
#pragma once

#include "core/notifier.h"
#include "core/settings.h"

#include <string>
#include <vector>

namespace korvel::test {

struct RecordedMessage {
    std::string title;
    std::string text;
    MsgIcon icon;
};

class RecordingNotifier final : public Notifier {
public:
    RecordingNotifier() { ResetSettings(); SetNotifier(this); }
    ~RecordingNotifier() override { SetNotifier(nullptr); }
    RecordingNotifier(const RecordingNotifier&) = delete;
    RecordingNotifier& operator=(const RecordingNotifier&) = delete;

    void Message(const std::string& title, const std::string& text, MsgIcon icon) override
    {
        messages.push_back({title, text, icon});
    }
    void Sound(const std::string& file) override { sounds.push_back(file); }

    void Clear() { messages.clear(); sounds.clear(); }

    std::vector<RecordedMessage> messages;
    std::vector<std::string> sounds;
};

} // namespace korvel::test
