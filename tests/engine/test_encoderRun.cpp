#include "engine/encoderRun.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <csignal>

// The process mechanics of an encoder run, driven with the shell as the
// program: output order, the outcome of each kind of end, and that stopping a
// run ends the helpers it started too.
class TestEncoderRun final : public QObject {
    Q_OBJECT

    static bool processAlive(qint64 pid) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray text = stat.readAll();
        const qsizetype close = text.lastIndexOf(')');
        const char state = close >= 0 && close + 2 < text.size() ? text.at(close + 2) : 'X';
        return state != 'Z' && state != 'X';
    }

    static QString shell() { return QStringLiteral("/bin/sh"); }

    static RunEnd runToEnd(EncoderRun& run, const QString& script, QByteArray* output = nullptr) {
        QSignalSpy ended(&run, &EncoderRun::ended);
        QByteArray all;
        auto connection =
            QObject::connect(&run, &EncoderRun::chunkRead, [&all](const QByteArray& chunk) {
                Q_ASSERT(chunk.size() <= 4095);
                all += chunk;
            });
        run.start(shell(), {QStringLiteral("-c"), script});
        if (!ended.wait(20000))
            return {RunOutcome::Failed, -999, QStringLiteral("timed out")};
        QObject::disconnect(connection);
        if (output)
            *output = all;
        return ended.first().first().value<RunEnd>();
    }

private slots:
    void initTestCase() { qRegisterMetaType<RunEnd>(); }

    void mapRunEnd_data() {
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("terminated");
        QTest::addColumn<bool>("crashed");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("outcome");
        QTest::newRow("clean end") << true << false << false << 0 << int(RunOutcome::Completed);
        QTest::newRow("exit code") << true << false << false << 1 << int(RunOutcome::Failed);
        QTest::newRow("crash") << true << false << true << 0 << int(RunOutcome::Failed);
        QTest::newRow("stopped") << true << true << true << 0 << int(RunOutcome::Stopped);
        QTest::newRow("not started")
            << false << false << false << -1 << int(RunOutcome::FailedToStart);
    }

    void mapRunEnd() {
        QFETCH(bool, started);
        QFETCH(bool, terminated);
        QFETCH(bool, crashed);
        QFETCH(int, exitCode);
        QFETCH(int, outcome);
        QCOMPARE(int(MapRunEnd(started, terminated,
                               crashed ? QProcess::CrashExit : QProcess::NormalExit, exitCode)),
                 outcome);
    }

    void lastErrorLine_data() {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("line");
        QTest::newRow("status lines are passed over")
            << QByteArray("Cannot open file x.avi\nPos:  1.0s\rPos:  2.0s\r")
            << "Cannot open file x.avi";
        QTest::newRow("blank lines are passed over")
            << QByteArray("first\nlast one\n\n\n") << "last one";
        QTest::newRow("nothing said") << QByteArray("Pos: 1.0s\r") << QString();
    }

    void lastErrorLine() {
        QFETCH(QByteArray, tail);
        QFETCH(QString, line);
        QCOMPARE(LastErrorLine(tail), line);
    }

    // Everything the program writes, on both channels, arrives once and in order.
    void outputArrivesInOrder() {
        EncoderRun run;
        QByteArray output;
        const RunEnd end = runToEnd(
            run,
            QStringLiteral("i=0; while [ $i -lt 2000 ]; do echo \"line $i\"; echo \"err $i\" >&2;"
                           " i=$((i+1)); done"),
            &output);
        QCOMPARE(int(end.outcome), int(RunOutcome::Completed));
        QByteArray expected;
        for (int i = 0; i < 2000; ++i)
            expected += "line " + QByteArray::number(i) + "\nerr " + QByteArray::number(i) + "\n";
        QCOMPARE(output, expected);
        QVERIFY(!run.isRunning());
        // The process object, and with it the pipe, is released after the run.
        QTRY_COMPARE(run.findChildren<QProcess*>().size(), 0);
    }

    void failureCarriesTheLastLine() {
        EncoderRun run;
        const RunEnd end = runToEnd(
            run, QStringLiteral("echo 'Pos:  1.0s'; echo 'x.avi: Invalid data found' >&2; exit 3"));
        QCOMPARE(int(end.outcome), int(RunOutcome::Failed));
        QCOMPARE(end.exitCode, 3);
        QCOMPARE(end.lastErrorLine, QStringLiteral("x.avi: Invalid data found"));
    }

    void crashIsAFailure() {
        EncoderRun run;
        const RunEnd end = runToEnd(run, QStringLiteral("kill -SEGV $$"));
        QCOMPARE(int(end.outcome), int(RunOutcome::Failed));
    }

    void missingProgramFailsToStart() {
        EncoderRun run;
        QSignalSpy ended(&run, &EncoderRun::ended);
        run.start(QStringLiteral("/nonexistent/asapi.dll"), {});
        QVERIFY(ended.wait(5000));
        QCOMPARE(int(ended.first().first().value<RunEnd>().outcome),
                 int(RunOutcome::FailedToStart));
        QVERIFY(!run.isRunning());
    }

    // Stopping ends the whole process group: a helper the program started dies too.
    void terminateEndsTheGroup() {
        EncoderRun run;
        QSignalSpy ended(&run, &EncoderRun::ended);
        QByteArray output;
        connect(&run, &EncoderRun::chunkRead, this,
                [&output](const QByteArray& chunk) { output += chunk; });
        run.start(shell(),
                  {QStringLiteral("-c"), QStringLiteral("sleep 60 & echo helper $!; wait")});
        QTRY_VERIFY(output.contains('\n'));
        const qint64 helper = output.mid(7).trimmed().toLongLong();
        QVERIFY(helper > 0);
        QCOMPARE(::kill(pid_t(helper), 0), 0);
        run.terminate();
        QVERIFY(ended.wait(5000));
        QCOMPARE(int(ended.first().first().value<RunEnd>().outcome), int(RunOutcome::Stopped));
        // The helper is gone: no such process, or only its zombie entry.
        QTRY_VERIFY_WITH_TIMEOUT(!processAlive(helper), 5000);
    }

    void terminateWithoutRunIsHarmless() {
        EncoderRun run;
        run.terminate();
        QVERIFY(!run.isRunning());
    }
};

QTEST_GUILESS_MAIN(TestEncoderRun)
#include "test_encoderRun.moc"
