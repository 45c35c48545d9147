#include "engine/joinJob.h"
#include "profiles/encodingChoices.h"
#include "shell/preferences.h"
#include "tasks/taskListModel.h"
#include "tasks/timeText.h"
#include "tests/engine/jobFixtures.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

class TestJoinJob final : public QObject {
    Q_OBJECT

private slots:
    void refusals_data() {
        QTest::addColumn<int>("entries");
        QTest::addColumn<QString>("output"); // "@" stands for the application folder
        QTest::addColumn<QString>("acodec");
        QTest::addColumn<bool>("outputExists");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("focus");
        QTest::addColumn<QString>("outputAfter");

        const QStringList listThenOutput{QStringLiteral("focus list"),
                                         QStringLiteral("focus output")};
        QTest::newRow("one entry")
            << 1 << "@out/a.avi"
            << "MP3" << false
            << "Add More Videos|Please add at least 2 videos to the task for joining."
            << QStringList() << "@out/a.avi";
        QTest::newRow("bare file name")
            << 2 << "movie.mpg"
            << "MP3" << false
            << "Output path does not exist|The output path does not exist. Please specify "
               "another one."
            << listThenOutput << "movie.mpg";
        QTest::newRow("missing folder")
            << 2 << "@nowhere/a.avi"
            << "MP3" << false
            << "Output path does not exist|The output path does not exist. Please specify "
               "another one."
            << listThenOutput << "@nowhere/a.avi";
        QTest::newRow("folder only")
            << 2 << "@out/"
            << "MP3" << false << "Icorrect Filename|Please specify the output file."
            << listThenOutput << "@out/";
        QTest::newRow("MP2 bitrate not a whole number")
            << 2 << "@out/a"
            << "MP2" << false << "Invalid Audio Bitrate|The Audio bitrate is invalid."
            << QStringList{QStringLiteral("focus list")} << "@out/a.avi";
        QTest::newRow("existing output, answer No")
            << 2 << "@out/a"
            << "MP3" << true
            << "File Exists|The output file is existent. Do you want to continue and overwrite "
               "it? \n\rClick \"No\" to specify another output filename."
            << listThenOutput << "@out/a.avi";
    }

    // Every refusal shows its box and changes nothing but the focus (and the
    // extension added before the question).
    void refusals() {
        QFETCH(int, entries);
        QFETCH(QString, output);
        QFETCH(QString, acodec);
        QFETCH(bool, outputExists);
        QFETCH(QString, message);
        QFETCH(QStringList, focus);
        QFETCH(QString, outputAfter);

        Fixture f(false);
        for (int i = 0; i < entries; ++i)
            f.addEntry(f.app.filePath(QStringLiteral("in%1.avi").arg(i)));
        f.host.output = output.replace(QLatin1Char('@'), f.app.path());
        f.choices.box(SettingBox::Acodec).entries = {acodec};
        f.choices.box(SettingBox::Acodec).selected = 0;
        f.choices.box(SettingBox::Abitrate).typedText = QStringLiteral("12.5");
        if (outputExists)
            f.app.writeFile(QStringLiteral("out/a.avi"), "old");
        f.prompter.answers = {false};

        f.job->start();
        QCOMPARE(f.shown(), QStringList{message});
        QCOMPARE(f.host.events, focus);
        QCOMPARE(f.host.output, outputAfter.replace(QLatin1Char('@'), f.app.path()));
        QCOMPARE(int(f.job->state()), int(JobState::Idle));
        QVERIFY(f.commands.isEmpty());
        QVERIFY(!f.job->progress().progressPanelShown);
        for (int i = 0; i < entries; ++i)
            QCOMPARE(f.status(i), QStringLiteral("OK"));
    }

