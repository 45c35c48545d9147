#include "app/programInfo.h"
#include "tests/support/testAppDir.h"

#include <QTest>

class TestProgramInfo final : public QObject {
    Q_OBJECT
private slots:
    void dialogFiltersReadExactly() {
        QCOMPARE(SaveDialogFilter(),
                 QStringLiteral("AVI Files (*.avi)|*.avi|MPG Files (*.mpg)|*.mpg|MP4 Files "
                                "(*.mp4)|*.mp4|WMV Files (*.wmv)|*.wmv|MOV Files (*.mov)|*.mov|VOB "
                                "Files (*.vob)|*.vob|ASF Files (*.asf)|*.asf|FLV Files "
                                "(*.flv)|*.flv|All Files (*.*)|*.*"));
        QCOMPARE(OpenDialogFilter(),
                 QStringLiteral(
                     "All Support "
                     "Files(*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;)|*.avi;*.mpg;*.mpeg;"
                     "*.mp4;*.wmv;*.mov;*.vob;*.asf;|AVI Files (*.avi)|*.avi|MPG Files "
                     "(*.mpg)|*.mpg|MPEG Files (*.mpeg)|*.mpeg|MP4 Files (*.mp4)|*.mp4|WMV Files "
                     "(*.wmv)|*.wmv|MOV Files (*.mov)|*.mov|VOB Files (*.vob)|*.vob|ASF Files "
                     "(*.asf)|*.asf|All Files (*.*)|*.*"));
        QCOMPARE(InputMask(), QStringLiteral("*.avi;*.mpg;*.mpeg;*.mp4;*.wmv;*.mov;*.vob;*.asf;"));
    }

    void qtFilterKeepsEveryPattern() {
        const QStringList entries = ToQtFilter(OpenDialogFilter()).split(QStringLiteral(";;"));
        QCOMPARE(
            entries.first(),
            QStringLiteral("All Support Files(*.avi *.mpg *.mpeg *.mp4 *.wmv *.mov *.vob *.asf)"));
        QCOMPARE(entries.last(), QStringLiteral("All Files (*.*)"));
        QCOMPARE(entries.size(), 10);
    }

    void versionComesFromPreferences() {
        TestAppDir dir;
        QCOMPARE(dir.info().caption(), QStringLiteral("Corvane V1.5"));
        dir.writeFile(QStringLiteral("Preferences.ini"), "[main]\nversion = 2.0\n");
        const ProgramInfo info = dir.info();
        QCOMPARE(info.caption(), QStringLiteral("Corvane V2.0"));
        QCOMPARE(info.encoderPath, dir.path() + QStringLiteral("asapi.dll"));
        QCOMPARE(info.helpFilePath, dir.path() + QStringLiteral("CorvaneHelp.chm"));
    }

    void pathParts_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("ext");
        QTest::newRow("plain") << "/home/a/clip.one.mpg"
                               << "/home/a"
                               << "clip.one.mpg"
                               << ".mpg";
        QTest::newRow("root") << "/a.avi"
                              << "/"
                              << "a.avi"
                              << ".avi";
        QTest::newRow("bare") << "movie.mpg"
                              << ""
                              << "movie.mpg"
                              << ".mpg";
        QTest::newRow("folder only") << "/home/v/"
                                     << "/home/v"
                                     << ""
                                     << "";
        QTest::newRow("colon is a name character") << "/x/a:b.avi"
                                                   << "/x"
                                                   << "a:b.avi"
                                                   << ".avi";
        QTest::newRow("dot in folder") << "/x.d/name"
                                       << "/x.d"
                                       << "name"
                                       << "";
    }
    void pathParts() {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, ext);
        QCOMPARE(FolderPart(path), folder);
        QCOMPARE(FileNamePart(path), name);
        QCOMPARE(ExtensionOf(path), ext);
    }
};

QTEST_GUILESS_MAIN(TestProgramInfo)
#include "test_programInfo.moc"
