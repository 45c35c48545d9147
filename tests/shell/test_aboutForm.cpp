#include "shell/aboutForm.h"
#include "shell/helpCommands.h"
#include "tests/support/recordingOpener.h"
#include "tests/support/testAppDir.h"

#include <QLabel>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTest>
#include <QUrl>

namespace {

struct Fixture {
    TestAppDir dir;
    QWidget mainWindow;
    RecordingOpener opener;
    std::unique_ptr<TAboutForm> form;

    explicit Fixture(const QByteArray& preferences = QByteArray()) {
        if (!preferences.isEmpty())
            dir.writeFile(QStringLiteral("Preferences.ini"), preferences);
        mainWindow.setGeometry(60, 40, 798, 542);
        mainWindow.show();
        form = std::make_unique<TAboutForm>(dir.info(), opener, &mainWindow);
    }
    template <typename T> T* control(const QString& name) const {
        T* widget = form->findChild<T*>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QString text(const QString& name) const { return control<QLabel>(name)->text(); }
    void show() const {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
};

} // namespace

class TestAboutForm final : public QObject {
    Q_OBJECT
private slots:
    void texts_data() {
        QTest::addColumn<QByteArray>("preferences");
        QTest::addColumn<QString>("version");
        QTest::newRow("no Version key") << QByteArray("[Main]\nAsk=1\n") << "Version 1.5";
        QTest::newRow("no file") << QByteArray() << "Version 1.5";
        QTest::newRow("stored version")
            << QByteArray("[main]\nversion=2.1 beta\n") << "Version 2.1 beta";
    }
    void texts() {
        QFETCH(QByteArray, preferences);
        QFETCH(QString, version);
        Fixture f(preferences);
        QCOMPARE(f.form->windowTitle(), QStringLiteral("About"));
        QCOMPARE(f.text(QStringLiteral("labProgramName")), QStringLiteral("Corvane"));
        QCOMPARE(f.text(QStringLiteral("labVersion")), version);
        QCOMPARE(f.text(QStringLiteral("labVisitWebsite")), QStringLiteral("Visit our website"));
        QCOMPARE(f.text(QStringLiteral("labWebsite")), f.dir.info().webAddress);
        QCOMPARE(f.text(QStringLiteral("Label7")),
                 QStringLiteral("More video converting softwares"));
        QCOMPARE(f.text(QStringLiteral("labMore")), QStringLiteral("(More)"));
        // The two notice lines name the maker and the year.
        const QString notices =
            f.text(QStringLiteral("labNotice1")) + f.text(QStringLiteral("labNotice2"));
        QVERIFY(notices.contains(f.dir.info().companyName));
        QVERIFY(notices.contains(QStringLiteral("2009")));
        QCOMPARE(f.control<QPushButton>(QStringLiteral("btnTech"))->text(),
                 QStringLiteral("Tech Support"));
        QCOMPARE(f.control<QPushButton>(QStringLiteral("btnSales"))->text(),
                 QStringLiteral("Sales Support"));
        QCOMPARE(f.control<QPushButton>(QStringLiteral("btnOK"))->text(), QStringLiteral("&OK"));
    }

    void buttonsLeftToRight() {
        Fixture f;
        f.show();
        const auto x = [&f](const char* name) {
            return f.control<QWidget>(QLatin1String(name))->mapTo(f.form.get(), QPoint()).x();
        };
        QVERIFY(x("btnTech") < x("btnSales"));
        QVERIFY(x("btnSales") < x("btnOK"));
        QCOMPARE(f.form->minimumSize(), f.form->maximumSize());
        const QPoint offset =
            f.form->frameGeometry().center() - f.mainWindow.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 4, "centred on the main window");
    }

    void everyLinkOpensItsAddress_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("address");
        QTest::newRow("labWebsite") << "labWebsite"
                                    << "https://corvane.example.org/";
        QTest::newRow("labMore") << "labMore"
                                 << "https://corvane.example.org/";
        QTest::newRow("btnTech") << "btnTech"
                                 << "mailto:support@corvane.example.org";
        QTest::newRow("btnSales") << "btnSales"
                                  << "mailto:sales@corvane.example.org";
        QTest::newRow("Label8") << "Label8"
                                << "https://corvane.example.org/download/";
        QTest::newRow("Label9") << "Label9"
                                << "https://corvane.example.org/docs/";
        QTest::newRow("Label10") << "Label10"
                                 << "https://corvane.example.org/profiles/";
    }
    void everyLinkOpensItsAddress() {
        QFETCH(QString, control);
        QFETCH(QString, address);
        Fixture f;
        f.show();
        QTest::mouseClick(f.control<QWidget>(control), Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(f.opener.addresses, QStringList{address});
        QVERIFY(f.opener.paths.isEmpty());
        QVERIFY(f.form->isVisible()); // a link does not close the dialog
    }

    void productLinksStayOnTheProjectsSite() {
        Fixture f;
        for (const ProjectPage& page : ProjectPages(f.dir.info())) {
            QCOMPARE(QUrl(page.address).host(), QUrl(f.dir.info().webAddress).host());
            QVERIFY(!page.caption.isEmpty());
        }
    }

    void mainWindowDisabledWhileShown_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK") << "ok";
        QTest::newRow("close box") << "close";
        QTest::newRow("Escape") << "escape";
    }
    void mainWindowDisabledWhileShown() {
        QFETCH(QString, how);
        Fixture f;
        f.show();
        QVERIFY(!f.mainWindow.isEnabled());
        if (how == QLatin1String("ok"))
            QTest::mouseClick(f.control<QPushButton>(QStringLiteral("btnOK")), Qt::LeftButton);
        else if (how == QLatin1String("close"))
            QVERIFY(f.form->close());
        else
            QTest::keyClick(f.form.get(), Qt::Key_Escape);
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.mainWindow.isEnabled());
    }

    void secondShowIsTheSameDialog() {
        Fixture f;
        f.show();
        const QString version = f.text(QStringLiteral("labVersion"));
        f.form->close();
        f.show();
        QCOMPARE(f.text(QStringLiteral("labVersion")), version);
        QVERIFY(!f.mainWindow.isEnabled());
    }

    void picturesAreBuiltIn_data() {
        QTest::addColumn<QString>("resource");
        QTest::newRow("About strip") << ":/about/strip.svg";
        QTest::newRow("About background") << ":/about/background.svg";
        QTest::newRow("output file browse") << ":/preferences/browse-file.svg";
        QTest::newRow("temp folder browse") << ":/preferences/browse-folder.svg";
    }
    void picturesAreBuiltIn() {
        QFETCH(QString, resource);
        QVERIFY(QSvgRenderer(resource).isValid());
    }

    void helpAndMakerCommands() {
        TestAppDir dir;
        RecordingOpener opener;
        OpenHelp(dir.info(), opener);
        OpenMakerPage(dir.info(), opener);
        QCOMPARE(opener.paths, QStringList{dir.path() + QStringLiteral("CorvaneHelp.chm")});
        QCOMPARE(opener.addresses, QStringList{QStringLiteral("https://corvane.example.org/")});
    }
};

QTEST_MAIN(TestAboutForm)
#include "test_aboutForm.moc"
