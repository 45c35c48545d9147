#include "shell/folderChooser.h"
#include "shell/settingForm.h"
#include "tests/shell/readOnlyFolder.h"
#include "tests/support/fakePrompter.h"
#include "tests/support/testAppDir.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Stands in for the person choosing a folder, and records how it was asked.
struct ChoosingPerson final : FolderChooser {
    std::optional<QString> answer;
    QWidget* owner = nullptr;
    QString title;
    QString root = QStringLiteral("<unset>");
    QString initialPath = QStringLiteral("<unset>");

    bool ChooseFolder(QWidget* ownerWindow, const QString& titleText, const QString& rootFolder,
                      QString& path) override {
        owner = ownerWindow;
        title = titleText;
        root = rootFolder;
        initialPath = path;
        if (!answer)
            return false;
        path = *answer;
        return true;
    }
};

// The main window as the settings dialog sees it: a real window with an
// output file box and a save dialog whose answer the test sets.
struct MainWindowStub {
    QWidget window;
    QLineEdit* outputFile = new QLineEdit(&window);
    std::optional<QString> saveDialogAnswer;
    int saveDialogRuns = 0;
    QWidget* saveDialogOwner = nullptr;
    ChoosingPerson folders;

    MainWindowStub() {
        window.setGeometry(100, 80, 798, 542);
        window.show();
    }

    SettingFormLinks links() {
        SettingFormLinks links;
        links.mainOutputFile = [this] { return outputFile->text(); };
        links.setMainOutputFile = [this](const QString& text) { outputFile->setText(text); };
        links.browseOutputFile = [this](QWidget* owner) {
            ++saveDialogRuns;
            saveDialogOwner = owner;
            return saveDialogAnswer;
        };
        return links;
    }
};

// One dialog over one temporary application folder.
struct Fixture {
    TestAppDir dir;
    MainWindowStub main;
    FakePrompter prompter;
    Preferences inForce;
    std::unique_ptr<TSettingForm> form;

    explicit Fixture(const QByteArray& preferences = QByteArray()) {
        if (!preferences.isNull())
            dir.writeFile(QStringLiteral("Preferences.ini"), preferences);
        create();
    }
    // Start-up: the dialog loads the file when it is created.
    void create() {
        inForce = Preferences{};
        form = std::make_unique<TSettingForm>(inForce, dir.info(), &main.window, main.links(),
                                              main.folders, &prompter);
    }
    QString prefsPath() const { return dir.filePath(QStringLiteral("Preferences.ini")); }
    QByteArray file() const { return contentOf(prefsPath()); }

    template <typename T> T* control(const char* name) const {
        T* widget = form->findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QLineEdit* edit(const char* name) const { return control<QLineEdit>(name); }
    bool checked(const char* name) const { return control<QAbstractButton>(name)->isChecked(); }
    // Clicks near the left edge: a check box or radio button reacts only on
    // its indicator and caption, not on the blank rest of its row.
    void click(const char* name) const {
        QAbstractButton* button = control<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void show() const {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    // What the dialog shows, in one comparable text.
    QString shown() const {
        QStringList parts{edit("edtOutputFile")->text(), edit("edtTempDir")->text()};
        for (const char* name :
             {"chkOpenDir", "chkExit", "chkTurnoff", "rdbAsk", "rdbOverWrite", "rdbRename"})
            parts << QString::number(checked(name));
        return parts.join(QLatin1Char('|'));
    }
};

const QByteArray Edited = "[Main]\n"
                          "Output File=/videos/stored.avi\n"
                          "Temp Dir=/scratch/\n"
                          "Auto Open Dir=0\n"
                          "Auto Exit=1\n"
                          "Auto Turn Off=0\n"
                          "Ask=0\n"
                          "Overwrite=0\n"
                          "Rename=1\n";

} // namespace

class TestSettingForm final : public QObject {
    Q_OBJECT
private slots:
    void controlsAndCaptions_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("chkOpenDir") << "chkOpenDir"
                                    << "Open the output directory when the task is completed. ";
        QTest::newRow("chkExit") << "chkExit"
                                 << "Exit the program when the task is completed.";
        QTest::newRow("chkTurnoff") << "chkTurnoff"
                                    << "Turn off the computer when the task is completed.";
        QTest::newRow("rdbAsk") << "rdbAsk"
                                << "Ask me.";
        QTest::newRow("rdbOverWrite") << "rdbOverWrite"
                                      << "Overwrite";
        QTest::newRow("rdbRename") << "rdbRename"
                                   << "Not overwrite (Rename to <Filename> + Index";
        QTest::newRow("btnDefault") << "btnDefault"
                                    << "&Load Default";
        QTest::newRow("btnOK") << "btnOK"
                               << "&OK";
        QTest::newRow("btnCancel") << "btnCancel"
                                   << "&Cancel";
        QTest::newRow("SpeedButton1") << "SpeedButton1"
                                      << "";
        QTest::newRow("SpeedButton2") << "SpeedButton2"
                                      << "";
    }
    void controlsAndCaptions() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        Fixture f;
        QCOMPARE(f.control<QAbstractButton>(name.toLatin1().constData())->text(), caption);
    }

