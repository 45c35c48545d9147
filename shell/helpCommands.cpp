#include "shell/helpCommands.h"

#include "shell/desktopOpener.h"

void OpenHelp(const ProgramInfo& info, DesktopOpener& opener) {
    opener.openPath(info.helpFilePath);
}

void OpenMakerPage(const ProgramInfo& info, DesktopOpener& opener) {
    opener.openAddress(info.webAddress);
}

QList<ProjectPage> ProjectPages(const ProgramInfo& info) {
    const QString site = AddBackslash(info.webAddress);
    return {
        {QStringLiteral("Corvane downloads and release notes"), site + QStringLiteral("download/")},
        {QStringLiteral("Corvane user guide"), site + QStringLiteral("docs/")},
        {QStringLiteral("Writing your own output profiles"), site + QStringLiteral("profiles/")},
    };
}
