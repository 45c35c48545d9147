#include "app/corvaneApp.h"
#include "app/mainForm.h"
#include "profiles/outputSettingsForm.h"
#include "profiles/profileCatalogue.h"

#include "tests/support/testAppDir.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

// The profile list and the output settings dialog as the program puts them
// together around its main window.
class TestProfileWiring final : public QObject {
    Q_OBJECT

private slots:
    void profileListChoosesAndTheSettingButtonOpensTheDialog() {
        TestAppDir appDir;
        QVERIFY(appDir.installShippedProfiles());
        appDir.writeFile(QStringLiteral("Profiles/Zz Custom.BPF"),
                         "[Main]\nType=mov\n[Video Codec]\nItems=1\nCaption0=Mine\nIndex=0\n");
        CorvaneApp app(appDir.path(), {});
        TMainForm& form = app.mainForm();
        QComboBox* profiles = form.cmbProfile();
        QStringList shown;
        for (int i = 0; i < profiles->count(); ++i)
            shown << profiles->itemText(i);
        QCOMPARE(shown, ProfileCatalogue(appDir.filePath(QStringLiteral("Profiles/"))));
        QCOMPARE(shown.last(), QStringLiteral("Zz Custom"));

        app.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        // Choosing the last profile, written with an upper-case extension, loads it.
        profiles->setFocus();
        QTest::keyClick(profiles, Qt::Key_End);
        QCOMPARE(profiles->currentText(), QStringLiteral("Zz Custom"));
        QCOMPARE(app.encodingChoices().outputExt, QStringLiteral(".mov"));
        QCOMPARE(app.encodingChoices().text(SettingBox::Vcodec), QStringLiteral("Mine"));
        QTest::keyClick(profiles, Qt::Key_Home);
        QCOMPARE(app.encodingChoices().outputExt, QStringLiteral(".avi"));

        TopSettingForm& dialog = app.opSettingForm();
        QVERIFY(!dialog.isVisible());
        QTest::mouseClick(form.bbtnSetting(), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        QVERIFY(!form.isEnabled());
        QCOMPARE(dialog.settingBox(SettingBox::Acodec)->currentText(), QStringLiteral("MP3"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(form.isEnabled());
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestProfileWiring)
#include "test_profileWiring.moc"
