#include "engine/completionActions.h"

#include "app/programInfo.h"
#include "engine/powerOff.h"
#include "shell/desktopOpener.h"
#include "shell/preferences.h"
#include "shell/prompter.h"

CompletionResult RunCompletionActions(const Preferences& preferences, const QString& outputFileText,
                                      Prompter& prompter, DesktopOpener& opener,
                                      PowerOff& powerOff) {
    if (preferences.turnOff) {
        // The request only starts the shutdown; the program closes its window
        // meanwhile, so its preferences are stored.
        powerOff.powerOff();
        return CompletionResult::ProgramCloses;
    }
    if (preferences.exitProgram)
        return CompletionResult::ProgramCloses;
    prompter.information(QStringLiteral("Complete"),
                         QStringLiteral("The joining is completed successfully."));
    // The folder of the output box, which is also where a renamed output went.
    if (preferences.openDir)
        opener.openPath(FolderPart(outputFileText));
    return CompletionResult::Reported;
}
