#pragma once

#include "app/programInfo.h"

class DesktopOpener;

// The main window's Help button: the help file goes to the desktop's viewer. A
// missing file or viewer is not reported; the desktop shows what it can.
void OpenHelp(const ProgramInfo& info, DesktopOpener& opener);

// The main window's logo and maker label: the project's web page.
void OpenMakerPage(const ProgramInfo& info, DesktopOpener& opener);

// The pages of Corvane's own project that the About dialog links to.
struct ProjectPage {
    QString caption;
    QString address;
};
QList<ProjectPage> ProjectPages(const ProgramInfo& info);
