#include "tests/engine/jobFixtures.h"
#include "tests/support/testMedia.h"

#include <QDirIterator>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList intermediatesIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.avi")}, QDir::Files);
}

} // namespace

// Whole jobs with the real encoder on clips made for each test.
class TestJoinRuns final : public QObject {
    Q_OBJECT

    static bool haveEncoder() {
        return QFileInfo(TestAppDir::buildAppDir() + QStringLiteral("asapi.dll")).isExecutable();
    }

    // Clips of a second, in different formats, sizes, frame rates and sample rates.
    static void addClips(Fixture& f, int count) {
        const QList<std::pair<QString, ClipSpec>> kinds{
            {QStringLiteral("first.mpg"), {320, 240, 25, 1.0, true, 48000, 2}},
            {QStringLiteral("second clip.avi"), {176, 144, 15, 1.0, true, 22050, 1}},
            {QStringLiteral("third.mp4"), {352, 288, 30, 1.0, false, 44100, 2}},
            {QStringLiteral("fourth.mov"), {240, 180, 24, 1.0, true, 32000, 2}},
        };
        for (int i = 0; i < count; ++i) {
            const QString path = f.app.filePath(QStringLiteral("in/") + kinds[i].first);
            QDir().mkpath(f.app.filePath(QStringLiteral("in")));
            QString error;
            QVERIFY2(MakeClip(path, kinds[i].second, &error), qPrintable(error));
            f.addEntry(path, ReadMediaFacts(path).durationMs / 1000.0);
        }
    }

    static void runToEnd(Fixture& f) {
        QSignalSpy ended(f.job.get(), &JoinJob::ended);
        f.job->start();
        QVERIFY(ended.wait(90000));
    }

    static void expectNoEncoderLeft(Fixture& f) {
        QTRY_COMPARE_WITH_TIMEOUT(processesMentioning(f.app.path()), QStringList(), 5000);
    }

private slots:
    void initTestCase() {
        if (!haveEncoder())
            QSKIP("the encoder is not built into the application folder");
    }

    // Three mixed clips, a temp folder given without its trailing slash and
    // an output name with blanks and without extension.
    void joinsAndReportsSuccess() {
        Fixture f(true);
        f.useFixtureProfile();
        addClips(f, 3);
        QDir().mkpath(f.app.filePath(QStringLiteral("out dir")));
        f.preferences.tempDir = f.app.filePath(QStringLiteral("work"));
        f.host.output = f.app.filePath(QStringLiteral("out dir/my join"));
        runToEnd(f);

        const QString output = f.app.filePath(QStringLiteral("out dir/my join.avi"));
        QCOMPARE(f.host.output, output);
        QCOMPARE(f.shown(),
                 QStringList{QStringLiteral("Complete|The joining is completed successfully.")});
        QCOMPARE(f.opener.paths, QStringList{f.app.filePath(QStringLiteral("out dir"))});
        const QString temp = f.app.filePath(QStringLiteral("work/"));
        QStringList expected;
        for (int i = 0; i < 3; ++i) {
            ltvItemData item;
            f.tasks.ReadTaskItem(i, TaskField::Caption, item);
            expected << QStringLiteral(" \"%1\" -o \"%2%3.avi\" -oac mp3lame -ovc lavc -ofps 30 "
                                       "-vf scale=320:240")
                            .arg(item.InputFile, temp)
                            .arg(i);
        }
        QString join;
        for (int i = 0; i < 3; ++i)
            join += QStringLiteral(" \"") + temp + QString::number(i) + QStringLiteral(".avi\"");
        join += QStringLiteral(" -o \"") + output +
                QStringLiteral("\"  -ovc lavc -lavcopts vcodec=mpeg4:vbitrate=600:mbd=2:autoaspect "
                               "-oac mp3lame -lameopts vbr=2:q=6 -channels 2 -vf scale=320:240 "
                               "-srate 44100");
        expected << join;
        QCOMPARE(f.commands, expected);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(f.status(i), QStringLiteral("Complete"));
        QCOMPARE(intermediatesIn(temp), QStringList());
        QCOMPARE(f.host.events.last(), QStringLiteral("unlock"));
        QCOMPARE(f.job->progress().total.shown(), 100);

        const MediaFacts facts = ReadMediaFacts(output);
        QCOMPARE(facts.format, QStringLiteral("AVI"));
        QCOMPARE(facts.width, 320);
        QCOMPARE(facts.height, 240);
        QVERIFY2(qAbs(facts.videoDurationMs - 3000) <= 300,
                 qPrintable(QString::number(facts.videoDurationMs)));
        QVERIFY2(qAbs(facts.audioDurationMs - facts.videoDurationMs) <= 300,
                 qPrintable(QString::number(facts.audioDurationMs)));
    }

