#pragma once

#include "shell/prompter.h"

#include <QPointer>
#include <QWidget>

// Shows each message as a QMessageBox owned by the given window.
class MessageBoxPrompter final : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* owner) : m_owner(owner) {}

    void information(const QString& caption, const QString& text) override;
    bool question(const QString& caption, const QString& text) override;
    void error(const QString& caption, const QString& text) override;
    void plain(const QString& caption, const QString& text) override;

private:
    QPointer<QWidget> m_owner;
};
