#include "app/corvaneResources.h"
#include "tasks/taskEditor.h"
#include "tests/app/mainFormFixture.h"
#include "tests/support/testMedia.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

namespace {

QStringList listed(const TaskListModel& model) {
    QStringList all;
    for (int row = 0; row < model.count(); ++row) {
        ltvItemData item;
        model.ReadTaskItem(row, TaskField::Caption, item);
        all << item.InputFile;
    }
    return all;
}

bool listButtonsEnabled(const TMainForm& form) {
    const bool up = form.tbtnUp()->isEnabled();
    for (QToolButton* b : {form.tbtnDown(), form.tbtnRemove(), form.tbtnClear(), form.tbtnStart()})
        if (b->isEnabled() != up)
            qFatal("the five list buttons disagree");
    return up;
}

void drop(TMainForm& form, const QStringList& paths) {
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    mime->setUrls(urls);
    const QPoint at = form.ltvTask()->mapTo(&form, QPoint(20, 40));
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropEvent(QPointF(at), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &dropEvent);
    delete mime;
}

QList<int> columnWidths(const TMainForm& form) {
    QList<int> widths;
    for (int c = 0; c < 4; ++c)
        widths << form.ltvTask()->columnWidth(c);
    return widths;
}

} // namespace

class TestMainForm final : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_clip;

    QString clip(const QString& relative) const {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!QFileInfo::exists(path))
            QFile::copy(m_clip, path);
        return path;
    }
    QString textFile(const QString& relative) const {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write("text\n");
        return path;
    }
    // Fills the list with five entries a..e through the add files command.
    QStringList fillFive(MainFormFixture& f) const {
        QStringList paths;
        for (const char* n : {"a", "b", "c", "d", "e"})
            paths << clip(QStringLiteral("five/%1.avi").arg(QLatin1String(n)));
        f.fileDialogs.openAnswers = {QStringList{paths[4], paths[0], paths[1], paths[2], paths[3]}};
        f.form->tbtnAddFileClick();
        return paths;
    }

