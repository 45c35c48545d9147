#pragma once

#include "app/programInfo.h"
#include "shell/preferences.h"

#include <QString>

class Prompter;

// Preferences.ini in the application folder: the one place that knows its
// sections, keys and defaults. Every key is read and written on its own, so a
// failed write leaves the keys written before it in place.

// The three stored flags of the overwrite choice.
struct OverwriteFlags {
    bool ask = false;
    bool overwrite = false;
    bool rename = false;
};
OverwriteFlags FlagsOf(OverwritePolicy policy);

// Applies the flags to the radio group in the order Ask, Overwrite, Rename: a
// true flag selects its button and clears the other two, a false flag clears
// only its own button. So the last true flag wins and no true flag leaves the
// group without a selection, whatever it showed before.
OverwritePolicy ApplyOverwriteFlags(OverwritePolicy current, const OverwriteFlags& flags);

// The eight [Main] keys of the settings dialog, with first-run defaults
// (temp folder AppDir + "temp/", open the output folder, ask before replacing).
Preferences ReadPreferences(const ProgramInfo& info);

// Load Default: the [Default] section over the values in force. The temp
// folder has no default and stays as it is; nothing is written.
Preferences ReadDefaultPreferences(const ProgramInfo& info, const Preferences& current);

// Writes the eight [Main] keys of the settings dialog, changed or not. The
// first key that cannot be written is reported through the prompter as
// "Unable to write to <full path>" and the remaining keys are skipped.
bool WritePreferences(const ProgramInfo& info, const Preferences& values, Prompter& prompter);

// What the main window remembers from one run to the next.
struct MainPreferences {
    int profile = 0;    // position in the profile list; -1 when none was selected
    QString outputFile; // the main window's output file box
};
MainPreferences ReadMainPreferences(const ProgramInfo& info);
// Writes "Profile", then "Output File"; a failure is reported as above.
bool WriteMainPreferences(const ProgramInfo& info, const MainPreferences& values,
                          Prompter& prompter);
