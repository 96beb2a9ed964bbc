#pragma once

#include "platform/Prompts.h"

class CAppSettings;

// The prompts of the program: real message boxes and file and folder dialogs, each owned by
// the application's active window.
class WidgetPrompts final : public Prompts {
public:
    // The open-media dialog takes its texts and its remembered folder from settings.
    explicit WidgetPrompts(CAppSettings& settings);

    PromptAnswer ShowMessage(const QString& text, const QString& caption, PromptButtons buttons,
                             PromptIcon icon) override;
    QString AskSaveFile(const SaveFileQuestion& question) override;
    QString AskFolder(const QString& title, const QString& initialFolder) override;
    QString AskOpenFile(const QString& title) override;
    bool AskMediaToOpen(MediaOpenAnswer& answer) override;

private:
    CAppSettings& m_settings;
};
