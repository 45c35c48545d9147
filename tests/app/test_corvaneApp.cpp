#include "app/corvaneApp.h"
#include "app/mainForm.h"
#include "tests/support/testAppDir.h"
#include "tests/support/testMedia.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

class TestCorvaneApp final : public QObject {
    Q_OBJECT
private slots:
    // Start-up builds the window over the given application folder, reads
    // the command line into the list before showing, and styles the program.
    void startsWithTheCommandLine() {
        TestAppDir appDir;
        appDir.writeFile(QStringLiteral("Preferences.ini"), "[Main]\nVersion=2.1\n");
        const QString clip = appDir.filePath(QStringLiteral("in/Clip ü.avi"));
        QDir().mkpath(appDir.filePath(QStringLiteral("in")));
        ClipSpec spec;
        spec.audio = false;
        QString error;
        QVERIFY2(MakeClip(clip, spec, &error), qPrintable(error));

        CorvaneApp app(appDir.path(), {clip, appDir.filePath(QStringLiteral("in/missing.avi"))});
        TMainForm& form = app.mainForm();
        QCOMPARE(form.windowTitle(), QStringLiteral("Corvane V2.1"));
        QCOMPARE(form.model()->count(), 1);
        QVERIFY(!form.isVisible());
        QCOMPARE(form.edtOutputFile()->text(), appDir.path());
        QVERIFY(qApp->styleSheet().contains(QLatin1String("QHeaderView")));
        app.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        qApp->setStyleSheet(QString());
    }

    void withoutDisplayFailsWithOneLine() {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        program.setProcessEnvironment(env);
        program.start(TestAppDir::buildAppDir() + QStringLiteral("corvane"), {});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QString message = QString::fromUtf8(program.readAllStandardError()).trimmed();
        QVERIFY2(message.contains(QLatin1String("no display")), qPrintable(message));
        QVERIFY2(!message.contains(QLatin1Char('\n')), qPrintable(message));
    }
};

QTEST_MAIN(TestCorvaneApp)
#include "test_corvaneApp.moc"