    void stop_data() {
        QTest::addColumn<QString>("when");
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("runs");
        QTest::addColumn<bool>("outputMayRemain");
        QTest::newRow("while entry 2 of 4 converts")
            << "run 2" << QStringList{"Waiting for joining", "Waiting for joining", "Stop", "OK"}
            << "Cancel|The Coversion is canceled." << 3 << false;
        QTest::newRow("between entries 0 and 1")
            << "converted 0" << QStringList{"Waiting for joining", "Stop", "OK", "OK"}
            << "Cancel|The Coversion is canceled." << 1 << false;
        QTest::newRow("before the join run starts")
            << "joining" << QStringList{"Stop", "Stop", "Stop", "Stop"}
            << "Cancel|The Joining is canceled." << 4 << false;
        QTest::newRow("while joining") << "run 4" << QStringList{"Stop", "Stop", "Stop", "Stop"}
                                       << "Cancel|The Joining is canceled." << 5 << true;
    }

    void stop() {
        QFETCH(QString, when);
        QFETCH(QStringList, statuses);
        QFETCH(QString, message);
        QFETCH(int, runs);
        QFETCH(bool, outputMayRemain);
        Fixture f(true);
        f.useFixtureProfile();
        addClips(f, 4);
        if (when.startsWith(QLatin1String("run "))) {
            const int run = when.mid(4).toInt();
            // Pressed once the run's encoder is under way.
            QObject::connect(f.job.get(), &JoinJob::encoderStarted, f.job.get(), [&f, run] {
                if (f.commands.size() == run + 1)
                    QTimer::singleShot(0, f.job.get(), [&f] { f.job->stop(); });
            });
        } else {
            const QString status = when == QLatin1String("joining")
                                       ? QStringLiteral("Joining")
                                       : QStringLiteral("Waiting for joining");
            const int row = when == QLatin1String("joining") ? 3 : 0;
            QObject::connect(&f.tasks, &TaskListModel::dataChanged, f.job.get(), [&f, row, status] {
                if (f.status(row) == status)
                    f.job->stop();
            });
        }
        runToEnd(f);
        QStringList got;
        for (int i = 0; i < 4; ++i)
            got << f.status(i);
        QCOMPARE(got, statuses);
        QCOMPARE(f.shown(), QStringList{message});
        QCOMPARE(f.commands.size(), runs);
        QCOMPARE(intermediatesIn(f.job->tempFolder()), QStringList());
        if (!outputMayRemain)
            QVERIFY(!QFileInfo::exists(f.host.output));
        QCOMPARE(int(f.job->state()), int(JobState::Idle));
        QCOMPARE(f.host.events.last(), QStringLiteral("unlock"));
        QVERIFY(!f.job->progress().progressPanelShown);
        QVERIFY(!f.job->progress().timerActive());
        expectNoEncoderLeft(f);
    }

    // A file the encoder cannot read fails its conversion: an error, never the
    // success message, and no join.
    void unreadableInputFails() {
        Fixture f(true);
        f.useFixtureProfile();
        addClips(f, 1);
        f.addEntry(f.app.writeFile(QStringLiteral("in/broken.avi"), QByteArray(4000, 'x')));
        runToEnd(f);
        QCOMPARE(f.prompter.messages.size(), 1);
        const auto& box = f.prompter.messages.first();
        QCOMPARE(int(box.kind), int(FakePrompter::Kind::Error));
        QCOMPARE(box.caption, QStringLiteral("Conversion Failed"));
        QVERIFY2(box.text.startsWith(QStringLiteral("Could not convert the file ") +
                                     f.app.filePath(QStringLiteral("in/broken.avi")) +
                                     QStringLiteral(".\n")),
                 qPrintable(box.text));
        QCOMPARE(f.status(0), QStringLiteral("Waiting for joining"));
        QCOMPARE(f.status(1), QStringLiteral("Error"));
        QCOMPARE(f.commands.size(), 2);
        QCOMPARE(intermediatesIn(f.job->tempFolder()), QStringList());
        QVERIFY(!QFileInfo::exists(f.host.output));
        QCOMPARE(f.host.events.last(), QStringLiteral("unlock"));
        QVERIFY(!f.job->progress().progressPanelShown);
    }

