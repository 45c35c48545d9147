#include "engine/completionActions.h"
#include "shell/preferences.h"
#include "tests/engine/jobFixtures.h"
#include "tests/support/fakePrompter.h"
#include "tests/support/recordingOpener.h"

#include <QTest>

class TestCompletionActions final : public QObject {
    Q_OBJECT

private slots:
    void actions_data() {
        QTest::addColumn<bool>("turnOff");
        QTest::addColumn<bool>("exitProgram");
        QTest::addColumn<bool>("openDir");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("powerOffs");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("opened");

        const QStringList success{
            QStringLiteral("Complete|The joining is completed successfully.")};
        QTest::newRow("turn off and exit: off, no message")
            << true << true << true << "/v/a.mpg" << true << 1 << QStringList() << QStringList();
        QTest::newRow("exit with open folder: no message, nothing opened")
            << false << true << true << "/v/a.mpg" << true << 0 << QStringList() << QStringList();
        QTest::newRow("open folder only")
            << false << false << true << "/home/u/Videos/all.avi" << false << 0 << success
            << QStringList{QStringLiteral("/home/u/Videos")};
        QTest::newRow("no flag: the message only")
            << false << false << false << "/v/a.mpg" << false << 0 << success << QStringList();
        QTest::newRow("output in the root opens the root")
            << false << false << true << "/a.mpg" << false << 0 << success
            << QStringList{QStringLiteral("/")};
    }

    void actions() {
        QFETCH(bool, turnOff);
        QFETCH(bool, exitProgram);
        QFETCH(bool, openDir);
        QFETCH(QString, output);
        QFETCH(bool, closes);
        QFETCH(int, powerOffs);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, opened);

        Preferences preferences;
        preferences.turnOff = turnOff;
        preferences.exitProgram = exitProgram;
        preferences.openDir = openDir;
        FakePrompter prompter;
        RecordingOpener opener;
        FakePowerOff powerOff;
        prompter.onMessage = [&](const FakePrompter::Message&) {
            // The folder opens only after the message is dismissed.
            QVERIFY(opener.paths.isEmpty());
        };
        const CompletionResult result =
            RunCompletionActions(preferences, output, prompter, opener, powerOff);
        QCOMPARE(result == CompletionResult::ProgramCloses, closes);
        QCOMPARE(powerOff.requests, powerOffs);
        QStringList shown;
        for (const auto& m : prompter.messages) {
            QCOMPARE(int(m.kind), int(FakePrompter::Kind::Information));
            shown << m.caption + QLatin1Char('|') + m.text;
        }
        QCOMPARE(shown, messages);
        QCOMPARE(opener.paths, opened);
    }
};

QTEST_GUILESS_MAIN(TestCompletionActions)
#include "test_completionActions.moc"
