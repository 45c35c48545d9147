#include "engine/jobProgress.h"

#include <QSignalSpy>
#include <QTest>

class TestJobProgress final : public QObject {
    Q_OBJECT

private slots:
    void barValue_data() {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("shown");
        QTest::newRow("zero") << qint64(0) << true << 0;
        QTest::newRow("inside") << qint64(42) << true << 42;
        QTest::newRow("full") << qint64(100) << true << 100;
        QTest::newRow("above the range shows full") << qint64(101) << true << 100;
        QTest::newRow("upper limit") << qint64(65535) << true << 100;
        QTest::newRow("beyond the limit is refused") << qint64(65536) << false << 7;
        QTest::newRow("negative is refused") << qint64(-1) << false << 7;
    }

    void barValue() {
        QFETCH(qint64, value);
        QFETCH(bool, accepted);
        QFETCH(int, shown);
        BarValue bar;
        bar.set(7);
        QCOMPARE(bar.set(value), accepted);
        QCOMPARE(bar.shown(), shown);
        QCOMPARE(bar.labelText(), QString::number(shown) + QLatin1Char('%'));
    }

    void nearestIsBankers() {
        QCOMPARE(NearestBarValue(2.5), std::optional<qint64>(2));
        QCOMPARE(NearestBarValue(3.5), std::optional<qint64>(4));
        QCOMPARE(NearestBarValue(18.75), std::optional<qint64>(19));
        QCOMPARE(NearestBarValue(qInf()), std::nullopt);
        QCOMPARE(NearestBarValue(qQNaN()), std::nullopt);
        QCOMPARE(NearestBarValue(1e12), std::nullopt);
    }

    // Three entries of 60, 120 and 60 seconds.
    void workedExample() {
        JobProgress progress;
        QSignalSpy panels(&progress, &JobProgress::panelsSwapped);
        progress.startConversionPass(240);
        QCOMPARE(progress.processTitle, QStringLiteral("Prepare (Converting):"));
        QVERIFY(progress.progressPanelShown);
        QCOMPARE(panels.size(), 1);
        QCOMPARE(progress.elapsedText, QString()); // empty until the first tick
        QCOMPARE(progress.current.labelText(), QStringLiteral("0%"));

        progress.startEntry(QStringLiteral("/videos/first clip.mpg"), 60);
        QCOMPARE(progress.convertingFile, QStringLiteral("first clip.mpg"));
        progress.ShowStatusPosition(60);
        progress.entryConverted(false);
        QCOMPARE(progress.current.shown(), 0); // back to 0 for the next entry

        progress.startEntry(QStringLiteral("/videos/second.avi"), 120);
        progress.ShowStatusPosition(30);
        QCOMPARE(progress.current.shown(), 25);
        QCOMPARE(progress.total.shown(), 19);
        QCOMPARE(progress.current.labelText(), QStringLiteral("25%"));
        QCOMPARE(progress.total.labelText(), QStringLiteral("19%"));
        progress.ShowStatusPosition(std::nullopt); // no position: recomputed as before
        QCOMPARE(progress.total.shown(), 19);
        progress.ShowStatusPosition(120);
        progress.entryConverted(false);

        progress.startEntry(QStringLiteral("/videos/third.vob"), 60);
        progress.ShowStatusPosition(60);
        progress.entryConverted(true);
        QCOMPARE(progress.current.shown(), 100); // kept after the last entry
        QCOMPARE(progress.total.shown(), 50);

        progress.startJoinPass(240);
        QCOMPARE(progress.processTitle, QStringLiteral("Final Step: Joining all files..."));
        QVERIFY(!progress.convertingFileVisible);
        QCOMPARE(progress.total.shown(), 50); // the bars keep their values
        progress.ShowStatusPosition(120);
        QCOMPARE(progress.current.shown(), 50);
        QCOMPARE(progress.total.shown(), 75);
        progress.ShowStatusPosition(90); // a position that falls back moves nothing
        QCOMPARE(progress.Position, 120.0);
        QCOMPARE(progress.total.shown(), 75);

        progress.joinCompleted();
        QCOMPARE(progress.current.labelText(), QStringLiteral("100%"));
        QCOMPARE(progress.total.labelText(), QStringLiteral("100%"));
        QVERIFY(!progress.timerActive());
        progress.showIdlePanels();
        QVERIFY(!progress.progressPanelShown);
        QCOMPARE(panels.size(), 2);
        QCOMPARE(panels.last().first().toBool(), false);
    }

