// Takes docs/joining.png: the real main window in a real X window (run under
// Xvfb by join_screenshot.sh), caught while a join job converts its inputs.
//
// Usage: join_screenshot <png path>

#include "app/corvaneApp.h"
#include "app/mainForm.h"
#include "tests/support/testAppDir.h"
#include "tests/support/testMedia.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: join_screenshot <png path>\n");
        return 2;
    }
    const QString target = QString::fromLocal8Bit(argv[1]);

    TestAppDir dir;
    if (!dir.installEncoder())
        return 1;
    dir.installShippedProfiles();
    QStringList clips;
    const QList<std::pair<QString, ClipSpec>> kinds{
        {QStringLiteral("Beach walk.mpg"), {640, 480, 25, 3.0, true, 48000, 2}},
        {QStringLiteral("Birthday party.avi"), {720, 576, 30, 60.0, true, 44100, 2}},
        {QStringLiteral("Harbour at night.mp4"), {640, 360, 24, 8.0, true, 44100, 2}},
        {QStringLiteral("Snow in the garden.mov"), {320, 240, 15, 8.0, false, 44100, 2}},
    };
    for (const auto& [name, spec] : kinds) {
        const QString path = dir.filePath(QStringLiteral("Videos/") + name);
        QDir().mkpath(dir.filePath(QStringLiteral("Videos")));
        if (!MakeClip(path, spec))
            return 1;
        clips << path;
    }

    CorvaneApp corvane(dir.path(), clips);
    TMainForm& form = corvane.mainForm();
    corvane.show();
    form.edtOutputFile()->setText(dir.filePath(QStringLiteral("Videos/Summer.avi")));
    QTimer::singleShot(500, &form, [&form] { form.tbtnStart()->click(); });

    // Caught while the second input converts, with the clock running and a
    // remaining time estimated.
    QTimer watch;
    watch.setInterval(50);
    int result = 1;
    QObject::connect(&watch, &QTimer::timeout, &form, [&] {
        if (!form.labConvertingFile()->text().startsWith(QLatin1String("Birthday")) ||
            form.pgbCurrent()->value() < 40 || form.labElapsed()->text().isEmpty() ||
            form.labRemaining()->text() == QLatin1String("00:00:00"))
            return;
        watch.stop();
        const QPixmap shot = form.windowHandle()->screen()->grabWindow(form.winId());
        result = shot.save(target) ? 0 : 1;
        QCoreApplication::exit(result);
    });
    watch.start();
    QTimer::singleShot(120000, &app, [] { QCoreApplication::exit(3); });
    app.exec();
    return result;
}
