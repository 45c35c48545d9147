#pragma once

#include "shell/prompter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Answers message boxes in tests and records what was shown.
class FakePrompter final : public Prompter {
public:
    enum class Kind { Information, Question, Error, Plain };
    struct Message {
        Kind kind;
        QString caption;
        QString text;
    };

    QList<Message> messages;
    QList<bool> answers;      // answers to questions, taken from the front
    bool defaultAnswer = true; // when no answer is queued
    // Called after each message is recorded, e.g. to look at the windows while a box "is open".
    std::function<void(const Message&)> onMessage;

    void information(const QString& caption, const QString& text) override {
        record(Kind::Information, caption, text);
    }
    bool question(const QString& caption, const QString& text) override {
        record(Kind::Question, caption, text);
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }
    void error(const QString& caption, const QString& text) override {
        record(Kind::Error, caption, text);
    }
    void plain(const QString& caption, const QString& text) override {
        record(Kind::Plain, caption, text);
    }

    QStringList texts() const {
        QStringList all;
        for (const Message& m : messages)
            all << m.text;
        return all;
    }
    QStringList captions() const {
        QStringList all;
        for (const Message& m : messages)
            all << m.caption;
        return all;
    }

private:
    void record(Kind kind, const QString& caption, const QString& text) {
        messages.append({kind, caption, text});
        if (onMessage)
            onMessage(messages.last());
    }
};
