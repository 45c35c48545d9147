#include "app/corvaneApp.h"
#include "app/shellWindows.h"
#include "shell/aboutForm.h"
#include "shell/settingForm.h"
#include "tests/app/mainFormFixture.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The real main window with the shell's windows wired to it.
struct Fixture {
    MainFormFixture main;
    Preferences preferences;
    FakePrompter settingsPrompter;
    std::unique_ptr<ShellWindows> shell;

    explicit Fixture(const QByteArray& stored = QByteArray(), int profiles = 3) {
        if (!stored.isEmpty())
            main.appDir.writeFile(QStringLiteral("Preferences.ini"), stored);
        for (int i = 0; i < profiles; ++i)
            main.form->cmbProfile()->addItem(QStringLiteral("Profile %1").arg(i));
        shell = std::make_unique<ShellWindows>(*main.form, main.appDir.info(), preferences,
                                               main.prompter, main.opener, main.fileDialogs,
                                               main.folderChooser, &settingsPrompter);
    }
    TMainForm& form() const { return *main.form; }
    void show() const {
        main.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(main.form.get()));
    }
    QString prefsPath() const { return main.appDir.filePath(QStringLiteral("Preferences.ini")); }
    template <typename T> T* settingsControl(const char* name) const {
        return shell->settingForm().findChild<T*>(QLatin1String(name));
    }
};

} // namespace

class TestShellWindows final : public QObject {
    Q_OBJECT
private slots:
    void firstShowRestoresProfileAndOutputFile_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("outputFile");
        QTest::newRow("first run: the first profile, empty output") << QByteArray() << 0 << "";
        QTest::newRow("stored position and file")
            << QByteArray("[Main]\nProfile=2\nOutput File=/v/joined.avi\n") << 2 << "/v/joined.avi";
        QTest::newRow("7 of three profiles selects nothing")
            << QByteArray("[Main]\nProfile=7\n") << -1 << "";
    }
    void firstShowRestoresProfileAndOutputFile() {
        QFETCH(QByteArray, stored);
        QFETCH(int, selected);
        QFETCH(QString, outputFile);
        Fixture f(stored);
        f.form().cmbProfile()->setCurrentIndex(-1);
        QSignalSpy changed(&f.form(), &TMainForm::profileChanged);
        f.show();
        QCOMPARE(f.form().cmbProfile()->currentIndex(), selected);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toInt(), selected);
        QCOMPARE(f.form().edtOutputFile()->text(), outputFile);
    }

    // The whole program: the stored position loads that profile into the
    // encoding choices, and closing stores the position again.
    void wholeProgramRemembersTheProfile_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("second profile") << 1 << true;
        QTest::newRow("position beyond the list") << 99 << false;
    }
    void wholeProgramRemembersTheProfile() {
        QFETCH(int, stored);
        QFETCH(bool, loaded);
        TestAppDir dir;
        QVERIFY(dir.installShippedProfiles());
        dir.writeFile(QStringLiteral("Preferences.ini"),
                      "[Main]\nProfile=" + QByteArray::number(stored) + "\nOutput File=/v/x.avi\n");
        {
            CorvaneApp app(dir.path(), {});
            QComboBox* profiles = app.mainForm().cmbProfile();
            QVERIFY(profiles->count() > 2);
            app.show();
            QVERIFY(QTest::qWaitForWindowExposed(&app.mainForm()));
            QCOMPARE(app.mainForm().edtOutputFile()->text(), QStringLiteral("/v/x.avi"));
            if (loaded) {
                QCOMPARE(profiles->currentIndex(), stored);
                QVERIFY(app.encodingChoices().profilePath.endsWith(profiles->currentText() +
                                                                   QStringLiteral(".bpf")));
            } else {
                QCOMPARE(profiles->currentIndex(), -1);
                QCOMPARE(app.encodingChoices().profilePath, QString());
            }
            app.mainForm().close();
        }
        QVERIFY(contentOf(dir.filePath(QStringLiteral("Preferences.ini")))
                    .contains(
                        QByteArray("Profile=" + QByteArray::number(loaded ? stored : -1) + "\n")));
    }

    void withoutProfilesNothingIsApplied() {
        Fixture f(QByteArray("[Main]\nProfile=0\n"), 0);
        QSignalSpy changed(&f.form(), &TMainForm::profileChanged);
        f.show();
        QCOMPARE(changed.count(), 0);
    }

    void closingStoresProfileAndOutputFile() {
        Fixture f;
        f.show();
        f.form().cmbProfile()->setCurrentIndex(1);
        f.form().edtOutputFile()->setText(QStringLiteral("/v/out put.mp4"));
        f.form().close();
        QCOMPARE(contentOf(f.prefsPath()),
                 QByteArray("[Main]\nProfile=1\nOutput File=/v/out put.mp4\n"));
        QVERIFY(f.main.prompter.messages.isEmpty());
    }

    void helpAndMakerPage() {
        Fixture f;
        f.show();
        QTest::mouseClick(f.form().tbtnHelp(), Qt::LeftButton);
        QCOMPARE(f.main.opener.paths,
                 QStringList{f.main.appDir.path() + QStringLiteral("CorvaneHelp.chm")});
        emit f.form().makerPageRequested();
        QCOMPARE(f.main.opener.addresses,
                 QStringList{QStringLiteral("https://corvane.example.org/")});
    }

    void aboutFromTheToolBar() {
        Fixture f;
        f.show();
        QTest::mouseClick(f.form().tbtnAbout(), Qt::LeftButton);
        QVERIFY(f.shell->aboutForm().isVisible());
        QVERIFY(!f.form().isEnabled());
        QVERIFY(f.shell->aboutForm().close());
        QVERIFY(f.form().isEnabled());
    }

    void settingsFromTheToolBar() {
        Fixture f(QByteArray("[Main]\nOutput File=/v/stored.avi\n"));
        f.show();
        QTest::mouseClick(f.form().tbtnSetting(), Qt::LeftButton);
        TSettingForm& settings = f.shell->settingForm();
        QVERIFY(settings.isVisible());
        QVERIFY(!f.form().isEnabled());
        QCOMPARE(f.settingsControl<QLineEdit>("edtOutputFile")->text(),
                 QStringLiteral("/v/stored.avi"));
        // The output file browse runs the main window's save dialog, owned by the settings dialog.
        f.main.fileDialogs.saveAnswers = {QStringLiteral("/v/chosen.mp4")};
        QTest::mouseClick(f.settingsControl<QToolButton>("SpeedButton1"), Qt::LeftButton);
        QCOMPARE(f.main.fileDialogs.saveCalls, 1);
        QCOMPARE(f.main.fileDialogs.lastOwner.data(), &settings);
        f.main.folderChooser.answers = {QStringLiteral("/data")};
        QTest::mouseClick(f.settingsControl<QToolButton>("SpeedButton2"), Qt::LeftButton);
        QCOMPARE(f.main.folderChooser.titles,
                 QStringList{QStringLiteral("Select the output directory.")});
        QTest::mouseClick(f.settingsControl<QPushButton>("btnOK"), Qt::LeftButton);
        QVERIFY(!settings.isVisible());
        QVERIFY(f.form().isEnabled());
        QCOMPARE(f.form().edtOutputFile()->text(), QStringLiteral("/v/chosen.mp4"));
        QCOMPARE(f.preferences.tempDir, QStringLiteral("/data/"));
        QVERIFY(contentOf(f.prefsPath()).contains("Temp Dir=/data/\n"));
    }
};

QTEST_MAIN(TestShellWindows)
#include "test_shellWindows.moc"
