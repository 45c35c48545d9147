#pragma once

#include <QString>

// What the join job needs of the window that runs it. The main window
// implements it; the job never reaches for widgets itself.
class JobHost {
public:
    virtual ~JobHost() = default;

    // The output file box: the job may append the profile's extension.
    virtual QString outputFileText() const = 0;
    virtual void setOutputFileText(const QString& text) = 0;
    // The display name selected in the profile list (empty when none).
    virtual QString profileName() const = 0;

    virtual void focusTaskList() = 0;
    virtual void focusOutputFile() = 0;

    // Disables everything that could change the job's inputs and enables Stop;
    // UnlockControls does the reverse.
    virtual void LockControls() = 0;
    virtual void UnlockControls() = 0;

    // Closes the main window the normal way (which stores the preferences) and
    // so ends the program.
    virtual void closeMainWindow() = 0;
};
