#pragma once

#include <QString>
#include <QStringList>

enum class PromptButtons { Ok, OkCancel };
enum class PromptIcon { None, Warning };
enum class PromptAnswer { Ok, Cancel };

// A save-file question as the program asks it.
struct SaveFileQuestion {
    QString defaultSuffix;   // added when the chosen name has none, e.g. "JPG"
    QStringList nameFilters; // e.g. "Jpeg File(*.jpg)", "Png File(*.png)"
    bool confirmOverwrite = true;
};

// What the open-media question answers: which of its two choices is ticked and the paths
// chosen for each.
struct MediaOpenAnswer {
    int choice = 1; // 1 a file, 2 a folder
    QString filePath;
    QString folderPath;
};

// Every message box and file or folder question goes through here, so that the tests and
// the command-line tool can answer them without a human. The GUI installs an
// implementation with real dialogs; this layer has no widgets.
class Prompts {
public:
    Prompts() = default;
    virtual ~Prompts() = default;
    Prompts(const Prompts&) = delete;
    Prompts& operator=(const Prompts&) = delete;

    virtual PromptAnswer ShowMessage(const QString& text, const QString& caption,
                                     PromptButtons buttons, PromptIcon icon) = 0;
    // The chosen path, or an empty string when the user cancelled.
    virtual QString AskSaveFile(const SaveFileQuestion& question) = 0;
    virtual QString AskFolder(const QString& title, const QString& initialFolder) = 0;
    // One existing file to open, or an empty string when the user cancelled.
    virtual QString AskOpenFile(const QString& title) = 0;
    // Asks whether to open a file or a folder and which; false when the user cancelled.
    virtual bool AskMediaToOpen(MediaOpenAnswer& answer) = 0;
};

// The installed prompts. Until one is installed, a silent stand-in answers: it shows
// nothing, answers Cancel wherever a box offers it (so nothing destructive is confirmed
// without a human) and cancels every file or folder question.
Prompts& CurrentPrompts();

// Installs prompts that outlive their use (not owned); nullptr restores the silent stand-in.
void InstallPrompts(Prompts* prompts);
