#include "shell/messageBoxPrompter.h"

#include <QMessageBox>

namespace {

int show(QWidget* owner, QMessageBox::Icon icon, const QString& caption, const QString& text,
         QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, caption, text, buttons, owner);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

} // namespace

void MessageBoxPrompter::information(const QString& caption, const QString& text) {
    show(m_owner, QMessageBox::Information, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageBoxPrompter::question(const QString& caption, const QString& text) {
    return show(m_owner, QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes) == QMessageBox::Yes;
}

void MessageBoxPrompter::error(const QString& caption, const QString& text) {
    show(m_owner, QMessageBox::Critical, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBoxPrompter::plain(const QString& caption, const QString& text) {
    show(m_owner, QMessageBox::NoIcon, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}
