#include "shell/mainWindowPreferences.h"
#include "tests/support/fakePrompter.h"
#include "tests/support/testAppDir.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestMainWindowPreferences final : public QObject {
    Q_OBJECT
private slots:
    void restoresProfileAndOutputFile_data() {
        QTest::addColumn<QByteArray>("preferences");
        QTest::addColumn<int>("profiles");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("changeRuns");
        QTest::addColumn<QString>("outputFile");
        QTest::newRow("first run") << QByteArray() << 3 << 0 << 1 << "";
        QTest::newRow("stored position")
            << QByteArray("[Main]\nProfile=2\nOutput File=/v/out.avi\n") << 3 << 2 << 1
            << "/v/out.avi";
        QTest::newRow("position 7 of three selects nothing")
            << QByteArray("[Main]\nProfile=7\n") << 3 << -1 << 1 << "";
        QTest::newRow("none stored as -1")
            << QByteArray("[Main]\nProfile=-1\n") << 3 << -1 << 1 << "";
        QTest::newRow("no profiles: nothing selected or run")
            << QByteArray("[Main]\nProfile=1\nOutput File=/o.mp4\n") << 0 << -1 << 0 << "/o.mp4";
    }
    void restoresProfileAndOutputFile() {
        QFETCH(QByteArray, preferences);
        QFETCH(int, profiles);
        QFETCH(int, selected);
        QFETCH(int, changeRuns);
        QFETCH(QString, outputFile);
        TestAppDir dir;
        if (!preferences.isEmpty())
            dir.writeFile(QStringLiteral("Preferences.ini"), preferences);
        QComboBox cmbProfile;
        for (int i = 0; i < profiles; ++i)
            cmbProfile.addItem(QStringLiteral("Profile %1").arg(i));
        cmbProfile.setCurrentIndex(-1);
        QLineEdit edtOutputFile(dir.path()); // start-up puts the application folder there
        int runs = 0;
        int selectedDuringChange = -2;
        // The main window would also run the change on its list's own signal;
        // the restore must still run it exactly once.
        QObject::connect(&cmbProfile, &QComboBox::currentIndexChanged, [&runs] { ++runs; });
        RestoreMainWindowPreferences(dir.info(), cmbProfile, edtOutputFile, [&] {
            ++runs;
            selectedDuringChange = cmbProfile.currentIndex();
        });
        QCOMPARE(cmbProfile.currentIndex(), selected);
        QCOMPARE(runs, changeRuns);
        if (changeRuns)
            QCOMPARE(selectedDuringChange, selected);
        QCOMPARE(edtOutputFile.text(), outputFile);
    }

    void closingStoresPositionAndOutputFile_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("a profile")
            << 1 << QByteArray("[Main]\nProfile=1\nOutput File=/v/a b.avi\n");
        QTest::newRow("none selected")
            << -1 << QByteArray("[Main]\nProfile=-1\nOutput File=/v/a b.avi\n");
    }
    void closingStoresPositionAndOutputFile() {
        QFETCH(int, selected);
        QFETCH(QByteArray, expected);
        TestAppDir dir;
        QComboBox cmbProfile;
        cmbProfile.addItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        cmbProfile.setCurrentIndex(selected);
        QLineEdit edtOutputFile(QStringLiteral("/v/a b.avi"));
        FakePrompter prompter;
        QVERIFY(StoreMainWindowPreferences(dir.info(), cmbProfile, edtOutputFile, prompter));
        QVERIFY(prompter.messages.isEmpty());
        QCOMPARE(contentOf(dir.filePath(QStringLiteral("Preferences.ini"))), expected);
    }

    void failedStoreIsReported() {
        TestAppDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("Preferences.ini"))));
        QComboBox cmbProfile;
        QLineEdit edtOutputFile;
        FakePrompter prompter;
        QVERIFY(!StoreMainWindowPreferences(dir.info(), cmbProfile, edtOutputFile, prompter));
        QCOMPARE(prompter.texts(), QStringList{QStringLiteral("Unable to write to ") +
                                               dir.filePath(QStringLiteral("Preferences.ini"))});
    }
};

QTEST_MAIN(TestMainWindowPreferences)
#include "test_mainWindowPreferences.moc"
