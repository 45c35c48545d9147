#include "tasks/timeText.h"

#include <QTest>

class TestTimeText final : public QObject {
    Q_OBJECT
private slots:
    void secondsToText_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("205400 ms") << 205.4 << "00:03:25.4";
        QTest::newRow("one hour") << 3600.0 << "01:00:00";
        QTest::newRow("zero") << 0.0 << "00:00:00";
        QTest::newRow("250 ms, half to even") << 0.25 << "00:00:00.2";
        QTest::newRow("750 ms, half to even") << 0.75 << "00:00:00.8";
        QTest::newRow("100 hours") << 360000.0 << "100:00:00";
        QTest::newRow("no tenths written") << 61.04 << "00:01:01";
        QTest::newRow(".95 carries into the seconds") << 59.96 << "00:01:00";
        QTest::newRow("carry across the hour") << 3599.97 << "01:00:00";
    }
    void secondsToText() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(SecondsToTimeText(seconds), text);
    }

    void textToSeconds_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("seconds");
        QTest::newRow("tenths") << "00:03:25.4" << 205.4;
        QTest::newRow("one hour") << "01:00:00" << 3600.0;
        QTest::newRow("half second") << "00:00:07.5" << 7.5;
        QTest::newRow("single digits") << "1:2:3" << 3723.0;
        QTest::newRow("long hours") << "100:00:00" << 360000.0;
        QTest::newRow("seconds start with a point") << "00:00:.5" << -1.0;
        QTest::newRow("only two parts") << "00:01" << -1.0;
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("letters") << "aa:bb:cc" << -1.0;
        QTest::newRow("third colon stays in the seconds") << "00:00:01:2" << -1.0;
    }
    void textToSeconds() {
        QFETCH(QString, text);
        QFETCH(double, seconds);
        QCOMPARE(TimeTextToSeconds(text), seconds);
    }

    // Every play time must read back from its text to within a tenth of a
    // second, also where the tenths round up to a whole second.
    void readsBackWithinATenth_data() {
        QTest::addColumn<double>("seconds");
        for (double s : {0.04, 0.05, 0.94, 0.95, 0.96, 0.99, 12.349, 59.951, 3599.999, 7322.15})
            QTest::newRow(qPrintable(QString::number(s))) << s;
    }
    void readsBackWithinATenth() {
        QFETCH(double, seconds);
        const QString text = SecondsToTimeText(seconds);
        QVERIFY2(!text.endsWith(QLatin1String(".10")), qPrintable(text));
        QVERIFY2(qAbs(TimeTextToSeconds(text) - seconds) <= 0.1 + 1e-9, qPrintable(text));
    }
};

QTEST_APPLESS_MAIN(TestTimeText)
#include "test_timeText.moc"
