// Shows the settings or the About dialog over a stand-in main window, for the
// screenshots in docs/ (see takeScreenshots.sh). Prints the dialog's window id
// and stays until it is killed.
#include "shell/aboutForm.h"
#include "shell/folderChooser.h"
#include "shell/iniFile.h"
#include "shell/settingForm.h"
#include "shell/systemDesktopOpener.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("settings");

    // A fresh application folder holding the shipped Preferences.ini.
    QTemporaryDir appDir;
    QFile::copy(QStringLiteral(CORVANE_SOURCE_DIR "/resources/preferences/Preferences.ini"),
                appDir.filePath(QStringLiteral("Preferences.ini")));
    // A temp folder as a person would see it, instead of the random test folder.
    IniFile(appDir.filePath(QStringLiteral("Preferences.ini")))
        .writeString(QStringLiteral("Main"), QStringLiteral("Temp Dir"),
                     QStringLiteral("/home/alex/Corvane/temp/"));
    const ProgramInfo info = ProgramInfo::forAppDir(appDir.path());

    QLabel mainWindow(info.caption());
    mainWindow.setWindowTitle(info.caption());
    mainWindow.setAlignment(Qt::AlignCenter);
    mainWindow.setGeometry(112, 113, 798, 542);
    mainWindow.show();

    Preferences inForce;
    QLineEdit mainOutputFile(QStringLiteral("/home/alex/Videos/holiday-2009.avi"));
    SettingFormLinks links;
    links.mainOutputFile = [&] { return mainOutputFile.text(); };
    links.setMainOutputFile = [&](const QString& text) { mainOutputFile.setText(text); };
    DialogFolderChooser folders;
    TSettingForm settings(inForce, info, &mainWindow, links, folders);
    SystemDesktopOpener opener;
    TAboutForm about(info, opener, &mainWindow);

    QDialog& shown = which == QLatin1String("about") ? static_cast<QDialog&>(about)
                                                     : static_cast<QDialog&>(settings);
    shown.show();
    std::printf("0x%llx\n", static_cast<unsigned long long>(shown.winId()));
    std::fflush(stdout);
    return app.exec();
}
