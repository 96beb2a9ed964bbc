#include "platform/Prompts.h"

namespace {

class SilentPrompts final : public Prompts {
public:
    PromptAnswer ShowMessage(const QString&, const QString&, PromptButtons buttons,
                             PromptIcon) override {
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
    QString AskSaveFile(const SaveFileQuestion&) override { return {}; }
    QString AskFolder(const QString&, const QString&) override { return {}; }
    QString AskOpenFile(const QString&) override { return {}; }
    bool AskMediaToOpen(MediaOpenAnswer&) override { return false; }
};

SilentPrompts& Silent() {
    static SilentPrompts silent;
    return silent;
}

Prompts* g_installed = nullptr;

} // namespace

Prompts& CurrentPrompts() {
    return g_installed != nullptr ? *g_installed : Silent();
}

void InstallPrompts(Prompts* prompts) {
    g_installed = prompts;
}
