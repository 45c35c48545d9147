#include "shell/mainWindowPreferences.h"

#include "shell/preferencesFile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

void RestoreMainWindowPreferences(const ProgramInfo& info, QComboBox& profiles,
                                  QLineEdit& outputFile,
                                  const std::function<void()>& profileChange) {
    const MainPreferences stored = ReadMainPreferences(info);
    if (profiles.count() > 0) {
        const int position =
            stored.profile >= 0 && stored.profile < profiles.count() ? stored.profile : -1;
        {
            // The change handling runs exactly once below, whether or not the
            // selection moved, so the list's own signal must not run it too.
            const QSignalBlocker quiet(profiles);
            profiles.setCurrentIndex(position);
        }
        if (profileChange)
            profileChange();
    }
    outputFile.setText(stored.outputFile);
}

bool StoreMainWindowPreferences(const ProgramInfo& info, const QComboBox& profiles,
                                const QLineEdit& outputFile, Prompter& prompter) {
    return WriteMainPreferences(info, {profiles.currentIndex(), outputFile.text()}, prompter);
}
