#pragma once

#include "app/programInfo.h"

#include <functional>

class Prompter;
class QComboBox;
class QLineEdit;

// The main window's first show: when the profile list has entries, the stored
// position is selected (a position outside the list selects nothing) and the
// profile change runs once, just as after a person's choice; then the stored
// output file replaces the box's text.
void RestoreMainWindowPreferences(const ProgramInfo& info, QComboBox& profiles,
                                  QLineEdit& outputFile,
                                  const std::function<void()>& profileChange);

// The main window closing: the selected position (-1 for none) and the output
// file are stored; a failure is reported through the prompter.
bool StoreMainWindowPreferences(const ProgramInfo& info, const QComboBox& profiles,
                                const QLineEdit& outputFile, Prompter& prompter);
