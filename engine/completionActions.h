#pragma once

#include <QString>

class DesktopOpener;
class PowerOff;
class Prompter;
struct Preferences;

enum class CompletionResult {
    ProgramCloses, // power-off requested or exit chosen: the main window is to close
    Reported,      // the success message was shown; the program stays open
};

// What happens after a job has completed, the first matching rule only:
// switch the computer off; else exit; else report the success and, when asked
// for, open the output file's folder.
CompletionResult RunCompletionActions(const Preferences& preferences, const QString& outputFileText,
                                      Prompter& prompter, DesktopOpener& opener,
                                      PowerOff& powerOff);
