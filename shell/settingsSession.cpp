#include "shell/settingsSession.h"

#include "shell/preferencesFile.h"
#include "shell/prompter.h"

void SettingsSession::begin(const QString& mainOutputFile) {
    m_values.outputFile = mainOutputFile;
    m_snapshot = m_values;
}

bool SettingsSession::store() {
    return WritePreferences(m_info, m_values, m_prompter);
}

void SettingsSession::restore() {
    m_values.outputFile = m_snapshot.outputFile;
    m_values.tempDir = m_snapshot.tempDir;
    m_values.openDir = m_snapshot.openDir;
    m_values.exitProgram = m_snapshot.exitProgram;
    m_values.turnOff = m_snapshot.turnOff;
    m_values.overwrite = ApplyOverwriteFlags(m_values.overwrite, FlagsOf(m_snapshot.overwrite));
}

bool SettingsSession::loadDefault() {
    if (!m_prompter.question(QStringLiteral("Load Default"),
                             QStringLiteral("Are you sure to load the default preferences?")))
        return false;
    m_values = ReadDefaultPreferences(m_info, m_values);
    return true;
}
