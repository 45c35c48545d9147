#pragma once

#include "app/fileDialogs.h"
#include "shell/folderChooser.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

// Answers the open and save dialogs in tests and records who asked.
class FakeFileDialogs final : public FileDialogs {
public:
    QList<QStringList> openAnswers; // taken from the front; empty list = cancel
    QStringList saveAnswers;        // taken from the front; empty text = cancel
    int openCalls = 0;
    int saveCalls = 0;
    QPointer<QWidget> lastOwner;

    QStringList openVideoFiles(QWidget* owner) override {
        ++openCalls;
        lastOwner = owner;
        return openAnswers.isEmpty() ? QStringList() : openAnswers.takeFirst();
    }
    QString saveOutputFile(QWidget* owner) override {
        ++saveCalls;
        lastOwner = owner;
        return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
    }
};

// Answers the folder chooser: the next queued folder, or a cancel when none.
class FakeFolderChooser final : public FolderChooser {
public:
    QStringList answers;
    QStringList titles;
    QPointer<QWidget> lastOwner;

    bool ChooseFolder(QWidget* owner, const QString& title, const QString& /*root*/,
                      QString& path) override {
        titles << title;
        lastOwner = owner;
        if (answers.isEmpty())
            return false;
        path = answers.takeFirst();
        return true;
    }
};