    // The output folder vanishes while the inputs are converted: the join
    // fails, and says so.
    void failedJoinIsReported() {
        Fixture f(true);
        f.useFixtureProfile();
        addClips(f, 2);
        f.host.output = f.app.filePath(QStringLiteral("gone/joined.avi"));
        QDir().mkpath(f.app.filePath(QStringLiteral("gone")));
        QObject::connect(&f.tasks, &TaskListModel::dataChanged, f.job.get(), [&f] {
            if (f.status(0) == QLatin1String("Waiting for joining"))
                QDir(f.app.filePath(QStringLiteral("gone"))).removeRecursively();
        });
        runToEnd(f);
        QCOMPARE(f.prompter.messages.size(), 1);
        QCOMPARE(f.prompter.messages.first().caption, QStringLiteral("Joining Failed"));
        QVERIFY(f.prompter.messages.first().text.startsWith(
            QStringLiteral("Could not write the output file ") + f.host.output + QLatin1Char('.')));
        QCOMPARE(f.status(0), QStringLiteral("Error"));
        QCOMPARE(f.status(1), QStringLiteral("Error"));
        QCOMPARE(intermediatesIn(f.job->tempFolder()), QStringList());
    }

    // The rename choice writes to the first free name and overwrites nothing.
    void renameWritesAFreeName() {
        Fixture f(true);
        f.useFixtureProfile();
        addClips(f, 2);
        f.preferences.overwrite = OverwritePolicy::Rename;
        f.host.output = f.app.writeFile(QStringLiteral("out/joined.avi"), "first");
        f.app.writeFile(QStringLiteral("out/joined_1.avi"), "second");
        runToEnd(f);
        QCOMPARE(f.host.output, f.app.filePath(QStringLiteral("out/joined.avi")));
        QVERIFY(f.commands.last().contains(
            QStringLiteral(" -o \"") + f.app.filePath(QStringLiteral("out/joined_2.avi")) + '"'));
        auto content = [&f](const char* name) {
            QFile file(f.app.filePath(QString::fromLatin1(name)));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QCOMPARE(content("out/joined.avi"), QByteArray("first"));
        QCOMPARE(content("out/joined_1.avi"), QByteArray("second"));
        QCOMPARE(ReadMediaFacts(f.app.filePath(QStringLiteral("out/joined_2.avi"))).format,
                 QStringLiteral("AVI"));
        QCOMPARE(f.opener.paths, QStringList{f.app.filePath(QStringLiteral("out"))});
    }

    // Power-off comes first and closes the program without a message.
    void powerOffAfterCompletion() {
        Fixture f(true);
        f.useFixtureProfile();
        addClips(f, 2);
        f.preferences.turnOff = true;
        f.preferences.exitProgram = true;
        runToEnd(f);
        QCOMPARE(f.powerOff.requests, 1);
        QCOMPARE(f.prompter.messages.size(), 0);
        QCOMPARE(f.host.events.last(), QStringLiteral("close"));
        QVERIFY(f.opener.paths.isEmpty());
    }

    // Closing the window during a job lets the job finish, with its message,
    // and then closes the program.
    void closeDuringJob() {
        Fixture f(true);
        f.useFixtureProfile();
        addClips(f, 2);
        QObject::connect(f.job.get(), &JoinJob::encoderStarted, f.job.get(),
                         [&f] { QVERIFY(f.job->deferWindowClose()); });
        QStringList eventsAtMessage;
        f.prompter.onMessage = [&](const FakePrompter::Message&) {
            eventsAtMessage = f.host.events;
        };
        runToEnd(f);
        QCOMPARE(f.shown(),
                 QStringList{QStringLiteral("Complete|The joining is completed successfully.")});
        QVERIFY(!eventsAtMessage.contains(QStringLiteral("close")));
        QCOMPARE(f.host.events.last(), QStringLiteral("close"));
    }
};

QTEST_GUILESS_MAIN(TestJoinRuns)
#include "test_joinRuns.moc"