    void dialogFrame() {
        Fixture f;
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(f.control<QGroupBox>("gpbOverWrite")->title(),
                 QStringLiteral("Output File Overwrite"));
        QCOMPARE(f.edit("edtOutputFile")
                     ->parentWidget()
                     ->findChild<QLabel*>(QStringLiteral("labOutputFile"))
                     ->text(),
                 QStringLiteral("Default Output File:"));
        QCOMPARE(f.form->findChild<QLabel*>(QStringLiteral("labTempDir"))->text(),
                 QStringLiteral("Temp Folder:"));
        f.show();
        // The radio buttons sit in their group, top to bottom.
        const auto* group = f.control<QGroupBox>("gpbOverWrite");
        QCOMPARE(f.control<QRadioButton>("rdbAsk")->parentWidget(), group);
        QVERIFY(f.control<QRadioButton>("rdbAsk")->y() <
                f.control<QRadioButton>("rdbOverWrite")->y());
        QVERIFY(f.control<QRadioButton>("rdbOverWrite")->y() <
                f.control<QRadioButton>("rdbRename")->y());
        QCOMPARE(f.form->minimumSize(), f.form->maximumSize()); // fixed size
        const QPoint offset =
            f.form->frameGeometry().center() - f.main.window.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 4, "centred on the main window");
    }

    void firstRunShowsDefaults() {
        Fixture f;
        f.show();
        QCOMPARE(f.shown(), QLatin1Char('|') + f.dir.path() + QStringLiteral("temp/|1|0|0|1|0|0"));
    }

    void showingDisablesMainAndTakesItsOutputFile() {
        Fixture f(Edited);
        f.main.outputFile->setText(QStringLiteral("/from/main.mp4"));
        f.show();
        QVERIFY(!f.main.window.isEnabled());
        QCOMPARE(f.edit("edtOutputFile")->text(), QStringLiteral("/from/main.mp4"));
        QCOMPARE(f.inForce.outputFile, QStringLiteral("/from/main.mp4"));
        QCOMPARE(f.shown(), QStringLiteral("/from/main.mp4|/scratch/|0|1|0|0|0|1"));
    }

    void editsAreTheValuesInForce() {
        Fixture f;
        f.show();
        QTest::keyClicks(f.edit("edtTempDir"), QStringLiteral("x"));
        f.click("chkTurnoff");
        f.click("rdbRename");
        QCOMPARE(f.inForce.tempDir, f.dir.path() + QStringLiteral("temp/x"));
        QVERIFY(f.inForce.turnOff);
        QCOMPARE(f.inForce.overwrite, OverwritePolicy::Rename);
    }

    void okWithoutChangesWritesAllEightKeys() {
        Fixture f("; mine\n[Main]\nVersion=1.5\nProfile=2\n\n[Default]\nAsk=1\n");
        f.main.outputFile->setText(QStringLiteral("/v/out.avi"));
        f.show();
        f.click("btnOK");
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.main.window.isEnabled());
        QVERIFY(f.prompter.messages.isEmpty());
        QCOMPARE(f.file(),
                 "; mine\n[Main]\nVersion=1.5\nProfile=2\nOutput File=/v/out.avi\nTemp Dir=" +
                     f.dir.path().toUtf8() +
                     "temp/\nAuto Open Dir=1\nAuto Exit=0\nAuto Turn Off=0\nAsk=1\n"
                     "Overwrite=0\nRename=0\n\n[Default]\nAsk=1\n");
    }

    void okGivesTheOutputFileToTheMainWindow() {
        Fixture f(Edited);
        f.show();
        f.edit("edtOutputFile")->setText(QStringLiteral("/new/name.avi"));
        QCOMPARE(f.main.outputFile->text(), QString()); // only OK hands it over
        f.click("rdbOverWrite");
        f.click("btnOK");
        QCOMPARE(f.main.outputFile->text(), QStringLiteral("/new/name.avi"));
        QVERIFY(f.file().contains("Output File=/new/name.avi\n"));
        QVERIFY2(f.file().contains("Ask=0\nOverwrite=1\nRename=0\n"), f.file().constData());
        // The next start loads what was stored.
        f.create();
        f.show();
        QCOMPARE(f.shown(), QStringLiteral("/new/name.avi|/scratch/|0|1|0|0|1|0"));
    }

    void failedOkKeepsTheDialogOpen() {
        Fixture f(Edited);
        f.show();
        f.edit("edtOutputFile")->setText(QStringLiteral("/new/name.avi"));
        const ReadOnlyFolder readOnly(f.dir.path());
        if (!readOnly.isEffective())
            QSKIP("this file system lets the test user write into a read-only folder");
        bool visibleDuringMessage = false;
        f.prompter.onMessage = [&](const FakePrompter::Message&) {
            visibleDuringMessage = f.form->isVisible();
        };
        f.click("btnOK");
        QCOMPARE(f.prompter.texts(),
                 QStringList{QStringLiteral("Unable to write to ") + f.prefsPath()});
        QCOMPARE(f.prompter.messages[0].kind, FakePrompter::Kind::Error);
        QVERIFY(visibleDuringMessage);
        QVERIFY(f.form->isVisible());
        QVERIFY(!f.main.window.isEnabled());
        QCOMPARE(f.main.outputFile->text(), QStringLiteral("/new/name.avi"));
        QCOMPARE(f.file(), Edited);
        f.click("btnCancel");
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.main.window.isEnabled());
    }

    void loadDefaultWithoutDefaultSection() {
        Fixture f(Edited);
        f.show();
        f.click("btnDefault");
        QCOMPARE(f.prompter.messages.size(), 1);
        QCOMPARE(f.prompter.messages[0].kind, FakePrompter::Kind::Question);
        QCOMPARE(f.prompter.messages[0].caption, QStringLiteral("Load Default"));
        QCOMPARE(f.prompter.messages[0].text,
                 QStringLiteral("Are you sure to load the default preferences?"));
        QCOMPARE(f.shown(), QStringLiteral("|/scratch/|0|0|0|1|0|0"));
        QCOMPARE(f.file(), Edited);
        QVERIFY(f.form->isVisible());
    }

    void loadDefaultDeclinedChangesNothing() {
        Fixture f(Edited);
        f.show();
        const QString before = f.shown();
        f.prompter.answers = {false};
        f.click("btnDefault");
        QCOMPARE(f.shown(), before);
        QCOMPARE(f.inForce.overwrite, OverwritePolicy::Rename);
    }

    void cancelPutsBackWhatWasShown_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("loadDefault");
        QTest::newRow("load default, then cancel") << Edited << true;
        QTest::newRow("no radio selected comes back")
            << QByteArray("[Main]\nAsk=0\nOverwrite=0\nRename=0\n") << true;
        QTest::newRow("hand edits, then cancel") << Edited << false;
    }
    void cancelPutsBackWhatWasShown() {
        QFETCH(QByteArray, content);
        QFETCH(bool, loadDefault);
        Fixture f(content);
        f.main.outputFile->setText(QStringLiteral("/m.avi"));
        f.show();
        const QString opened = f.shown();
        const Preferences snapshot = f.inForce;
        if (loadDefault)
            f.click("btnDefault");
        f.edit("edtTempDir")->setText(QStringLiteral("/typed/"));
        f.edit("edtOutputFile")->setText(QStringLiteral("/typed.avi"));
        f.click("chkTurnoff");
        f.click("rdbOverWrite");
        QVERIFY(f.shown() != opened);
        f.click("btnCancel");
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.main.window.isEnabled());
        QCOMPARE(f.shown(), opened);
        QCOMPARE(f.inForce.tempDir, snapshot.tempDir);
        QCOMPARE(f.inForce.overwrite, snapshot.overwrite);
        QCOMPARE(f.inForce.turnOff, snapshot.turnOff);
        QCOMPARE(f.main.outputFile->text(), QStringLiteral("/m.avi"));
        QCOMPARE(f.file(), content);
    }

    void escapeCancels() {
        Fixture f(Edited);
        f.show();
        const QString opened = f.shown();
        f.click("chkExit");
        QTest::keyClick(f.form.get(), Qt::Key_Escape);
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.main.window.isEnabled());
        QCOMPARE(f.shown(), opened);
    }

    void closeBoxKeepsEditsUnsaved() {
        Fixture f(Edited);
        f.show();
        f.click("btnDefault");
        f.edit("edtTempDir")->setText(QStringLiteral("/typed/"));
        const QString edited = f.shown();
        QVERIFY(f.form->close());
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.main.window.isEnabled());
        QCOMPARE(f.file(), Edited);
        // In force for the rest of the run...
        QCOMPARE(f.inForce.tempDir, QStringLiteral("/typed/"));
        QCOMPARE(f.inForce.overwrite, OverwritePolicy::Ask);
        QVERIFY(!f.inForce.exitProgram);
        // ...and the next showing starts from them (the output file comes from the main window).
        f.show();
        QCOMPARE(f.shown(), edited);
        f.click("btnCancel");
        QCOMPARE(f.shown(), edited);
        QCOMPARE(f.file(), Edited);
    }

    void outputFileBrowse_data() {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("chosen") << std::optional<QString>(QStringLiteral("/v/chosen.mp4"))
                                << "/v/chosen.mp4";
        QTest::newRow("cancelled") << std::optional<QString>() << "/from/main.avi";
    }
    void outputFileBrowse() {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, expected);
        Fixture f;
        f.main.outputFile->setText(QStringLiteral("/from/main.avi"));
        f.main.saveDialogAnswer = answer;
        f.show();
        f.click("SpeedButton1");
        QCOMPARE(f.main.saveDialogRuns, 1);
        QCOMPARE(f.main.saveDialogOwner, f.form.get()); // not the disabled main window
        QCOMPARE(f.edit("edtOutputFile")->text(), expected);
        QCOMPARE(f.main.outputFile->text(), QStringLiteral("/from/main.avi"));
    }

    void tempFolderBrowse_data() {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("folder gets its slash")
            << std::optional<QString>(QStringLiteral("/data/tmp")) << "/data/tmp/";
        QTest::newRow("root keeps its single slash")
            << std::optional<QString>(QStringLiteral("/")) << "/";
        QTest::newRow("cancelled") << std::optional<QString>() << "/scratch/";
    }
    void tempFolderBrowse() {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, expected);
        Fixture f(Edited);
        f.main.folders.answer = answer;
        f.show();
        f.click("SpeedButton2");
        QCOMPARE(f.main.folders.title, QStringLiteral("Select the output directory."));
        QCOMPARE(f.main.folders.owner, f.form.get());
        QCOMPARE(f.main.folders.root, QString());
        QCOMPARE(f.main.folders.initialPath, QString());
        QCOMPARE(f.edit("edtTempDir")->text(), expected);
        QCOMPARE(f.inForce.tempDir, expected);
    }

    void typedTempFolderIsStoredVerbatim() {
        Fixture f;
        f.show();
        f.edit("edtTempDir")->setText(QStringLiteral("/no/slash"));
        f.click("btnOK");
        QVERIFY(f.file().contains("Temp Dir=/no/slash\n"));
    }
};

QTEST_MAIN(TestSettingForm)
#include "test_settingForm.moc"
