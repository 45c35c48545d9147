#include "shell/iniFile.h"
#include "tests/shell/readOnlyFolder.h"
#include "tests/support/testAppDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <optional>

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QByteArray Sample = "; Corvane settings\n"
                          "[Other]\n"
                          "Output File=/elsewhere.avi\n"
                          "\n"
                          "[Main]\n"
                          "  Output File =  \"/home/me/joined.avi\"  \n"
                          ";Temp Dir=/commented/out/\n"
                          "Auto Exit=1\n"
                          "Mine=kept as it is\n"
                          "\n"
                          "[main]\n"
                          "Late=only in a second [main]\n";

} // namespace

class TestIniFile final : public QObject {
    Q_OBJECT
private slots:
    void readsProfileStrings_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QString fallback = QStringLiteral("<default>");
        QTest::newRow("names ignore case") << Sample << "MAIN"
                                           << "output file"
                                           << "/home/me/joined.avi";
        QTest::newRow("same key, other section") << Sample << "Other"
                                                 << "Output File"
                                                 << "/elsewhere.avi";
        QTest::newRow("missing key") << Sample << "Main"
                                     << "Temp Dir" << fallback;
        QTest::newRow("missing section") << Sample << "Default"
                                         << "Auto Exit" << fallback;
        QTest::newRow("comment is no key") << Sample << "Main"
                                           << ";Temp Dir" << fallback;
        QTest::newRow("only the first section counts") << Sample << "Main"
                                                       << "Late" << fallback;
        QTest::newRow("blanks trimmed") << QByteArray("[s]\nk = \t spaced out \t\n") << "s"
                                        << "k"
                                        << "spaced out";
        QTest::newRow("quotes keep inner blanks") << QByteArray("[s]\nk=\"  a b \"\n") << "s"
                                                  << "k"
                                                  << "  a b ";
        QTest::newRow("one pair of quotes only") << QByteArray("[s]\nk=\"\"x\"\"\n") << "s"
                                                 << "k"
                                                 << "\"x\"";
        QTest::newRow("single quotes") << QByteArray("[s]\nk='x'\n") << "s"
                                       << "k"
                                       << "x";
        QTest::newRow("unbalanced quote stays") << QByteArray("[s]\nk=\"x\n") << "s"
                                                << "k"
                                                << "\"x";
        QTest::newRow("empty value is a value") << QByteArray("[s]\nk=\n") << "s"
                                                << "k"
                                                << "";
        QTest::newRow("CRLF file") << QByteArray("[s]\r\nk=v\r\n") << "s"
                                   << "k"
                                   << "v";
        QTest::newRow("no newline at end") << QByteArray("[s]\nk=v") << "s"
                                           << "k"
                                           << "v";
        QTest::newRow("equals inside value") << QByteArray("[s]\nk=a=b\n") << "s"
                                             << "k"
                                             << "a=b";
        QTest::newRow("non-ASCII") << QByteArray("[s]\nk=/home/jörg/Größe.avi\n") << "s"
                                   << "k" << QStringLiteral("/home/jörg/Größe.avi");
    }
    void readsProfileStrings() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TestAppDir dir;
        const IniFile ini(dir.writeFile(QStringLiteral("Preferences.ini"), content));
        QCOMPARE(ini.readString(section, key, QStringLiteral("<default>")), expected);
    }

    void missingFileGivesDefaults() {
        TestAppDir dir;
        const IniFile ini(dir.filePath(QStringLiteral("Preferences.ini")));
        QCOMPARE(ini.readString(QStringLiteral("Main"), QStringLiteral("Version"),
                                QStringLiteral("1.5")),
                 QStringLiteral("1.5"));
        QCOMPARE(ini.readNumber(QStringLiteral("Main"), QStringLiteral("Profile"), 0), 0);
        QVERIFY(ini.readFlag(QStringLiteral("Main"), QStringLiteral("Ask"), true));
        QVERIFY(!QFile::exists(ini.path())); // reading never creates the file
    }

    void longValuesAreCut() {
        TestAppDir dir;
        const QByteArray value(3000, 'v');
        const IniFile ini(dir.writeFile(QStringLiteral("p.ini"), "[s]\nk=\"" + value + "\"\n"));
        QCOMPARE(ini.readString(QStringLiteral("s"), QStringLiteral("k"), QString()),
                 QString(2047, QLatin1Char('v')));
    }

    void numberForms_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");  // readNumber with default -77
        QTest::addColumn<int>("decimal"); // readInteger with default -77
        QTest::newRow("decimal") << "12" << 12 << 12;
        QTest::newRow("minus") << "-1" << -1 << -1;
        QTest::newRow("plus") << "+7" << 7 << 7;
        QTest::newRow("blanks around") << "  42 " << 42 << 42;
        QTest::newRow("dollar hex") << "$1F" << 31 << -77;
        QTest::newRow("0x hex") << "0x1" << 1 << -77;
        QTest::newRow("0X hex") << "0X10" << 16 << -77;
        QTest::newRow("hex is a 32-bit pattern") << "$FFFFFFFF" << -1 << -77;
        QTest::newRow("hex too wide") << "$100000000" << -77 << -77;
        QTest::newRow("signed hex") << "$-1" << -77 << -77;
        QTest::newRow("blank after prefix") << "$ 1" << -77 << -77;
        QTest::newRow("prefix alone") << "0x" << -77 << -77;
        QTest::newRow("empty") << "" << -77 << -77;
        QTest::newRow("word true") << "true" << -77 << -77;
        QTest::newRow("word yes") << "yes" << -77 << -77;
        QTest::newRow("fraction") << "1.5" << -77 << -77;
        QTest::newRow("trailing letters") << "12abc" << -77 << -77;
        QTest::newRow("blank inside") << "1 2" << -77 << -77;
        QTest::newRow("beyond 32 bits") << "2147483648" << -77 << -77;
        QTest::newRow("lowest") << "-2147483648" << INT_MIN << INT_MIN;
    }
    void numberForms() {
        QFETCH(QString, text);
        QFETCH(int, number);
        QFETCH(int, decimal);
        TestAppDir dir;
        const IniFile ini(dir.writeFile(QStringLiteral("p.ini"), "[s]\nk=" + text.toUtf8() + "\n"));
        QCOMPARE(ini.readNumber(QStringLiteral("s"), QStringLiteral("k"), -77), number);
        QCOMPARE(ini.readInteger(QStringLiteral("s"), QStringLiteral("k"), -77), decimal);
    }

    // Every write touches one line at most, and adds lines only where the key
    // or its section is missing; all other bytes stay as they were.
    void writesKeepEveryOtherLine_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace in place, spelling and blanks kept")
            << QByteArray("[A]\nx=1\n[Main]\n; note\n  Output File = old\nMine=1\n\n[B]\ny=2\n")
            << "main"
            << "OUTPUT FILE"
            << "/new.avi"
            << QByteArray(
                   "[A]\nx=1\n[Main]\n; note\n  Output File = /new.avi\nMine=1\n\n[B]\ny=2\n");
        QTest::newRow("key appended after the section's last line")
            << QByteArray("[Main]\nMine=1\n\n\n[B]\ny=2\n") << "Main"
            << "Ask"
            << "1" << QByteArray("[Main]\nMine=1\nAsk=1\n\n\n[B]\ny=2\n");
        QTest::newRow("key into an empty last section")
            << QByteArray("[A]\nx=1\n[Main]\n") << "Main"
            << "Ask"
            << "0" << QByteArray("[A]\nx=1\n[Main]\nAsk=0\n");
        QTest::newRow("section appended")
            << QByteArray("; mine\n[A]\nx=1\n") << "Main"
            << "Profile"
            << "-1" << QByteArray("; mine\n[A]\nx=1\n[Main]\nProfile=-1\n");
        QTest::newRow("file without final line break") << QByteArray("[A]\nx=1") << "A"
                                                       << "y"
                                                       << "2" << QByteArray("[A]\nx=1\ny=2\n");
        QTest::newRow("CRLF file keeps CRLF")
            << QByteArray("[A]\r\nx=1\r\n\r\n[Main]\r\nAsk=1\r\n") << "Main"
            << "Rename"
            << "0" << QByteArray("[A]\r\nx=1\r\n\r\n[Main]\r\nAsk=1\r\nRename=0\r\n");
        QTest::newRow("CRLF replace") << QByteArray("[Main]\r\nAsk=1\r\nMine=x\r\n") << "Main"
                                      << "ask"
                                      << "0" << QByteArray("[Main]\r\nAsk=0\r\nMine=x\r\n");
        QTest::newRow("only the first of two equal sections")
            << QByteArray("[Main]\nAsk=1\n[Main]\nAsk=1\n") << "Main"
            << "Ask"
            << "0" << QByteArray("[Main]\nAsk=0\n[Main]\nAsk=1\n");
        QTest::newRow("empty value") << QByteArray("[Main]\nOutput File=x\n") << "Main"
                                     << "Output File"
                                     << "" << QByteArray("[Main]\nOutput File=\n");
    }
    void writesKeepEveryOtherLine() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        TestAppDir dir;
        IniFile ini(dir.writeFile(QStringLiteral("Preferences.ini"), before));
        QVERIFY(ini.writeString(section, key, value));
        QCOMPARE(contentOf(ini.path()), after);
        QCOMPARE(ini.readString(section, key, QStringLiteral("<default>")), value);
    }

    void firstWriteCreatesTheFile() {
        TestAppDir dir;
        IniFile ini(dir.filePath(QStringLiteral("Preferences.ini")));
        QVERIFY(ini.writeInteger(QStringLiteral("Main"), QStringLiteral("Profile"), -1));
        QVERIFY(ini.writeFlag(QStringLiteral("Main"), QStringLiteral("Ask"), true));
        QVERIFY(ini.writeString(QStringLiteral("Main"), QStringLiteral("Output File"),
                                QStringLiteral("/home/jörg/out.avi")));
        QCOMPARE(
            contentOf(ini.path()),
            QStringLiteral("[Main]\nProfile=-1\nAsk=1\nOutput File=/home/jörg/out.avi\n").toUtf8());
        QVERIFY(ini.errorString().isEmpty());
    }

    // A write that cannot reach the file reports the full path and changes nothing.
    void failedWriteNamesTheFullPath_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("read-only folder, no file yet") << "read-only";
        QTest::newRow("read-only folder and file") << "read-only with file";
        QTest::newRow("name taken by a folder") << "folder";
        QTest::newRow("folder does not exist") << "no folder";
    }
    void failedWriteNamesTheFullPath() {
        QFETCH(QString, how);
        TestAppDir dir;
        const QString app = dir.filePath(QStringLiteral("app"));
        QVERIFY(QDir().mkpath(app));
        QString path = app + QStringLiteral("/Preferences.ini");
        const QByteArray original("[Main]\nAsk=1\n");
        if (how == QLatin1String("read-only with file"))
            dir.writeFile(QStringLiteral("app/Preferences.ini"), original);
        if (how == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));
        if (how == QLatin1String("no folder"))
            path = app + QStringLiteral("/gone/Preferences.ini");

        std::optional<ReadOnlyFolder> readOnly;
        if (how.startsWith(QLatin1String("read-only"))) {
            readOnly.emplace(app);
            if (!readOnly->isEffective())
                QSKIP("this file system lets the test user write into a read-only folder");
        }
        // A relative name still reports the full path.
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        IniFile ini(QDir(dir.path()).relativeFilePath(path));
        const bool written = ini.writeFlag(QStringLiteral("Main"), QStringLiteral("Ask"), false);
        QDir::setCurrent(previous);

        QVERIFY(!written);
        QCOMPARE(ini.errorString(), QStringLiteral("Unable to write to ") + path);
        if (how == QLatin1String("read-only with file"))
            QCOMPARE(contentOf(path), original);
    }

    // A line break in a value would split it into lines of their own and could
    // plant keys the user never wrote; such a write is refused.
    void lineBreaksAreRefused_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("LF") << "/tmp/a\n[Main]\nAuto Turn Off=1";
        QTest::newRow("CR") << "a\rb";
    }
    void lineBreaksAreRefused() {
        QFETCH(QString, value);
        TestAppDir dir;
        const QByteArray original("[Main]\nOutput File=x\n");
        IniFile ini(dir.writeFile(QStringLiteral("Preferences.ini"), original));
        QVERIFY(!ini.writeString(QStringLiteral("Main"), QStringLiteral("Output File"), value));
        QCOMPARE(ini.errorString(), QStringLiteral("Unable to write to ") + ini.path());
        QCOMPARE(contentOf(ini.path()), original);
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "test_iniFile.moc"
