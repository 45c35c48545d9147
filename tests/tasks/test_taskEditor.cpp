#include "app/programInfo.h"
#include "tasks/taskEditor.h"
#include "tasks/taskListModel.h"
#include "tests/support/fakePrompter.h"
#include "tests/support/testMedia.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString DuplicateText = QStringLiteral(
    "This file has been added to the Task List already. Are you sure to add it again?");

QStringList captions(const TaskListModel& model) {
    QStringList all;
    for (int row = 0; row < model.count(); ++row) {
        ltvItemData item;
        model.ReadTaskItem(row, TaskField::Caption, item);
        all << item.InputFile;
    }
    return all;
}

QList<bool> flags(const QString& pattern) {
    QList<bool> result;
    for (QChar c : pattern)
        result << (c == QLatin1Char('x'));
    return result;
}

QString pattern(const QList<bool>& flags) {
    QString text;
    for (bool f : flags)
        text += f ? QLatin1Char('x') : QLatin1Char('.');
    return text;
}

} // namespace

class TestTaskEditor final : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_clip; // one real, tiny clip; copies of it stand for other files

    QString copyOfClip(const QString& relative) const {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile::remove(path);
        return QFile::copy(m_clip, path) ? path : QString();
    }
    QString textFile(const QString& relative) const {
        const QString path = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write("not a video\n");
        return path;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_clip = m_dir.filePath(QStringLiteral("source.avi"));
        ClipSpec spec;
        spec.width = 160;
        spec.height = 120;
        spec.audio = false;
        QString error;
        QVERIFY2(MakeClip(m_clip, spec, &error), qPrintable(error));
    }

    void isListedType_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("listed");
        QTest::newRow("lower case") << "/v/a.avi" << true;
        QTest::newRow("upper case") << "/v/A.AVI" << true;
        QTest::newRow("mpeg") << "/v/a.MPEG" << true;
        QTest::newRow("output type only") << "/v/a.flv" << false;
        QTest::newRow("last dot counts") << "/v/a.avi.txt" << false;
        QTest::newRow("no extension") << "/v/avi" << false;
        QTest::newRow("dot in folder only") << "/v.avi/movie" << false;
        QTest::newRow("colon is a name character") << "/v/a:b.mov" << true;
    }
    void isListedType() {
        QFETCH(QString, path);
        QFETCH(bool, listed);
        QCOMPARE(IsListedType(path, InputTypes()), listed);
    }

    void addedEntryReadsBack() {
        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        QSignalSpy adding(&editor, &TaskEditor::addingFile);
        const QString path = copyOfClip(QStringLiteral("single/My clip.v2.avi"));
        QVERIFY(editor.AddTaskFile(path));
        QCOMPARE(adding.count(), 1);
        ltvItemData item;
        model.ReadTaskItem(0, TaskField::All, item);
        QCOMPARE(item.InputFile, path);
        QCOMPARE(item.LengthText, QStringLiteral("00:00:01"));
        QCOMPARE(item.LengthSeconds, 1.0);
        QCOMPARE(item.SizeText, QStringLiteral("160x120"));
        QCOMPARE(item.StatusText, QStringLiteral("OK"));
        QCOMPARE(item.TitleText, QStringLiteral("My clip.v2"));
        QVERIFY(item.SpareText.isEmpty() && item.SpareTime5Text.isEmpty());
        QCOMPARE(item.SpareTime3Seconds, -1.0);
        QVERIFY(prompter.messages.isEmpty());
    }

    void duplicateQuestion_data() {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("rows");
        QTest::newRow("No keeps the list") << false << 1;
        QTest::newRow("Yes adds it again") << true << 2;
    }
    void duplicateQuestion() {
        QFETCH(bool, answer);
        QFETCH(int, rows);
        TaskListModel model;
        FakePrompter prompter;
        prompter.answers = {answer};
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        const QString path = copyOfClip(QStringLiteral("dup/a.avi"));
        editor.AddTaskFile(path);
        QCOMPARE(editor.AddTaskFile(path), answer);
        QCOMPARE(model.count(), rows);
        QCOMPARE(prompter.messages.size(), 1);
        QCOMPARE(prompter.messages[0].kind, FakePrompter::Kind::Question);
        QCOMPARE(prompter.messages[0].caption, QStringLiteral("Already Listed"));
        QCOMPARE(prompter.messages[0].text, DuplicateText);
    }

    void pathsDifferingInCaseAreNoDuplicates() {
        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        editor.AddTaskFile(copyOfClip(QStringLiteral("case/a.avi")));
        editor.AddTaskFile(copyOfClip(QStringLiteral("case/A.avi")));
        QCOMPARE(model.count(), 2);
        QVERIFY(prompter.messages.isEmpty());
    }

    // An unreadable file is named in an error box, leaves no row behind, and
    // the files after it are still added; the buttons follow the list.
    void unreadableFileIsReportedAndSkipped() {
        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        const QString good1 = copyOfClip(QStringLiteral("bad/1.avi"));
        const QString bad = textFile(QStringLiteral("bad/2 broken.avi"));
        const QString good2 = copyOfClip(QStringLiteral("bad/3.avi"));
        editor.AddFiles({good2, good1, bad}); // the dialog's order: last picked first
        QCOMPARE(captions(model), QStringList({good1, good2}));
        QCOMPARE(prompter.messages.size(), 1);
        QCOMPARE(prompter.messages[0].kind, FakePrompter::Kind::Error);
        QCOMPARE(prompter.messages[0].caption, QStringLiteral("Corvane"));
        QVERIFY2(prompter.messages[0].text.contains(bad), qPrintable(prompter.messages[0].text));
        QVERIFY(prompter.messages[0].text.contains(QLatin1String("no play time")));
        QVERIFY(editor.listButtonsEnabled());
    }

    void onlyUnreadableFilesLeaveTheButtonsDisabled() {
        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        editor.AddFiles({textFile(QStringLiteral("bad2/x.avi"))});
        QCOMPARE(model.count(), 0);
        QVERIFY(!editor.listButtonsEnabled());
    }

    void addFilesPutsTheFirstReturnedLast() {
        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        const QString a = copyOfClip(QStringLiteral("order/A.avi"));
        const QString b = copyOfClip(QStringLiteral("order/B.avi"));
        const QString c = copyOfClip(QStringLiteral("order/C.avi"));
        editor.AddFiles({c, a, b});
        QCOMPARE(captions(model), QStringList({a, b, c}));
        editor.AddFiles({});
        QCOMPARE(model.count(), 3);
    }

    // Only the folder's own video files, hidden ones and subfolders left out,
    // in name order ignoring case, one file per event-loop turn.
    void folderIsWalkedInNameOrder() {
        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        const QString folder = m_dir.filePath(QStringLiteral("walk"));
        const QString b = copyOfClip(QStringLiteral("walk/b.MP4"));
        const QString a = copyOfClip(QStringLiteral("walk/A.avi"));
        const QString c = copyOfClip(QStringLiteral("walk/c.mov"));
        copyOfClip(QStringLiteral("walk/.hidden.avi"));
        copyOfClip(QStringLiteral("walk/sub/inner.avi"));
        copyOfClip(QStringLiteral("walk/other.flv"));
        textFile(QStringLiteral("walk/readme.txt"));
        QSignalSpy busy(&editor, &TaskEditor::busyChanged);
        editor.AddFolder(folder);
        QCOMPARE(model.count(), 0); // nothing yet: the walk runs on later turns
        QVERIFY(editor.busy());
        QVERIFY(!editor.listButtonsEnabled());
        QTRY_VERIFY(!editor.busy());
        QCOMPARE(captions(model), QStringList({a, b, c}));
        QVERIFY(editor.listButtonsEnabled());
        QCOMPARE(busy.count(), 2);
    }

    // A file offered while a folder is walked joins the end of the walk, so
    // the list keeps the order of the drop.
    void droppedItemsKeepTheirOrder() {
        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        const QString x = copyOfClip(QStringLiteral("drop/x.avi"));
        const QString f1 = copyOfClip(QStringLiteral("drop/folder/1.avi"));
        const QString f2 = copyOfClip(QStringLiteral("drop/folder/2.avi"));
        const QString y = copyOfClip(QStringLiteral("drop/y.mpg"));
        const QString text = textFile(QStringLiteral("drop/z.txt"));
        editor.AddDropped({x, m_dir.filePath(QStringLiteral("drop/folder/")), text, y});
        QTRY_VERIFY(!editor.busy());
        QCOMPARE(captions(model), QStringList({x, f1, f2, y}));
        QVERIFY(prompter.messages.isEmpty());
    }

    void clearEndsAWalk() {
        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        for (int i = 0; i < 5; ++i)
            copyOfClip(QStringLiteral("clearwalk/%1.avi").arg(i));
        editor.AddFolder(m_dir.filePath(QStringLiteral("clearwalk")));
        QSignalSpy step(&editor, &TaskEditor::walkStepDone);
        QVERIFY(step.wait());
        editor.Clear();
        QVERIFY(!editor.busy());
        QTest::qWait(20);
        QCOMPARE(model.count(), 0);
        QVERIFY(!editor.listButtonsEnabled());
    }

    void move_data() {
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("order"); // letters: the entries after the move
        QTest::addColumn<QString>("selectedAfter");
        QTest::newRow("up: block of two") << true << "..xx."
                                          << "acdbe"
                                          << ".xx..";
        QTest::newRow("up: top row stays") << true << "x...."
                                           << "abcde"
                                           << "x....";
        QTest::newRow("up: block at the top stays whole") << true << "xx..x"
                                                          << "abced"
                                                          << "xx.x.";
        QTest::newRow("up: scattered rows") << true << ".x.x."
                                            << "badce"
                                            << "x.x..";
        QTest::newRow("down: block of two") << false << ".xx.."
                                            << "adbce"
                                            << "..xx.";
        QTest::newRow("down: bottom row stays") << false << "....x"
                                                << "abcde"
                                                << "....x";
        QTest::newRow("down: block at the bottom stays whole") << false << "x..xx"
                                                               << "bacde"
                                                               << ".x.xx";
        QTest::newRow("nothing selected") << true << "....."
                                          << "abcde"
                                          << ".....";
    }
    void move() {
        QFETCH(bool, up);
        QFETCH(QString, selected);
        QFETCH(QString, order);
        QFETCH(QString, selectedAfter);
        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        for (QChar letter : QStringLiteral("abcde")) {
            ltvItemData item;
            item.InputFile = letter;
            item.StatusText = QStringLiteral("status ") + letter;
            item.SpareTime4Text = QStringLiteral("hidden ") + letter;
            model.WriteTaskItem(model.appendEmptyRow(), TaskField::All, item);
        }
        const QList<bool> after =
            up ? editor.MoveUp(flags(selected)) : editor.MoveDown(flags(selected));
        QCOMPARE(captions(model).join(QString()), order);
        QCOMPARE(pattern(after), selectedAfter);
        for (int row = 0; row < model.count(); ++row) {
            ltvItemData item;
            model.ReadTaskItem(row, TaskField::All, item);
            QCOMPARE(item.StatusText, QStringLiteral("status ") + item.InputFile);
            QCOMPARE(item.SpareTime4Text, QStringLiteral("hidden ") + item.InputFile);
        }
    }

    void removeAndOpen_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<bool>("buttons");
        QTest::newRow("some rows") << "x.x"
                                   << "b"
                                   << "a" << true;
        QTest::newRow("every row") << "xxx"
                                   << ""
                                   << "a" << false;
        QTest::newRow("none") << "..."
                              << "abc"
                              << "" << true;
        QTest::newRow("opens the upper of two") << ".xx"
                                                << "a"
                                                << "b" << true;
    }
    void removeAndOpen() {
        QFETCH(QString, selected);
        QFETCH(QString, left);
        QFETCH(QString, opened);
        QFETCH(bool, buttons);
        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        editor.AddFiles({copyOfClip(QStringLiteral("rm/c.avi")),
                         copyOfClip(QStringLiteral("rm/a.avi")),
                         copyOfClip(QStringLiteral("rm/b.avi"))});
        QVERIFY(editor.listButtonsEnabled());
        const QString toOpen = editor.EntryToOpen(flags(selected));
        QCOMPARE(toOpen.isEmpty() ? QString() : QFileInfo(toOpen).baseName(), opened);
        editor.Remove(flags(selected));
        QString names;
        for (const QString& path : captions(model))
            names += QFileInfo(path).baseName();
        QCOMPARE(names, left);
        QCOMPARE(editor.listButtonsEnabled(), buttons);
        QVERIFY(prompter.messages.isEmpty());
    }

    void relativeCommandLinePathsAreListedInFull() {
        const QString a = copyOfClip(QStringLiteral("rel/sub/a.avi"));
        copyOfClip(QStringLiteral("rel/folder/b.avi"));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.filePath(QStringLiteral("rel"))));
        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        editor.AddCommandLine({QStringLiteral("sub/a.avi"), QStringLiteral("./folder")});
        QTRY_VERIFY(!editor.busy());
        QDir::setCurrent(before);
        const QStringList listed = captions(model);
        QCOMPARE(listed.size(), 2);
        for (const QString& path : listed)
            QVERIFY2(QFileInfo(path).isAbsolute() && !path.contains(QLatin1String("./")),
                     qPrintable(path));
        QCOMPARE(QFileInfo(listed[0]).canonicalFilePath(), QFileInfo(a).canonicalFilePath());
        QCOMPARE(QFileInfo(listed[1]).canonicalFilePath(),
                 QFileInfo(m_dir.filePath(QStringLiteral("rel/folder/b.avi"))).canonicalFilePath());
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<int>("messages");
        QTest::newRow("none") << QStringList() << QStringList() << 0;
        QTest::newRow("files, capitals, a folder, others skipped")
            << QStringList{"cl/one.AVI", "cl/missing.avi", "cl/folder", "cl/skip.flv",
                           "cl/list.tmp"}
            << QStringList{"cl/one.AVI", "cl/folder/f1.avi", "cl/folder/f2.mp4"} << 0;
        QTest::newRow("list file in capitals, further arguments ignored")
            << QStringList{"cl/LIST.TMP", "cl/one.AVI"}
            << QStringList{"cl/folder/f1.avi", "cl/folder/f2.mp4", "cl/one.AVI"} << 0;
        QTest::newRow("the same file twice asks") << QStringList{"cl/one.AVI", "cl/one.AVI"}
                                                  << QStringList{"cl/one.AVI", "cl/one.AVI"} << 1;
        QTest::newRow("missing list file") << QStringList{"cl/absent.tmp"} << QStringList() << 1;
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, listed);
        QFETCH(int, messages);
        copyOfClip(QStringLiteral("cl/one.AVI"));
        copyOfClip(QStringLiteral("cl/skip.flv"));
        copyOfClip(QStringLiteral("cl/folder/f1.avi"));
        copyOfClip(QStringLiteral("cl/folder/f2.mp4"));
        QFile list(m_dir.filePath(QStringLiteral("cl/LIST.TMP")));
        QVERIFY(list.open(QIODevice::WriteOnly));
        // CRLF line ends, an empty line, a missing path; no end after the last line.
        list.write((m_dir.filePath(QStringLiteral("cl/folder")) + QStringLiteral("\r\n\r\n") +
                    m_dir.filePath(QStringLiteral("cl/nothing.avi")) + QStringLiteral("\n") +
                    m_dir.filePath(QStringLiteral("cl/one.AVI")))
                       .toUtf8());
        list.close();
        QFile::copy(list.fileName(), m_dir.filePath(QStringLiteral("cl/list.tmp")));

        TaskListModel model;
        FakePrompter prompter;
        TaskEditor editor(model, prompter, QStringLiteral("Corvane"));
        QStringList full;
        for (const QString& a : arguments)
            full << m_dir.filePath(a);
        editor.AddCommandLine(full);
        QTRY_VERIFY(!editor.busy());
        QStringList expected;
        for (const QString& l : listed)
            expected << m_dir.filePath(l);
        QCOMPARE(captions(model), expected);
        QCOMPARE(prompter.messages.size(), messages);
        QCOMPARE(editor.listButtonsEnabled(), !expected.isEmpty());
        if (arguments.value(0) == QLatin1String("cl/absent.tmp")) {
            QCOMPARE(prompter.messages[0].kind, FakePrompter::Kind::Error);
            QVERIFY(prompter.messages[0].text.contains(full[0]));
        }
    }
};

QTEST_GUILESS_MAIN(TestTaskEditor)
#include "test_taskEditor.moc"
