#include "tasks/mediaInfo.h"
#include "tests/support/testMedia.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestMediaInfo final : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void playTimeToLengthText_data() {
        QTest::addColumn<QString>("milliseconds");
        QTest::addColumn<QString>("lengthText");
        QTest::newRow("205400 ms") << "205400"
                                   << "00:03:25.4";
        QTest::newRow("one hour") << "3600000"
                                  << "01:00:00";
        QTest::newRow("zero") << "0"
                              << "00:00:00";
        QTest::newRow("250 ms") << "250"
                                << "00:00:00.2";
        QTest::newRow("100 hours") << "360000000"
                                   << "100:00:00";
        QTest::newRow("fraction of a millisecond") << "1000.5"
                                                   << "00:00:01";
        QTest::newRow(".96 s carries") << "59960"
                                       << "00:01:00";
    }
    void playTimeToLengthText() {
        QFETCH(QString, milliseconds);
        QFETCH(QString, lengthText);
        QString text, error;
        QVERIFY(PlayTimeToLengthText(milliseconds, &text, &error));
        QCOMPARE(text, lengthText);
    }

    void unreadablePlayTimeFails_data() {
        QTest::addColumn<QString>("milliseconds");
        QTest::addColumn<QString>("reasonPart");
        QTest::newRow("empty") << ""
                               << "no play time";
        QTest::newRow("not a number") << "12 min"
                                      << "'12 min' is not a number";
        QTest::newRow("comma") << "1,5"
                               << "'1,5' is not a number";
    }
    void unreadablePlayTimeFails() {
        QFETCH(QString, milliseconds);
        QFETCH(QString, reasonPart);
        QString text, error;
        QVERIFY(!PlayTimeToLengthText(milliseconds, &text, &error));
        QVERIFY2(error.contains(reasonPart), qPrintable(error));
        QVERIFY(text.isEmpty());
    }

    // Real clips, read with the real library.
    void clips_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("lengthText");
        QTest::newRow("avi") << "one.avi" << 320 << 240 << 1.0 << "00:00:01";
        QTest::newRow("mp4 with tenths") << "two.mp4" << 640 << 360 << 1.5 << "00:00:01.5";
        QTest::newRow("mpeg program stream") << "three.mpg" << 352 << 288 << 2.0 << "00:00:02";
        QTest::newRow("blanks, quotes, non-ASCII")
            << "Ça \"va\" très bien.mov" << 160 << 120 << 1.0 << "00:00:01";
    }
    void clips() {
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(double, seconds);
        QFETCH(QString, lengthText);
        const QString path = m_dir.filePath(name);
        ClipSpec spec;
        spec.width = width;
        spec.height = height;
        spec.seconds = seconds;
        spec.audio = false; // so the play time is the video's, to the frame
        QString error;
        QVERIFY2(MakeClip(path, spec, &error), qPrintable(error));
        const MediaInfoResult info = ReadMediaInfo(path);
        QVERIFY2(info.ok, qPrintable(info.error));
        QCOMPARE(info.sizeText, QStringLiteral("%1x%2").arg(width).arg(height));
        QCOMPARE(info.lengthText, lengthText);
    }

    void audioOnlyFileHasSizeTextX() {
        const QString path = m_dir.filePath(QStringLiteral("tone.mp3"));
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     {QStringLiteral("-hide_banner"), QStringLiteral("-loglevel"),
                      QStringLiteral("error"), QStringLiteral("-y"), QStringLiteral("-f"),
                      QStringLiteral("lavfi"), QStringLiteral("-i"),
                      QStringLiteral("sine=duration=1"), path});
        QVERIFY(ffmpeg.waitForFinished(30000) && ffmpeg.exitCode() == 0);
        const MediaInfoResult info = ReadMediaInfo(path);
        QVERIFY2(info.ok, qPrintable(info.error));
        QCOMPARE(info.sizeText, QStringLiteral("x"));
    }

    void filesWithoutPlayTimeFail_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // empty: the file is not made
        QTest::addColumn<QString>("reasonPart");
        QTest::newRow("text file")
            << "notes.avi" << QByteArray("just some words\n") << "no play time";
        QTest::newRow("missing file") << "gone.avi" << QByteArray() << "does not exist";
    }
    void filesWithoutPlayTimeFail() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, reasonPart);
        const QString path = m_dir.filePath(name);
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const MediaInfoResult info = ReadMediaInfo(path);
        QVERIFY(!info.ok);
        QVERIFY2(info.error.contains(reasonPart), qPrintable(info.error));
        QVERIFY(info.lengthText.isEmpty());
        QVERIFY(info.sizeText.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMediaInfo)
#include "test_mediaInfo.moc"
