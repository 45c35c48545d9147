#include "shell/iniFile.h"
#include "tests/support/testAppDir.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

// Runs a tool to its end; tests may wait where the program never does.
QString run(const QString& program, const QStringList& arguments, int* exitCode) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return QStringLiteral("<did not finish>");
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestAppFolderFiles final : public QObject {
    Q_OBJECT
private slots:
    void helpFileListsItsPages() {
        const QString help = TestAppDir::buildAppDir() + QStringLiteral("CorvaneHelp.chm");
        QVERIFY2(QFile::exists(help), qPrintable(help));
        int exitCode = -1;
        const QString listing =
            run(QStringLiteral("chmls"), {QStringLiteral("list"), help}, &exitCode);
        QCOMPARE(exitCode, 0);
        for (const char* page : {"/index.html", "/adding-files.html", "/profiles.html",
                                 "/output-file.html", "/preferences.html", "/joining.html",
                                 "/messages.html", "/support.html", "/toc.hhc", "/style.css"})
            QVERIFY2(listing.contains(QLatin1String(page)), page);
    }

    // The message page quotes the program's own texts; a sample of them, pulled
    // out of the compiled file, must read exactly as the program shows them.
    void helpQuotesTheMessages() {
        const QString help = TestAppDir::buildAppDir() + QStringLiteral("CorvaneHelp.chm");
        TestAppDir out;
        int exitCode = -1;
        run(QStringLiteral("chmls"),
            {QStringLiteral("extract"), help, QStringLiteral("/messages.html"),
             out.filePath(QStringLiteral("messages.html"))},
            &exitCode);
        QCOMPARE(exitCode, 0);
        const QByteArray page = contentOf(out.filePath(QStringLiteral("messages.html")));
        for (const char* text :
             {"Please add at least 2 videos to the task for joining.",
              "The output path does not exist. Please specify another one.",
              "Please specify the output file.", "The joining is completed successfully.",
              "The Coversion is canceled.", "The Joining is canceled.",
              "Are you sure to load the default preferences?",
              "This file has been added to the Task List already. Are you sure to add it again?",
              "Unable to write to "})
            QVERIFY2(page.contains(text), text);
    }

    void shippedPreferences() {
        const IniFile shipped(TestAppDir::buildAppDir() + QStringLiteral("Preferences.ini"));
        QCOMPARE(shipped.readString(QStringLiteral("Main"), QStringLiteral("Version"), QString()),
                 QStringLiteral("1.5"));
        // [Default] is complete, and carries no temp folder.
        for (const char* key : {"Output File", "Auto Open Dir", "Auto Exit", "Auto Turn Off", "Ask",
                                "Overwrite", "Rename"})
            QVERIFY2(shipped.readString(QStringLiteral("Default"), QLatin1String(key),
                                        QStringLiteral("<absent>")) != QLatin1String("<absent>"),
                     key);
        QCOMPARE(shipped.readString(QStringLiteral("Default"), QStringLiteral("Temp Dir"),
                                    QStringLiteral("<absent>")),
                 QStringLiteral("<absent>"));
    }

    // The build's copy step never replaces a person's Preferences.ini.
    void rebuildKeepsExistingPreferences() {
        TestAppDir dir;
        const QString script =
            TestAppDir::sourceDir() + QStringLiteral("resources/preferences/copyIfAbsent.cmake");
        const QString source =
            TestAppDir::sourceDir() + QStringLiteral("resources/preferences/Preferences.ini");
        const QString destination = dir.filePath(QStringLiteral("Preferences.ini"));
        const QStringList arguments{QStringLiteral("-DSOURCE=") + source,
                                    QStringLiteral("-DDESTINATION=") + destination,
                                    QStringLiteral("-P"), script};
        int exitCode = -1;
        run(QStringLiteral("cmake"), arguments, &exitCode);
        QCOMPARE(exitCode, 0);
        QCOMPARE(contentOf(destination), contentOf(source));

        dir.writeFile(QStringLiteral("Preferences.ini"), "[Main]\nTemp Dir=/mine/\n");
        run(QStringLiteral("cmake"), arguments, &exitCode);
        QCOMPARE(exitCode, 0);
        QCOMPARE(contentOf(destination), QByteArray("[Main]\nTemp Dir=/mine/\n"));
    }
};

QTEST_GUILESS_MAIN(TestAppFolderFiles)
#include "test_appFolderFiles.moc"
