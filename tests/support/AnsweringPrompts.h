#pragma once

#include "platform/Prompts.h"

#include <QString>

#include <deque>
#include <optional>
#include <vector>

// Stands in for the person in front of the window while it is installed: keeps every message
// it is shown and answers the file and folder questions from queues the test fills. An empty
// queue answers as a user who cancels.
class AnsweringPrompts : public Prompts {
public:
    struct Message {
        QString text;
        QString caption;
        PromptButtons buttons;
    };

    AnsweringPrompts() { InstallPrompts(this); }
    ~AnsweringPrompts() override { InstallPrompts(nullptr); }

    PromptAnswer ShowMessage(const QString& text, const QString& caption, PromptButtons buttons,
                             PromptIcon) override {
        messages.push_back({text, caption, buttons});
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : messageAnswer;
    }
    QString AskSaveFile(const SaveFileQuestion& question) override {
        saveQuestions.push_back(question);
        return Next(saveFiles);
    }
    QString AskFolder(const QString& title, const QString& initialFolder) override {
        folderQuestions.push_back({title, initialFolder});
        return Next(folders);
    }
    QString AskOpenFile(const QString& title) override {
        openFileTitles.push_back(title);
        return Next(openFiles);
    }
    bool AskMediaToOpen(MediaOpenAnswer& answer) override {
        ++mediaQuestions;
        if (mediaAnswers.empty())
            return false;
        answer = mediaAnswers.front();
        mediaAnswers.pop_front();
        return true;
    }

    // The answer to boxes that offer OK and Cancel.
    PromptAnswer messageAnswer = PromptAnswer::Ok;
    std::deque<QString> saveFiles;
    std::deque<QString> folders;
    std::deque<QString> openFiles;
    std::deque<MediaOpenAnswer> mediaAnswers;

    std::vector<Message> messages;
    std::vector<SaveFileQuestion> saveQuestions;
    struct FolderQuestion {
        QString title;
        QString initialFolder;
    };
    std::vector<FolderQuestion> folderQuestions;
    std::vector<QString> openFileTitles;
    int mediaQuestions = 0;

private:
    static QString Next(std::deque<QString>& answers) {
        if (answers.empty())
            return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
