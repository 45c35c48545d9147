#pragma once

#include <QString>

// The overwrite choice: at most one of the three radio buttons is selected, and
// none may be.
enum class OverwritePolicy { None, Ask, Overwrite, Rename };

// The preferences in force, from start-up on. The settings dialog shows and
// edits them; the join job and the completion actions read them when needed.
struct Preferences {
    QString outputFile;       // [Main] "Output File"
    QString tempDir;          // [Main] "Temp Dir"; AppDir + "temp/" on a first run
    bool openDir = true;      // [Main] "Auto Open Dir"
    bool exitProgram = false; // [Main] "Auto Exit"
    bool turnOff = false;     // [Main] "Auto Turn Off"
    OverwritePolicy overwrite = OverwritePolicy::Ask; // [Main] "Ask", "Overwrite", "Rename"
};