private slots:
    void initTestCase() {
        m_clip = m_dir.filePath(QStringLiteral("source.avi"));
        ClipSpec spec;
        spec.width = 160;
        spec.height = 120;
        spec.audio = false;
        QString error;
        QVERIFY2(MakeClip(m_clip, spec, &error), qPrintable(error));
    }

    void toolButtons_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("add files") << "tbtnAddFile"
                                   << "Add Video Files" << true;
        QTest::newRow("add folder") << "tbtnAddDir"
                                    << "Add Directory" << true;
        QTest::newRow("up") << "tbtnUp"
                            << "Move Up" << false;
        QTest::newRow("down") << "tbtnDown"
                              << "Move Down" << false;
        QTest::newRow("remove") << "tbtnRemove"
                                << "Remove" << false;
        QTest::newRow("clear") << "tbtnClear"
                               << "Clear" << false;
        QTest::newRow("start") << "tbtnStart"
                               << "Start" << false;
        QTest::newRow("stop") << "tbtnStop"
                              << "Stop" << false;
        QTest::newRow("settings") << "tbtnSetting"
                                  << "General Settings" << true;
        QTest::newRow("about") << "tbtnAbout"
                               << "About" << true;
        QTest::newRow("help") << "tbtnHelp"
                              << "Help" << true;
    }
    void toolButtons() {
        QFETCH(QString, name);
        QFETCH(QString, hint);
        QFETCH(bool, enabled);
        MainFormFixture f;
        auto* button = f.form->findChild<QToolButton*>(name);
        QVERIFY(button);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->isEnabled(), enabled);
        QCOMPARE(button->iconSize(), QSize(48, 48));
        QCOMPARE(button->size(), QSize(56, 54));
        // A greyed picture of its own for the disabled state.
        const QImage normal = button->icon().pixmap(48, QIcon::Normal).toImage();
        const QImage greyed = button->icon().pixmap(48, QIcon::Disabled).toImage();
        QVERIFY(!normal.isNull());
        QVERIFY(normal != greyed);
    }

    void toolBarOrderWithSeparators() {
        MainFormFixture f;
        auto* bar = f.form->findChild<QToolBar*>();
        QVERIFY(bar);
        QStringList order;
        for (QAction* action : bar->actions())
            order << (action->isSeparator() ? QStringLiteral("|")
                                            : bar->widgetForAction(action)->objectName());
        QCOMPARE(order.join(QLatin1Char(' ')),
                 QStringLiteral("tbtnAddFile tbtnAddDir | tbtnUp tbtnDown tbtnRemove tbtnClear | "
                                "tbtnStart tbtnStop | tbtnSetting | tbtnAbout tbtnHelp"));
    }

    void startState() {
        MainFormFixture f;
        TMainForm& form = *f.form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Corvane V1.5"));
        QCOMPARE(form.size(), QSize(798, 542));
        for (const char* name :
             {"ltvTask",        "ppmTask",         "panltvTask",        "labProgramName",
              "labCompany",     "panBottomCenter", "cmbProfile",        "bbtnSetting",
              "edtOutputFile",  "bbtnBrowser",     "bbtnOpen",          "Image1",
              "panBottomLeft",  "labProcessTitle", "labConvertingFile", "pgbCurrent",
              "labCurProgress", "pgbTotal",        "labTotalProgress",  "labElapsed",
              "labRemaining"})
            QVERIFY2(form.findChild<QObject*>(QLatin1String(name)), name);
        QCOMPARE(form.edtOutputFile()->text(), f.appDir.path());
        QCOMPARE(form.cmbProfile()->count(), 0);
        QVERIFY(!form.cmbProfile()->isEditable());
        QCOMPARE(form.bbtnSetting()->text(), QStringLiteral("&Setting"));
        QCOMPARE(form.bbtnBrowser()->text(), QStringLiteral("&Browser"));
        QCOMPARE(form.bbtnOpen()->text(), QStringLiteral("&Open"));
        QCOMPARE(form.panBottomCenter()->width(), 607);
        QCOMPARE(form.panBottomLeft()->width(), 607);
        QCOMPARE(form.panltvTask()->size(), QSize(768, 354));
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("labProgramName"))->text(),
                 QStringLiteral("Corvane"));
        QCOMPARE(form.labConvertingFile()->text(), QStringLiteral("No File"));
        QCOMPARE(form.labElapsed()->text(), QStringLiteral("00:00:00"));
        QCOMPARE(form.labTotalProgress()->text(), QStringLiteral("0%"));
        QCOMPARE(columnWidths(form), QList<int>({350, 90, 80, 150}));
        QCOMPARE(form.lastListWidth(), 562);

        QSignalSpy shown(&form, &TMainForm::firstShown);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.panltvTask()->isVisible());
        QVERIFY(form.panBottomCenter()->isVisible());
        QVERIFY(!form.panBottomLeft()->isVisible());
        QCOMPARE(shown.count(), 1);
        form.hide();
        form.show();
        QCOMPARE(shown.count(), 1);

        QTreeView* list = form.ltvTask();
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!list->isSortingEnabled());
        QStringList titles;
        for (int c = 0; c < 4; ++c)
            titles << f.model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QCOMPARE(titles, QStringList({"Input File", "Length", "Size", "Status"}));
        QStringList items;
        for (QAction* a : form.ppmTask()->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, QStringList({"Open", "-", "Add Files...", "Add Directorys...", "-",
                                     "Remove", "Clear"}));
    }

    // The built-in style sheet gives the list header its grey.
    void headerIsGrey() {
        ApplyCorvaneStyle(*qApp);
        MainFormFixture f;
        f.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        QHeaderView* header = f.form->ltvTask()->header();
        const QImage image = header->grab().toImage();
        QCOMPARE(QColor(image.pixel(header->sectionSize(0) / 2, 2)), QColor(243, 243, 243));
        qApp->setStyleSheet(QString());
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("rows");
        QTest::newRow("no arguments") << QStringList() << 0;
        QTest::newRow("two files") << QStringList{"cmd/a.avi", "cmd/B.MPG"} << 2;
        QTest::newRow("folder and an output type") << QStringList{"cmd", "cmd/c.flv"} << 2;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, rows);
        clip(QStringLiteral("cmd/a.avi"));
        clip(QStringLiteral("cmd/B.MPG"));
        clip(QStringLiteral("cmd/c.flv"));
        MainFormFixture f;
        QStringList full;
        for (const QString& a : arguments)
            full << m_dir.filePath(a);
        f.form->runCommandLine(full);
        QTRY_VERIFY(!f.form->taskEditor()->busy());
        QCOMPARE(f.model.count(), rows);
        QCOMPARE(listButtonsEnabled(*f.form), rows > 0);
        QVERIFY(!f.form->tbtnStop()->isEnabled());
        f.form->show();
        QCOMPARE(f.form->panltvTask()->isVisible(), rows == 0);
    }

    void duplicateOnCommandLineIsAskedBeforeShowing() {
        const QString a = clip(QStringLiteral("dupcmd/a.avi"));
        MainFormFixture f;
        bool visibleWhenAsked = true;
        f.prompter.onMessage = [&](const FakePrompter::Message&) {
            visibleWhenAsked = f.form->isVisible();
        };
        f.prompter.answers = {false};
        f.form->runCommandLine({a, a});
        QCOMPARE(f.prompter.captions(), QStringList({"Already Listed"}));
        QVERIFY(!visibleWhenAsked);
        QCOMPARE(f.model.count(), 1);
    }

    void addFilesAndFolderThroughTheirDialogs() {
        MainFormFixture f;
        const QString a = clip(QStringLiteral("dialogs/a.avi"));
        const QString b = clip(QStringLiteral("dialogs/b.avi"));
        clip(QStringLiteral("dialogs/sub/c.avi"));
        clip(QStringLiteral("dialogs/sub/d.mp4"));
        f.fileDialogs.openAnswers = {QStringList{b, a}};
        QTest::mouseClick(f.form->tbtnAddFile(), Qt::LeftButton);
        QCOMPARE(listed(f.model), QStringList({a, b}));
        QCOMPARE(f.fileDialogs.lastOwner.data(), f.form.get());
        QVERIFY(listButtonsEnabled(*f.form));

        f.folderChooser.answers = {m_dir.filePath(QStringLiteral("dialogs/sub"))};
        QTest::mouseClick(f.form->tbtnAddDir(), Qt::LeftButton);
        QCOMPARE(f.folderChooser.titles, QStringList({"Add a directory to the Task List"}));
        QCOMPARE(f.folderChooser.lastOwner.data(), f.form.get());
        QVERIFY(!f.form->tbtnStart()->isEnabled()); // no job on a list that is still filling
        QTRY_VERIFY(!f.form->taskEditor()->busy());
        QCOMPARE(f.model.count(), 4);
        QVERIFY(listButtonsEnabled(*f.form));

        // Cancelled dialogs change nothing.
        f.form->tbtnAddFileClick();
        f.form->tbtnAddDirClick();
        QCOMPARE(f.model.count(), 4);
        QVERIFY(f.prompter.messages.isEmpty());
    }

    void unreadableFileFromTheDialog() {
        MainFormFixture f;
        const QString good = clip(QStringLiteral("unread/good.avi"));
        const QString bad = textFile(QStringLiteral("unread/bad.avi"));
        f.fileDialogs.openAnswers = {QStringList{good, bad}};
        f.form->tbtnAddFileClick();
        QCOMPARE(listed(f.model), QStringList({good}));
        QCOMPARE(f.prompter.messages.size(), 1);
        QCOMPARE(f.prompter.messages[0].kind, FakePrompter::Kind::Error);
        QVERIFY(f.prompter.messages[0].text.contains(bad));
        QVERIFY(listButtonsEnabled(*f.form));
    }

    void drops_data() {
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("folder and file, in drop order")
            << QStringList{"drops/z.avi", "drops/folder", "drops/notes.txt"}
            << QStringList{"drops/z.avi", "drops/folder/A.avi", "drops/folder/b.avi"};
        QTest::newRow("a text file only") << QStringList{"drops/notes.txt"} << QStringList();
    }
    void drops() {
        QFETCH(QStringList, dropped);
        QFETCH(QStringList, added);
        clip(QStringLiteral("drops/z.avi"));
        clip(QStringLiteral("drops/folder/b.avi"));
        clip(QStringLiteral("drops/folder/A.avi"));
        clip(QStringLiteral("drops/folder/deeper/x.avi"));
        textFile(QStringLiteral("drops/notes.txt"));
        MainFormFixture f;
        f.form->show();
        QStringList paths;
        for (const QString& d : dropped)
            paths << m_dir.filePath(d);
        drop(*f.form, paths);
        QVERIFY(!f.form->panltvTask()->isVisible());
        QTRY_VERIFY(!f.form->taskEditor()->busy());
        QStringList expected;
        for (const QString& a : added)
            expected << m_dir.filePath(a);
        QCOMPARE(listed(f.model), expected);
        QCOMPARE(listButtonsEnabled(*f.form), !expected.isEmpty());
        QVERIFY(f.prompter.messages.isEmpty());
    }

    void longDroppedPathIsTakenWhole() {
        QString deep = QStringLiteral("long");
        while (deep.size() < 300)
            deep += QStringLiteral("/a-rather-long-folder-name");
        const QString path = clip(deep + QStringLiteral("/clip.avi"));
        QVERIFY(path.size() > 300);
        MainFormFixture f;
        drop(*f.form, {path});
        QCOMPARE(listed(f.model), QStringList({path}));
    }

    void dropOnALockedListOnlyHidesTheBanner() {
        MainFormFixture f;
        f.form->show();
        f.form->ltvTask()->setEnabled(false); // as while a job runs
        drop(*f.form, {clip(QStringLiteral("locked/a.avi"))});
        QVERIFY(!f.form->panltvTask()->isVisible());
        QCOMPARE(f.model.count(), 0);
    }

    void moveUpAndDownKeepTheSelection() {
        MainFormFixture f;
        const QStringList p = fillFive(f);
        f.form->setSelectedRows({false, false, true, true, false});
        QTest::mouseClick(f.form->tbtnUp(), Qt::LeftButton);
        QCOMPARE(listed(f.model), QStringList({p[0], p[2], p[3], p[1], p[4]}));
        QCOMPARE(f.form->selectedRows(), QList<bool>({false, true, true, false, false}));
        QTest::mouseClick(f.form->tbtnDown(), Qt::LeftButton);
        QTest::mouseClick(f.form->tbtnDown(), Qt::LeftButton);
        QCOMPARE(listed(f.model), QStringList({p[0], p[1], p[4], p[2], p[3]}));
        QCOMPARE(f.form->selectedRows(), QList<bool>({false, false, false, true, true}));
        // The block now touches the bottom: it stays.
        f.form->tbtnDownClick();
        QCOMPARE(listed(f.model), QStringList({p[0], p[1], p[4], p[2], p[3]}));
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("rowsLeft");
        QTest::newRow("Delete removes the selected rows") << int(Qt::Key_Delete) << 3;
        QTest::newRow("Backspace clears the list") << int(Qt::Key_Backspace) << 0;
        QTest::newRow("other keys keep the list") << int(Qt::Key_A) << 5;
    }
    void keys() {
        QFETCH(int, key);
        QFETCH(int, rowsLeft);
        MainFormFixture f;
        fillFive(f);
        f.form->setSelectedRows({true, false, false, false, true});
        QTest::keyClick(f.form->ltvTask(), Qt::Key(key));
        QCOMPARE(f.model.count(), rowsLeft);
        QCOMPARE(listButtonsEnabled(*f.form), rowsLeft > 0);
        QVERIFY(f.prompter.messages.isEmpty());
    }

    void removeEveryRowDisablesTheButtons() {
        MainFormFixture f;
        fillFive(f);
        f.form->ltvTask()->selectAll();
        f.form->tbtnRemoveClick();
        QCOMPARE(f.model.count(), 0);
        QVERIFY(!listButtonsEnabled(*f.form));
        QVERIFY(!f.form->panltvTask()->isVisible()); // the banner does not come back
    }

    void popupEnabling_data() {
        QTest::addColumn<bool>("fill");
        QTest::addColumn<bool>("select");
        QTest::addColumn<bool>("openRemove");
        QTest::addColumn<bool>("clear");
        QTest::newRow("empty list") << false << false << false << false;
        QTest::newRow("rows, none selected") << true << false << false << true;
        QTest::newRow("a row selected") << true << true << true << true;
    }
    void popupEnabling() {
        QFETCH(bool, fill);
        QFETCH(bool, select);
        QFETCH(bool, openRemove);
        QFETCH(bool, clear);
        MainFormFixture f;
        if (fill)
            fillFive(f);
        if (select)
            f.form->setSelectedRows({false, true});
        f.form->ppmTaskPopup();
        QCOMPARE(f.form->mniOpen()->isEnabled(), openRemove);
        QCOMPARE(f.form->mniRemove()->isEnabled(), openRemove);
        QCOMPARE(f.form->mniClear()->isEnabled(), clear);
        QVERIFY(f.form->mniAddFiles()->isEnabled());
        QVERIFY(f.form->mniAddDir()->isEnabled());
    }

    void openEntryOpensTheUpperSelected() {
        MainFormFixture f;
        const QStringList p = fillFive(f);
        f.form->ltvTaskDblClick();
        QVERIFY(f.opener.paths.isEmpty());
        f.form->setSelectedRows({false, false, true, true});
        f.form->mniOpen()->trigger();
        QCOMPARE(f.opener.paths, QStringList({p[2]}));
    }

    void columnRescaling_data() {
        QTest::addColumn<int>("delta");
        QTest::addColumn<QList<int>>("growth");
        QTest::newRow("100 wider") << 100 << QList<int>{49, 17, 15, 19};
        QTest::newRow("50 narrower, halves to even") << -50 << QList<int>{-24, -8, -8, -10};
        QTest::newRow("10 wider") << 10 << QList<int>{5, 2, 2, 2};
    }
    void columnRescaling() {
        QFETCH(int, delta);
        QFETCH(QList<int>, growth);
        MainFormFixture f;
        f.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        // The designed widths belong to the list as first laid out.
        QCOMPARE(columnWidths(*f.form), QList<int>({350, 90, 80, 150}));
        QCOMPARE(f.form->lastListWidth(), f.form->ltvTask()->width());
        // Start wide enough that the window can also become narrower.
        f.form->resize(1000, f.form->height());
        QTRY_COMPARE(f.form->lastListWidth(), f.form->ltvTask()->width());
        const int listWidth = f.form->ltvTask()->width();
        const QList<int> before = columnWidths(*f.form);
        f.form->resize(f.form->width() + delta, f.form->height());
        QTRY_COMPARE(f.form->ltvTask()->width(), listWidth + delta);
        const QList<int> after = columnWidths(*f.form);
        for (int c = 0; c < 4; ++c)
            QCOMPARE(after[c] - before[c], growth[c]);
        QCOMPARE(f.form->lastListWidth(), listWidth + delta);
    }

    void browserSetsTheOutputFile() {
        MainFormFixture f;
        f.fileDialogs.saveAnswers = {QStringLiteral("/videos/joined.avi"), QString()};
        QTest::mouseClick(f.form->bbtnBrowser(), Qt::LeftButton);
        QCOMPARE(f.form->edtOutputFile()->text(), QStringLiteral("/videos/joined.avi"));
        QTest::mouseClick(f.form->bbtnBrowser(), Qt::LeftButton); // cancelled
        QCOMPARE(f.form->edtOutputFile()->text(), QStringLiteral("/videos/joined.avi"));
        QCOMPARE(f.fileDialogs.saveCalls, 2);
    }

    void openOutput_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("opened"); // relative to the test folder; "-" for nothing
        QTest::newRow("existing file") << "out/joined.avi"
                                       << "out/joined.avi";
        QTest::newRow("new file in an existing folder") << "out/new.avi"
                                                        << "out";
        QTest::newRow("folder missing") << "nowhere/new.avi"
                                        << "-";
        QTest::newRow("empty") << ""
                               << "-";
    }
    void openOutput() {
        QFETCH(QString, text);
        QFETCH(QString, opened);
        clip(QStringLiteral("out/joined.avi"));
        MainFormFixture f;
        f.form->edtOutputFile()->setText(text.isEmpty() ? QString() : m_dir.filePath(text));
        QTest::mouseClick(f.form->bbtnOpen(), Qt::LeftButton);
        QCOMPARE(f.opener.paths, opened == QLatin1String("-")
                                     ? QStringList()
                                     : QStringList{m_dir.filePath(opened)});
    }

    // Commands that other parts of the program carry out leave the window as signals.
    void commandsOfOtherParts_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("signal");
        QTest::newRow("start") << "tbtnStart"
                               << "startRequested";
        QTest::newRow("stop") << "tbtnStop"
                              << "stopRequested";
        QTest::newRow("general settings") << "tbtnSetting"
                                          << "generalSettingsRequested";
        QTest::newRow("about") << "tbtnAbout"
                               << "aboutRequested";
        QTest::newRow("help") << "tbtnHelp"
                              << "helpRequested";
        QTest::newRow("output settings") << "bbtnSetting"
                                         << "outputSettingsRequested";
        QTest::newRow("logo") << "Image1"
                              << "makerPageRequested";
        QTest::newRow("banner link") << "labCompany"
                                     << "makerPageRequested";
    }
    void commandsOfOtherParts() {
        QFETCH(QString, control);
        QFETCH(QString, signal);
        using Signal = void (TMainForm::*)();
        const QHash<QString, Signal> signals_{
            {QStringLiteral("startRequested"), &TMainForm::startRequested},
            {QStringLiteral("stopRequested"), &TMainForm::stopRequested},
            {QStringLiteral("generalSettingsRequested"), &TMainForm::generalSettingsRequested},
            {QStringLiteral("aboutRequested"), &TMainForm::aboutRequested},
            {QStringLiteral("helpRequested"), &TMainForm::helpRequested},
            {QStringLiteral("outputSettingsRequested"), &TMainForm::outputSettingsRequested},
            {QStringLiteral("makerPageRequested"), &TMainForm::makerPageRequested}};
        MainFormFixture f;
        f.form->show();
        auto* widget = f.form->findChild<QWidget*>(control);
        QVERIFY(widget);
        widget->setEnabled(true);
        QSignalSpy spy(f.form.get(), signals_.value(signal));
        QTest::mouseClick(widget, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
    }

    void profileChoiceAndClosing() {
        MainFormFixture f;
        f.form->cmbProfile()->addItems({QStringLiteral("AVI"), QStringLiteral("MP4")});
        f.form->show();
        QSignalSpy changed(f.form.get(), &TMainForm::profileChanged);
        QSignalSpy closing(f.form.get(), &TMainForm::closing);
        f.form->cmbProfile()->setFocus();
        QTest::keyClick(f.form->cmbProfile(), Qt::Key_Down);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().toInt(), 1);
        f.form->close();
        QCOMPARE(closing.count(), 1);
    }
};

QTEST_MAIN(TestMainForm)
#include "test_mainForm.moc"