    // An entry whose length is unknown counts as -1 second: once its position
    // is above 0 neither bar moves during that entry.
    void unknownLength() {
        JobProgress progress;
        progress.startConversionPass(60 - 1);
        progress.startEntry(QStringLiteral("/v/unknown.avi"), -1);
        progress.ShowStatusPosition(5);
        QCOMPARE(progress.current.shown(), 0);
        QCOMPARE(progress.total.shown(), 0);
        progress.entryConverted(false);
        QCOMPARE(progress.DoneSeconds, -1.0);

        progress.startEntry(QStringLiteral("/v/known.avi"), 60);
        progress.ShowStatusPosition(30);
        QCOMPARE(progress.current.shown(), 50);
        QCOMPARE(progress.total.shown(), 25); // (−1 + 30) / 59 × 50 = 24.6
    }

    // A position beyond the entry's length fills the current bar while the
    // total bar goes on; a value past 65535 is refused and the labels keep
    // showing what the bars show.
    void positionBeyondLength() {
        JobProgress progress;
        progress.startConversionPass(20);
        progress.startEntry(QStringLiteral("/v/a.avi"), 10);
        progress.ShowStatusPosition(15);
        QCOMPARE(progress.current.shown(), 100);
        QCOMPARE(progress.current.labelText(), QStringLiteral("100%"));
        QCOMPARE(progress.total.shown(), 38); // 15 / 20 × 50 = 37.5, to even 38
        progress.ShowStatusPosition(100000);  // current would be 1 000 000: refused
        QCOMPARE(progress.current.shown(), 100);
        QCOMPARE(progress.total.shown(), 38); // skipped with the rest of the update
    }

    void zeroLengthIsNotDivided() {
        JobProgress progress;
        progress.startConversionPass(0);
        progress.startEntry(QStringLiteral("/v/a.avi"), 0);
        progress.ShowStatusPosition(5);
        QCOMPARE(progress.current.shown(), 0);
        QCOMPARE(progress.total.shown(), 0);
    }

    void timeEstimate_data() {
        QTest::addColumn<double>("position"); // of a 100-second job, conversion pass
        QTest::addColumn<qint64>("elapsed");
        QTest::addColumn<QString>("elapsedText");
        QTest::addColumn<QString>("remainingText");
        QTest::newRow("total at 30")
            << 60.0 << qint64(90) << QStringLiteral("00:01:30") << QStringLiteral("00:03:30");
        QTest::newRow("total at 50")
            << 100.0 << qint64(600) << QStringLiteral("00:10:00") << QStringLiteral("00:10:00");
        QTest::newRow("total at 0 keeps 0")
            << 0.0 << qint64(5) << QStringLiteral("00:00:05") << QStringLiteral("00:00:00");
        QTest::newRow("hundred hours")
            << 0.0 << qint64(360000) << QStringLiteral("100:00:00") << QStringLiteral("00:00:00");
    }

    void timeEstimate() {
        QFETCH(double, position);
        QFETCH(qint64, elapsed);
        QFETCH(QString, elapsedText);
        QFETCH(QString, remainingText);
        JobProgress progress;
        progress.startConversionPass(100);
        progress.startEntry(QStringLiteral("/v/a.avi"), 100);
        progress.ShowStatusPosition(position);
        progress.updateTimes(elapsed);
        QCOMPARE(progress.elapsedText, elapsedText);
        QCOMPARE(progress.remainingText, remainingText);
    }

    void estimateAtFullIsZero() {
        JobProgress progress;
        progress.startConversionPass(100);
        progress.joinCompleted();
        progress.updateTimes(77);
        QCOMPARE(progress.remainingText, QStringLiteral("00:00:00"));
    }

    // The timer reads a clock: its first tick comes after one second and shows it.
    void timerTicksFromTheClock() {
        JobProgress progress;
        progress.startConversionPass(100);
        QVERIFY(progress.timerActive());
        QTRY_COMPARE_WITH_TIMEOUT(progress.elapsedText, QStringLiteral("00:00:01"), 3000);
        progress.stopTimer();
        QVERIFY(!progress.timerActive());
    }
};

QTEST_GUILESS_MAIN(TestJobProgress)
#include "test_jobProgress.moc"
