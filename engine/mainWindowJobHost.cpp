#include "engine/mainWindowJobHost.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// The controls a job locks: they could change its inputs while it runs.
const char* const LockedControls[] = {"tbtnAddFile", "tbtnAddDir",  "tbtnUp",
                                      "tbtnDown",    "tbtnRemove",  "tbtnClear",
                                      "tbtnStart",   "tbtnSetting", "ltvTask"};

} // namespace

QString MainWindowJobHost::outputFileText() const {
    const auto* box = m_window->findChild<QLineEdit*>(QStringLiteral("edtOutputFile"));
    return box ? box->text() : QString();
}

void MainWindowJobHost::setOutputFileText(const QString& text) {
    if (auto* box = m_window->findChild<QLineEdit*>(QStringLiteral("edtOutputFile")))
        box->setText(text);
}

QString MainWindowJobHost::profileName() const {
    const auto* list = m_window->findChild<QComboBox*>(QStringLiteral("cmbProfile"));
    return list ? list->currentText() : QString();
}

void MainWindowJobHost::focusTaskList() {
    if (auto* list = m_window->findChild<QWidget*>(QStringLiteral("ltvTask")))
        list->setFocus();
}

void MainWindowJobHost::focusOutputFile() {
    if (auto* box = m_window->findChild<QWidget*>(QStringLiteral("edtOutputFile")))
        box->setFocus();
}

void MainWindowJobHost::setControlsEnabled(bool enabled) {
    // Tool buttons may be widgets or actions; both carry "enabled".
    for (const char* name : LockedControls)
        for (QObject* control : m_window->findChildren<QObject*>(QLatin1String(name)))
            control->setProperty("enabled", enabled);
    for (QObject* stop : m_window->findChildren<QObject*>(QStringLiteral("tbtnStop")))
        stop->setProperty("enabled", !enabled);
}

void MainWindowJobHost::LockControls() {
    setControlsEnabled(false);
}

void MainWindowJobHost::UnlockControls() {
    setControlsEnabled(true);
}

void MainWindowJobHost::closeMainWindow() {
    if (m_window)
        m_window->close();
}
