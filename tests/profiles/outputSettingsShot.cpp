// Shows the Output Settings dialog over the first shipped profile, styled as
// the program styles it, for the screenshot in docs/. Prints the window id,
// then quits by itself after a few seconds.
#include "app/corvaneResources.h"
#include "profiles/encodingChoices.h"
#include "profiles/outputSettingsForm.h"
#include "profiles/profileCatalogue.h"
#include "shell/messageBoxPrompter.h"

#include "tests/support/testAppDir.h"

#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ApplyCorvaneStyle(app);
    const QString folder = TestAppDir::buildAppDir() + QStringLiteral("Profiles/");
    EncodingChoices choices;
    MessageBoxPrompter prompter(nullptr);
    TopSettingForm dialog(choices, prompter);
    ApplyChosenProfile(choices, folder, ProfileCatalogue(folder).value(0));
    dialog.show();
    dialog.activateWindow();
    dialog.settingBox(SettingBox::Vbitrate)->setFocus();
    QTimer::singleShot(500, [&dialog] {
        std::printf("0x%llx\n", static_cast<unsigned long long>(dialog.winId()));
        std::fflush(stdout);
    });
    QTimer::singleShot(8000, &app, &QApplication::quit);
    return app.exec();
}
