#pragma once

#include "app/programInfo.h"
#include "shell/preferences.h"

class Prompter;

// What the settings dialog does with the preferences in force, without the
// widgets: the dialog's controls show and edit the one Preferences object, and
// this class takes the snapshot on show, stores on OK, puts the snapshot back
// on Cancel and loads the defaults.
class SettingsSession final {
public:
    SettingsSession(Preferences& inForce, ProgramInfo info, Prompter& prompter)
        : m_values(inForce), m_info(std::move(info)), m_prompter(prompter) {}

    Preferences& values() { return m_values; }
    const Preferences& snapshot() const { return m_snapshot; }

    // Showing: the output file comes from the main window, then the values as
    // they now stand become the snapshot.
    void begin(const QString& mainOutputFile);

    // OK: writes all eight keys; false (already reported) when one could not be written.
    bool store();

    // Cancel: the snapshot comes back, the overwrite choice through the radio rule.
    void restore();

    // Load Default: asks first; on Yes the [Default] values replace the edited
    // ones (the temp folder stays). Nothing is written. False when declined.
    bool loadDefault();

private:
    Preferences& m_values;
    ProgramInfo m_info;
    Prompter& m_prompter;
    Preferences m_snapshot;
};
