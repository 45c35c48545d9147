// The real folder and file dialogs, answered by the test while they are open.
#include "app/fileDialogs.h"
#include "app/programInfo.h"
#include "shell/folderChooser.h"

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `answer` on the modal file dialog as soon as it is open.
void whenDialogOpens(std::function<void(QFileDialog*)> answer) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start();
}

} // namespace

class TestDialogs final : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void chosenFolderPath_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("path");
        QTest::newRow("root keeps its slash") << "/"
                                              << "/";
        QTest::newRow("trailing slash dropped") << "/home/user/"
                                                << "/home/user";
        QTest::newRow("plain") << "/home/user"
                               << "/home/user";
        QTest::newRow("colon is part of the name") << "/media/a:b"
                                                   << "/media/a:b";
    }
    void chosenFolderPath() {
        QFETCH(QString, chosen);
        QFETCH(QString, path);
        QCOMPARE(ChosenFolderPath(chosen), path);
    }

    void folderChooserConfirmsAFolder() {
        QWidget owner;
        owner.show();
        const QString target = m_dir.filePath(QStringLiteral("chosen one"));
        QVERIFY(QDir().mkpath(target));
        QString title;
        Qt::WindowModality modality = Qt::NonModal;
        bool dirsOnly = false;
        whenDialogOpens([&](QFileDialog* dialog) {
            title = dialog->windowTitle();
            modality = dialog->windowModality();
            dirsOnly = dialog->testOption(QFileDialog::ShowDirsOnly);
            dialog->setDirectory(m_dir.path());
            dialog->selectFile(QStringLiteral("chosen one"));
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept checks the choice
        });
        DialogFolderChooser chooser;
        QString path;
        QVERIFY(chooser.ChooseFolder(&owner, QStringLiteral("Add a directory to the Task List"),
                                     QString(), path));
        QCOMPARE(path, target);
        QCOMPARE(title, QStringLiteral("Add a directory to the Task List"));
        QCOMPARE(modality, Qt::ApplicationModal);
        QVERIFY(dirsOnly);
    }

    void folderChooserCancel_data() {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("after");
        QTest::newRow("empty stays empty") << ""
                                           << "";
        QTest::newRow("missing folder is cleared") << "/no/such/folder"
                                                   << "";
        QTest::newRow("existing folder is kept") << QDir::tempPath() << QDir::tempPath();
    }
    void folderChooserCancel() {
        QFETCH(QString, initial);
        QFETCH(QString, after);
        QString opened;
        whenDialogOpens([&](QFileDialog* dialog) {
            opened = dialog->directory().absolutePath();
            dialog->reject();
        });
        DialogFolderChooser chooser;
        QString path = initial;
        QVERIFY(!chooser.ChooseFolder(nullptr, QStringLiteral("Pick"), QString(), path));
        QCOMPARE(path, after);
        if (!after.isEmpty())
            QCOMPARE(opened, after);
    }

    // How the save and open dialogs are set up; a cancel gives nothing back.
    void saveDialogOffersTheOutputTypes() {
        QStringList filters;
        QString suffix;
        bool confirms = true;
        QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
        whenDialogOpens([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            acceptMode = dialog->acceptMode();
            dialog->reject();
        });
        QtFileDialogs dialogs;
        QWidget owner;
        QCOMPARE(dialogs.saveOutputFile(&owner), QString());
        QCOMPARE(acceptMode, QFileDialog::AcceptSave);
        QCOMPARE(suffix, QStringLiteral("avi"));
        QVERIFY(!confirms);
        QCOMPARE(filters, ToQtFilter(SaveDialogFilter()).split(QStringLiteral(";;")));
        QCOMPARE(filters.first(), QStringLiteral("AVI Files (*.avi)"));
    }

    void openDialogTakesSeveralFiles() {
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        QStringList filters;
        whenDialogOpens([&](QFileDialog* dialog) {
            mode = dialog->fileMode();
            filters = dialog->nameFilters();
            dialog->reject();
        });
        QtFileDialogs dialogs;
        QWidget owner;
        QCOMPARE(dialogs.openVideoFiles(&owner), QStringList());
        QCOMPARE(mode, QFileDialog::ExistingFiles);
        QCOMPARE(filters, ToQtFilter(OpenDialogFilter()).split(QStringLiteral(";;")));
        QCOMPARE(
            filters.first(),
            QStringLiteral("All Support Files(*.avi *.mpg *.mpeg *.mp4 *.wmv *.mov *.vob *.asf)"));
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
