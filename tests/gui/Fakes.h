#pragma once

#include "app/FileDialogs.h"
#include "app/MessageSink.h"

#include <QList>
#include <QStringList>
#include <deque>

// Message boxes that record their texts; questions get the scripted answer.
class FakeMessageSink : public velutra::MessageSink {
public:
    void ShowError(const QString& text) override { errors.append(text); }
    bool AskYesNo(const QString& text) override {
        questions.append(text);
        return answerYes;
    }

    QStringList errors;
    QStringList questions;
    bool answerYes = true;
};

// File dialogs that answer from a script and record what they were asked. An empty answer, or
// none left, is a cancel.
class FakeFileDialogs : public velutra::FileDialogs {
public:
    std::optional<QString> OpenFile(const velutra::FileDialogRequest& request) override {
        return Answer(request);
    }
    std::optional<QString> SaveFile(const velutra::FileDialogRequest& request) override {
        return Answer(request);
    }

    std::deque<QString> answers;
    QList<velutra::FileDialogRequest> requests;

private:
    std::optional<QString> Answer(const velutra::FileDialogRequest& request) {
        requests.append(request);
        if (answers.empty())
            return std::nullopt;
        const QString answer = answers.front();
        answers.pop_front();
        if (answer.isEmpty())
            return std::nullopt;
        return answer;
    }
};
