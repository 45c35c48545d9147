#include "shell/preferencesFile.h"
#include "tests/shell/readOnlyFolder.h"
#include "tests/support/fakePrompter.h"
#include "tests/support/testAppDir.h"

#include <QFile>
#include <QTest>

Q_DECLARE_METATYPE(OverwritePolicy)

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QString PrefsName = QStringLiteral("Preferences.ini");

} // namespace

class TestPreferencesFile final : public QObject {
    Q_OBJECT
private slots:
    void firstRunWithoutFile() {
        TestAppDir dir;
        const Preferences values = ReadPreferences(dir.info());
        QCOMPARE(values.outputFile, QString());
        QCOMPARE(values.tempDir, dir.path() + QStringLiteral("temp/"));
        QVERIFY(values.openDir);
        QVERIFY(!values.exitProgram);
        QVERIFY(!values.turnOff);
        QCOMPARE(values.overwrite, OverwritePolicy::Ask);
        const MainPreferences main = ReadMainPreferences(dir.info());
        QCOMPARE(main.profile, 0);
        QCOMPARE(main.outputFile, QString());
        QVERIFY(!QFile::exists(dir.filePath(PrefsName)));
    }

    // "Auto Exit" falls back to clear, "Auto Open Dir" to checked.
    void flagForms_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("exitProgram");
        QTest::addColumn<bool>("openDir");
        QTest::newRow("word true is no number") << QByteArray("true") << false << true;
        QTest::newRow("word yes is no number") << QByteArray("yes") << false << true;
        QTest::newRow("0x1") << QByteArray("0x1") << true << true;
        QTest::newRow("$1") << QByteArray("$1") << true << true;
        QTest::newRow("2 is non-zero") << QByteArray("2") << true << true;
        QTest::newRow("-1 is non-zero") << QByteArray("-1") << true << true;
        QTest::newRow("empty") << QByteArray("") << false << true;
        QTest::newRow("0") << QByteArray("0") << false << false;
        QTest::newRow("$0") << QByteArray("$0") << false << false;
    }
    void flagForms() {
        QFETCH(QByteArray, text);
        QFETCH(bool, exitProgram);
        QFETCH(bool, openDir);
        TestAppDir dir;
        dir.writeFile(PrefsName, "[Main]\nAuto Exit=" + text + "\nAuto Open Dir=" + text + "\n");
        const Preferences values = ReadPreferences(dir.info());
        QCOMPARE(values.exitProgram, exitProgram);
        QCOMPARE(values.openDir, openDir);
    }

    void overwriteRule_data() {
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<OverwritePolicy>("expected");
        QTest::newRow("ask and overwrite: the later wins")
            << QByteArray("Ask=1\nOverwrite=1\nRename=0\n") << OverwritePolicy::Overwrite;
        QTest::newRow("all zero: none selected")
            << QByteArray("Ask=0\nOverwrite=0\nRename=0\n") << OverwritePolicy::None;
        QTest::newRow("ask and rename")
            << QByteArray("Ask=1\nOverwrite=0\nRename=1\n") << OverwritePolicy::Rename;
        QTest::newRow("all three")
            << QByteArray("Ask=1\nOverwrite=1\nRename=1\n") << OverwritePolicy::Rename;
        QTest::newRow("ask only") << QByteArray("Ask=1\nOverwrite=0\nRename=0\n")
                                  << OverwritePolicy::Ask;
        QTest::newRow("keys absent: ask") << QByteArray() << OverwritePolicy::Ask;
        QTest::newRow("only Overwrite=1, Ask by default")
            << QByteArray("Overwrite=1\n") << OverwritePolicy::Overwrite;
        QTest::newRow("only Ask=0") << QByteArray("Ask=0\n") << OverwritePolicy::None;
    }
    void overwriteRule() {
        QFETCH(QByteArray, keys);
        QFETCH(OverwritePolicy, expected);
        TestAppDir dir;
        dir.writeFile(PrefsName, "[Main]\n" + keys);
        QCOMPARE(ReadPreferences(dir.info()).overwrite, expected);
        // [Default] follows the same rule.
        dir.writeFile(PrefsName, "[Default]\n" + keys);
        QCOMPARE(ReadDefaultPreferences(dir.info(), Preferences{}).overwrite, expected);
    }

    // Flags applied to a group that already shows a choice: a false flag only
    // clears its own button, so a choice survives unless a true flag replaces it.
    void overwriteFlagsOverAChoice_data() {
        QTest::addColumn<OverwritePolicy>("current");
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("overwrite");
        QTest::addColumn<bool>("rename");
        QTest::addColumn<OverwritePolicy>("expected");
        QTest::newRow("all false clears")
            << OverwritePolicy::Rename << false << false << false << OverwritePolicy::None;
        QTest::newRow("restore ask")
            << OverwritePolicy::Rename << true << false << false << OverwritePolicy::Ask;
        QTest::newRow("restore none from none")
            << OverwritePolicy::None << false << false << false << OverwritePolicy::None;
    }
    void overwriteFlagsOverAChoice() {
        QFETCH(OverwritePolicy, current);
        QFETCH(bool, ask);
        QFETCH(bool, overwrite);
        QFETCH(bool, rename);
        QFETCH(OverwritePolicy, expected);
        QCOMPARE(ApplyOverwriteFlags(current, {ask, overwrite, rename}), expected);
    }

    void storesAllEightKeysAroundForeignLines() {
        TestAppDir dir;
        const QByteArray before = "; kept comment\r\n"
                                  "[Tools]\r\n"
                                  "Player=mpv\r\n"
                                  "\r\n"
                                  "[Main]\r\n"
                                  "Version=1.5\r\n"
                                  "Mine=unknown key\r\n"
                                  "Temp Dir=/old/tmp/\r\n"
                                  "\r\n"
                                  "[Default]\r\n"
                                  "Ask=1\r\n";
        dir.writeFile(PrefsName, before);
        Preferences values;
        values.outputFile = QStringLiteral("/home/me/joined clip.avi");
        values.tempDir = QString(); // stored as empty, not checked
        values.openDir = false;
        values.exitProgram = true;
        values.turnOff = false;
        values.overwrite = OverwritePolicy::Rename;
        FakePrompter prompter;
        QVERIFY(WritePreferences(dir.info(), values, prompter));
        QVERIFY(WriteMainPreferences(dir.info(), {-1, QStringLiteral("/x.mp4")}, prompter));
        QVERIFY(prompter.messages.isEmpty());
        QCOMPARE(contentOf(dir.filePath(PrefsName)), QByteArray("; kept comment\r\n"
                                                                "[Tools]\r\n"
                                                                "Player=mpv\r\n"
                                                                "\r\n"
                                                                "[Main]\r\n"
                                                                "Version=1.5\r\n"
                                                                "Mine=unknown key\r\n"
                                                                "Temp Dir=\r\n"
                                                                "Output File=/x.mp4\r\n"
                                                                "Auto Open Dir=0\r\n"
                                                                "Auto Exit=1\r\n"
                                                                "Auto Turn Off=0\r\n"
                                                                "Ask=0\r\n"
                                                                "Overwrite=0\r\n"
                                                                "Rename=1\r\n"
                                                                "Profile=-1\r\n"
                                                                "\r\n"
                                                                "[Default]\r\n"
                                                                "Ask=1\r\n"));
        const Preferences back = ReadPreferences(dir.info());
        QCOMPARE(back.tempDir, QString());
        QCOMPARE(back.overwrite, OverwritePolicy::Rename);
        QCOMPARE(ReadMainPreferences(dir.info()).profile, -1);
    }

    void firstStoreCreatesMainInOrder() {
        TestAppDir dir;
        FakePrompter prompter;
        QVERIFY(WritePreferences(dir.info(), ReadPreferences(dir.info()), prompter));
        QCOMPARE(contentOf(dir.filePath(PrefsName)),
                 QByteArray("[Main]\nOutput File=\nTemp Dir=" + dir.path().toUtf8() +
                            "temp/\nAuto Open Dir=1\nAuto Exit=0\nAuto Turn Off=0\nAsk=1\n"
                            "Overwrite=0\nRename=0\n"));
    }

    void defaultsLoad_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("outputFile");
        QTest::addColumn<bool>("openDir");
        QTest::addColumn<bool>("exitProgram");
        QTest::addColumn<bool>("turnOff");
        QTest::addColumn<OverwritePolicy>("overwrite");
        QTest::newRow("no [Default]: all clear, ask")
            << QByteArray("[Main]\nOutput File=/a.avi\nAuto Open Dir=1\nAuto Exit=1\nRename=1\n")
            << "" << false << false << false << OverwritePolicy::Ask;
        QTest::newRow("no file") << QByteArray() << "" << false << false << false
                                 << OverwritePolicy::Ask;
        QTest::newRow("shipped defaults")
            << QByteArray("[Default]\nOutput File=/v/out.avi\nAuto Open Dir=1\nAuto Turn Off=$1\n"
                          "Ask=1\nOverwrite=1\n")
            << "/v/out.avi" << true << false << true << OverwritePolicy::Overwrite;
    }
    void defaultsLoad() {
        QFETCH(QByteArray, content);
        QFETCH(QString, outputFile);
        QFETCH(bool, openDir);
        QFETCH(bool, exitProgram);
        QFETCH(bool, turnOff);
        QFETCH(OverwritePolicy, overwrite);
        TestAppDir dir;
        if (!content.isEmpty())
            dir.writeFile(PrefsName, content);
        Preferences current;
        current.outputFile = QStringLiteral("/edited.avi");
        current.tempDir = QStringLiteral("/my/temp/");
        current.exitProgram = true;
        current.turnOff = true;
        current.overwrite = OverwritePolicy::Rename;
        const Preferences loaded = ReadDefaultPreferences(dir.info(), current);
        QCOMPARE(loaded.outputFile, outputFile);
        QCOMPARE(loaded.tempDir, QStringLiteral("/my/temp/"));
        QCOMPARE(loaded.openDir, openDir);
        QCOMPARE(loaded.exitProgram, exitProgram);
        QCOMPARE(loaded.turnOff, turnOff);
        QCOMPARE(loaded.overwrite, overwrite);
        QCOMPARE(contentOf(dir.filePath(PrefsName)), content.isEmpty() ? "<missing>" : content);
    }

    // The first key that fails ends the store with one error box naming the file.
    void failedStoreIsReportedOnce_data() {
        QTest::addColumn<bool>("mainWindowStore");
        QTest::newRow("settings dialog") << false;
        QTest::newRow("main window") << true;
    }
    void failedStoreIsReportedOnce() {
        QFETCH(bool, mainWindowStore);
        TestAppDir dir;
        const QByteArray original("[Main]\nAsk=1\n");
        dir.writeFile(PrefsName, original);
        const ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.isEffective())
            QSKIP("this file system lets the test user write into a read-only folder");
        FakePrompter prompter;
        const bool stored =
            mainWindowStore
                ? WriteMainPreferences(dir.info(), {2, QStringLiteral("/o.avi")}, prompter)
                : WritePreferences(dir.info(), Preferences{}, prompter);
        QVERIFY(!stored);
        QCOMPARE(prompter.messages.size(), 1);
        QCOMPARE(prompter.messages[0].kind, FakePrompter::Kind::Error);
        QCOMPARE(prompter.messages[0].caption, QStringLiteral("Corvane"));
        QCOMPARE(prompter.messages[0].text,
                 QStringLiteral("Unable to write to ") + dir.filePath(PrefsName));
        QCOMPARE(contentOf(dir.filePath(PrefsName)), original);
    }

    void profilePositionForms_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("profile");
        QTest::newRow("decimal") << QByteArray("2") << 2;
        QTest::newRow("none selected") << QByteArray("-1") << -1;
        QTest::newRow("hex") << QByteArray("$A") << 10;
        QTest::newRow("not a number") << QByteArray("second") << 0;
    }
    void profilePositionForms() {
        QFETCH(QByteArray, text);
        QFETCH(int, profile);
        TestAppDir dir;
        dir.writeFile(PrefsName, "[MAIN]\nprofile=" + text + "\noutput file=/v/a b.avi\n");
        const MainPreferences main = ReadMainPreferences(dir.info());
        QCOMPARE(main.profile, profile);
        QCOMPARE(main.outputFile, QStringLiteral("/v/a b.avi"));
    }
};

QTEST_GUILESS_MAIN(TestPreferencesFile)
#include "test_preferencesFile.moc"
