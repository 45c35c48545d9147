// Starts Corvane over a fresh application folder and opens the settings or
// the About dialog from the main window's tool bar, for the screenshots in
// docs/ (see takeScreenshots.sh). Prints the dialog's window id and stays
// until it is killed.
#include "app/corvaneApp.h"
#include "app/mainForm.h"
#include "app/shellWindows.h"
#include "shell/aboutForm.h"
#include "shell/iniFile.h"
#include "shell/settingForm.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const bool about = argc > 1 && QString::fromLocal8Bit(argv[1]) == QLatin1String("about");

    QTemporaryDir appDir;
    const QString prefs = appDir.filePath(QStringLiteral("Preferences.ini"));
    QFile::copy(QStringLiteral(CORVANE_SOURCE_DIR "/resources/preferences/Preferences.ini"), prefs);
    // Values as a person would see them, instead of the random test folder.
    IniFile ini(prefs);
    ini.writeString(QStringLiteral("Main"), QStringLiteral("Temp Dir"),
                    QStringLiteral("/home/alex/Corvane/temp/"));
    ini.writeString(QStringLiteral("Main"), QStringLiteral("Output File"),
                    QStringLiteral("/home/alex/Videos/holiday-2009.avi"));

    CorvaneApp corvane(appDir.path(), {});
    corvane.show();
    TMainForm& form = corvane.mainForm();
    (about ? form.tbtnAbout() : form.tbtnSetting())->click();
    QWidget& shown = about ? static_cast<QWidget&>(corvane.shellWindows().aboutForm())
                           : static_cast<QWidget&>(corvane.shellWindows().settingForm());
    std::printf("0x%llx\n", static_cast<unsigned long long>(shown.winId()));
    std::fflush(stdout);
    const int result = app.exec();
    return result;
}
