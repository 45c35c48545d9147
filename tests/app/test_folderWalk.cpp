// Adding a folder of a thousand files: the window keeps taking timer events
// and repainting its list while the files go in. Prints how long it took.
#include "tasks/taskEditor.h"
#include "tests/app/mainFormFixture.h"
#include "tests/support/testMedia.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

namespace {

// Counts the paints of a widget.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestFolderWalk final : public QObject {
    Q_OBJECT
private slots:
    void thousandFilesKeepTheWindowResponsive() {
        constexpr int fileCount = 1000;
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("source.avi"));
        ClipSpec spec;
        spec.width = 64;
        spec.height = 48;
        spec.seconds = 0.2;
        spec.audio = false;
        QString error;
        QVERIFY2(MakeClip(source, spec, &error), qPrintable(error));
        const QString folder = dir.filePath(QStringLiteral("many"));
        QVERIFY(QDir().mkpath(folder));
        for (int i = 0; i < fileCount; ++i)
            QVERIFY(QFile::copy(
                source, folder + QStringLiteral("/clip %1.avi").arg(i, 4, 10, QLatin1Char('0'))));

        MainFormFixture f;
        f.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        PaintCounter painter;
        f.form->ltvTask()->viewport()->installEventFilter(&painter);

        int ticks = 0;
        qint64 longestGap = 0;
        QElapsedTimer sinceTick;
        QTimer timer;
        timer.setInterval(10);
        connect(&timer, &QTimer::timeout, this, [&] {
            if (f.form->taskEditor()->busy()) {
                ++ticks;
                longestGap = qMax(longestGap, sinceTick.elapsed());
            }
            sinceTick.restart();
        });

        f.folderChooser.answers = {folder};
        QElapsedTimer clock;
        clock.start();
        sinceTick.start();
        timer.start();
        f.form->tbtnAddDirClick();
        QVERIFY(f.form->taskEditor()->busy());
        QVERIFY(f.model.count() < fileCount); // the command returned before the walk ended
        QTRY_VERIFY_WITH_TIMEOUT(!f.form->taskEditor()->busy(), 240000);
        const qint64 took = clock.elapsed();
        timer.stop();

        QCOMPARE(f.model.count(), fileCount);
        QVERIFY(f.prompter.messages.isEmpty());
        QVERIFY(f.form->tbtnStart()->isEnabled());
        // The timer fired and the list repainted all through the walk.
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QVERIFY2(painter.paints >= 10, qPrintable(QString::number(painter.paints)));
        qInfo("Added %d files from one folder in %lld ms (%.2f ms per file); the 10 ms timer "
              "fired %d times meanwhile, longest gap %lld ms; the list painted %d times.",
              fileCount, took, double(took) / fileCount, ticks, longestGap, painter.paints);
    }
};

QTEST_MAIN(TestFolderWalk)
#include "test_folderWalk.moc"