    void extensionRule_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("outputExt");
        QTest::addColumn<QString>("nameAfter");
        QTest::newRow("missing extension added") << "a"
                                                 << ".avi"
                                                 << "a.avi";
        QTest::newRow("case does not matter") << "a.AVI"
                                              << ".avi"
                                              << "a.AVI";
        QTest::newRow("other extension stays") << "a.mpg"
                                               << ".avi"
                                               << "a.mpg.avi";
        QTest::newRow("upper-case match") << "a.MPG"
                                          << ".mpg"
                                          << "a.MPG";
    }

    // Without an encoder in the application folder the first run cannot
    // start: the job says so and returns to its idle look.
    void extensionRule() {
        QFETCH(QString, name);
        QFETCH(QString, outputExt);
        QFETCH(QString, nameAfter);
        Fixture f(false);
        f.addEntry(f.app.filePath(QStringLiteral("in0.avi")));
        f.addEntry(f.app.filePath(QStringLiteral("in1.avi")));
        f.choices.outputExt = outputExt;
        f.host.output = f.app.filePath(QStringLiteral("out/") + name);
        QSignalSpy ended(f.job.get(), &JoinJob::ended);

        f.job->start();
        QCOMPARE(f.host.output, f.app.filePath(QStringLiteral("out/") + nameAfter));
        QCOMPARE(f.host.events.last(), QStringLiteral("lock"));
        QVERIFY(ended.wait(5000));
        QCOMPARE(f.shown(),
                 QStringList{QStringLiteral("Corvane|Error. Please re-install Corvane")});
        QCOMPARE(int(f.prompter.messages.first().kind), int(FakePrompter::Kind::Plain));
        QCOMPARE(f.status(0), QStringLiteral("Converting"));
        QCOMPARE(f.status(1), QStringLiteral("OK"));
        QCOMPARE(f.host.events.last(), QStringLiteral("unlock"));
        QCOMPARE(int(f.job->state()), int(JobState::Idle));
        QVERIFY(!f.job->progress().progressPanelShown);
        QVERIFY(!f.job->progress().timerActive());
        QCOMPARE(f.commands.size(), 1);
    }

    void tempFolder_data() {
        QTest::addColumn<QString>("setting"); // "@" stands for the application folder
        QTest::addColumn<QString>("used");
        QTest::newRow("without trailing slash") << "@work"
                                                << "@work/";
        QTest::newRow("with trailing slash") << "@work/"
                                             << "@work/";
        QTest::newRow("parent missing: application temp") << "@no/such/tmp"
                                                          << "@temp/";
        QTest::newRow("empty setting: application temp") << ""
                                                         << "@temp/";
    }

    void tempFolder() {
        QFETCH(QString, setting);
        QFETCH(QString, used);
        Fixture f(false);
        f.addEntry(f.app.filePath(QStringLiteral("in0.avi")));
        f.addEntry(f.app.filePath(QStringLiteral("in1.avi")));
        f.preferences.tempDir = setting.replace(QLatin1Char('@'), f.app.path());
        QSignalSpy ended(f.job.get(), &JoinJob::ended);
        f.job->start();
        QVERIFY(ended.wait(5000));
        const QString folder = used.replace(QLatin1Char('@'), f.app.path());
        QCOMPARE(f.job->tempFolder(), folder);
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(f.commands.first().contains(QLatin1Char('"') + folder + QStringLiteral("0.avi\"")));
    }

    // Neither the temp folder nor the fallback can be made: the box names the
    // folder and the reason, and the window is back to its idle look.
    void noTempFolder() {
        Fixture f(false);
        f.addEntry(f.app.filePath(QStringLiteral("in0.avi")));
        f.addEntry(f.app.filePath(QStringLiteral("in1.avi")));
        f.preferences.tempDir = f.app.filePath(QStringLiteral("no/such/tmp"));
        f.app.writeFile(QStringLiteral("temp"), "a file where the folder should be");
        f.job->start();
        QCOMPARE(f.prompter.messages.size(), 1);
        QCOMPARE(int(f.prompter.messages.first().kind), int(FakePrompter::Kind::Error));
        QCOMPARE(f.prompter.messages.first().text,
                 QStringLiteral("Could not create the temp folder ") +
                     f.app.filePath(QStringLiteral("temp/")) + QStringLiteral(": File exists"));
        QCOMPARE(f.host.events.last(), QStringLiteral("unlock"));
        QVERIFY(!f.host.locked);
        QCOMPARE(int(f.job->state()), int(JobState::Idle));
        QVERIFY(!f.job->progress().progressPanelShown);
        QVERIFY(!f.job->progress().timerActive());
        QVERIFY(f.commands.isEmpty());
    }

    void firstFreeName_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nothing taken") << QStringList{"a.avi"} << "a_1.avi";
        QTest::newRow("_1 taken") << QStringList{"a.avi", "a_1.avi"} << "a_2.avi";
        QTest::newRow("gap is used") << QStringList{"a.avi", "a_1.avi", "a_3.avi"} << "a_2.avi";
        QTest::newRow("folder of that name counts")
            << QStringList{"a.avi", "a_1.avi/"} << "a_2.avi";
    }

    void firstFreeName() {
        QFETCH(QStringList, existing);
        QFETCH(QString, expected);
        TestAppDir dir;
        for (const QString& name : existing) {
            if (name.endsWith(QLatin1Char('/')))
                QDir().mkpath(dir.filePath(name));
            else
                dir.writeFile(name, "x");
        }
        QCOMPARE(
            JoinJob::FirstFreeName(dir.filePath(QStringLiteral("a.avi")), QStringLiteral(".avi")),
            dir.filePath(expected));
    }

    void stopWhileIdleDoesNothing() {
        Fixture f(false);
        QSignalSpy state(f.job.get(), &JoinJob::stateChanged);
        f.job->stop();
        QCOMPARE(state.size(), 0);
        QVERIFY(!f.job->deferWindowClose());
    }
};

QTEST_GUILESS_MAIN(TestJoinJob)
#include "test_joinJob.moc"
