#include "app/mainForm.h"
#include "engine/jobWindowBinding.h"
#include "engine/optionBuilder.h"
#include "profiles/encodingChoices.h"
#include "profiles/profileCatalogue.h"
#include "shell/preferences.h"
#include "tasks/taskListModel.h"
#include "tests/engine/jobFixtures.h"
#include "tests/support/fakeDialogs.h"
#include "tests/support/fakePrompter.h"
#include "tests/support/recordingOpener.h"
#include "tests/support/testAppDir.h"
#include "tests/support/testMedia.h"

#include <QComboBox>
#include <QDirIterator>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

namespace {

// The media format libmediainfo reports for each output extension.
QString containerOf(const QString& ext) {
    static const QHash<QString, QString> formats{
        {QStringLiteral(".avi"), QStringLiteral("AVI")},
        {QStringLiteral(".mp4"), QStringLiteral("MPEG-4")},
        {QStringLiteral(".mov"), QStringLiteral("MPEG-4")},
        {QStringLiteral(".mpg"), QStringLiteral("MPEG-PS")},
        {QStringLiteral(".vob"), QStringLiteral("MPEG-PS")},
        {QStringLiteral(".wmv"), QStringLiteral("Windows Media")},
        {QStringLiteral(".asf"), QStringLiteral("Windows Media")},
        {QStringLiteral(".flv"), QStringLiteral("Flash Video")}};
    return formats.value(LowerAscii(ext));
}

// The real main window over a temporary application folder with the real
// encoder, a job bound to it as the program binds it, and fakes for the
// message boxes, the desktop and power-off.
struct WindowFixture {
    TestAppDir app;
    TaskListModel model;
    EncodingChoices choices;
    Preferences preferences;
    FakePrompter prompter;
    RecordingOpener opener;
    FakePowerOff powerOff;
    FakeFileDialogs fileDialogs;
    FakeFolderChooser folderChooser;
    std::unique_ptr<TMainForm> form;
    JobWindowBinding* binding = nullptr;
    QStringList commands;
    QString profileName;

    WindowFixture() {
        app.installEncoder();
        preferences.tempDir = app.filePath(QStringLiteral("work/"));
        preferences.overwrite = OverwritePolicy::Ask;
        form = std::make_unique<TMainForm>(app.info(), &model, &prompter, &opener, &fileDialogs,
                                           &folderChooser);
        binding = JobWindowBinding::bind(
            {app.info(), &model, &choices, &preferences, &prompter, &opener, &powerOff, nullptr},
            form.get());
        QObject::connect(&binding->job(), &JoinJob::encoderStarted,
                         [this](const QString& text) { commands << text; });
        useProfile();
        QDir().mkpath(app.filePath(QStringLiteral("out")));
        form->edtOutputFile()->setText(app.filePath(QStringLiteral("out/joined")));
        form->show();
    }

    // A shipped profile when the build has them, else a small one of our own.
    void useProfile() {
        if (!app.installShippedProfiles() || ProfileCatalogue(app.info().profilesDir).isEmpty()) {
            app.writeFile(QStringLiteral("Profiles/Small AVI.bpf"), R"([Main]
Type=avi
[Video Codec]
Items=1
Caption0=MPEG-4
value0=mpeg4
Index=0
[Video Size]
Items=1
Caption0=320 x 240
value0=320:240
Index=0
[Video Bitrate]
Items=1
Caption0=600
Index=0
[Aspect]
Items=2
Caption0=Auto
Caption1=4:3
value1=4:3
Index=0
[Audio Codec]
Items=1
Caption0=MP3
value0=mp3
Index=0
[MP3 Encode]
Items=1
Caption0=VBR
value0=vbr
Index=0
[VBR Quality]
Items=1
Caption0=6
value0=6
Index=0
[Sample Rate]
Items=1
Caption0=44100
Index=0
[Channels]
Items=1
Caption0=2
value0=2
Index=0
)");
        }
        const QStringList names = ProfileCatalogue(app.info().profilesDir);
        profileName = names.first();
        form->cmbProfile()->addItems(names);
        form->cmbProfile()->setCurrentIndex(0);
        QVERIFY(ApplyChosenProfile(choices, app.info().profilesDir, profileName));
    }

    QString addClip(const QString& name, const ClipSpec& spec) {
        const QString path = app.filePath(QStringLiteral("in/") + name);
        QDir().mkpath(app.filePath(QStringLiteral("in")));
        QString error;
        if (!MakeClip(path, spec, &error))
            qWarning("%s", qPrintable(error));
        form->runCommandLine({path});
        return path;
    }

    QStringList statuses() const {
        QStringList all;
        for (int row = 0; row < model.count(); ++row)
            all << model.index(row, 3).data().toString();
        return all;
    }

    bool runToEnd() {
        QSignalSpy ended(&binding->job(), &JoinJob::ended);
        form->tbtnStart()->click();
        return ended.wait(120000);
    }

    void expectIdleLook() {
        QVERIFY(!form->panBottomLeft()->isVisible());
        QVERIFY(form->panBottomCenter()->isVisible());
        QVERIFY(form->tbtnStart()->isEnabled());
        QVERIFY(form->tbtnAddFile()->isEnabled());
        QVERIFY(form->tbtnSetting()->isEnabled());
        QVERIFY(form->ltvTask()->isEnabled());
        QVERIFY(!form->tbtnStop()->isEnabled());
        QCOMPARE(int(binding->job().state()), int(JobState::Idle));
        QTRY_COMPARE_WITH_TIMEOUT(processesMentioning(app.path()), QStringList(), 5000);
    }
};

const ClipSpec MpgClip{320, 240, 25, 1.0, true, 48000, 2};
const ClipSpec AviClip{176, 144, 15, 1.0, true, 22050, 1};
const ClipSpec SilentMp4Clip{352, 288, 30, 1.0, false, 44100, 2};
const ClipSpec MovClip{240, 180, 24, 1.0, true, 32000, 2};

} // namespace

class TestJoinWindow final : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (!QFileInfo(TestAppDir::buildAppDir() + QStringLiteral("asapi.dll")).isExecutable())
            QSKIP("the encoder is not built into the application folder");
    }

    // Mixed clips joined into one file in the profile's container and frame
    // size, as long as the inputs together, with the window showing the job.
    void joinsMixedClips() {
        WindowFixture f;
        QStringList inputs{f.addClip(QStringLiteral("one.mpg"), MpgClip),
                           f.addClip(QStringLiteral("two.avi"), AviClip),
                           f.addClip(QStringLiteral("three (silent).mp4"), SilentMp4Clip),
                           f.addClip(QStringLiteral("four.mov"), MovClip)};
        QCOMPARE(f.model.count(), 4);
        double inputMs = 0;
        for (const QString& input : inputs)
            inputMs += ReadMediaFacts(input).durationMs;

        // What the window shows while the job runs.
        bool checkedRunningLook = false;
        QObject::connect(&f.binding->job(), &JoinJob::encoderStarted, f.form.get(), [&] {
            if (f.commands.size() != 2)
                return;
            checkedRunningLook = true;
            QVERIFY(f.form->panBottomLeft()->isVisible());
            QVERIFY(!f.form->panBottomCenter()->isVisible());
            QVERIFY(!f.form->tbtnStart()->isEnabled());
            QVERIFY(!f.form->tbtnAddFile()->isEnabled());
            QVERIFY(!f.form->ltvTask()->isEnabled());
            QVERIFY(f.form->tbtnStop()->isEnabled());
            QVERIFY(f.form->tbtnAbout()->isEnabled());
            QCOMPARE(f.form->labProcessTitle()->text(), QStringLiteral("Prepare (Converting):"));
            QCOMPARE(f.form->labConvertingFile()->text(), QStringLiteral("two.avi"));
            QCOMPARE(f.statuses().first(), QStringLiteral("Waiting for joining"));
            QCOMPARE(f.statuses().at(1), QStringLiteral("Converting"));
        });
        bool checkedJoinLook = false;
        QObject::connect(&f.binding->job(), &JoinJob::encoderStarted, f.form.get(), [&] {
            if (f.commands.size() != 5)
                return;
            checkedJoinLook = true;
            QCOMPARE(f.form->labProcessTitle()->text(),
                     QStringLiteral("Final Step: Joining all files..."));
            QVERIFY(!f.form->labConvertingFile()->isVisible());
            QCOMPARE(f.statuses(), QStringList(4, QStringLiteral("Joining")));
        });
        QVERIFY(f.runToEnd());
        QVERIFY(checkedRunningLook);
        QVERIFY(checkedJoinLook);

        const QString output = f.form->edtOutputFile()->text();
        QCOMPARE(output, f.app.filePath(QStringLiteral("out/joined")) + f.choices.outputExt);
        QCOMPARE(f.prompter.captions(), QStringList{QStringLiteral("Complete")});
        QCOMPARE(f.prompter.texts(),
                 QStringList{QStringLiteral("The joining is completed successfully.")});
        QCOMPARE(f.statuses(), QStringList(4, QStringLiteral("Complete")));
        QCOMPARE(QDir(f.app.filePath(QStringLiteral("work"))).entryList(QDir::Files),
                 QStringList());
        QCOMPARE(f.form->pgbTotal()->value(), 100);
        QCOMPARE(f.form->labTotalProgress()->text(), QStringLiteral("100%"));
        QCOMPARE(f.form->labCurProgress()->text(), QStringLiteral("100%"));
        f.expectIdleLook();

        const MediaFacts facts = ReadMediaFacts(output);
        QCOMPARE(facts.format, containerOf(f.choices.outputExt));
        const QString size =
            GetVideoSizeValue(ProfilePathFor(f.app.info().profilesDir, f.profileName), f.choices);
        QCOMPARE(QStringLiteral("%1:%2").arg(facts.width).arg(facts.height), size);
        const double tolerance = 100.0 * inputs.size();
        QVERIFY2(
            qAbs(facts.durationMs - inputMs) <= tolerance,
            qPrintable(
                QStringLiteral("%1 ms for %2 ms of input").arg(facts.durationMs).arg(inputMs)));
        QVERIFY2(qAbs(facts.audioDurationMs - facts.videoDurationMs) <= tolerance,
                 qPrintable(QStringLiteral("audio %1 ms, video %2 ms")
                                .arg(facts.audioDurationMs)
                                .arg(facts.videoDurationMs)));
    }

    void stop_data() {
        QTest::addColumn<int>("run"); // the run during which Stop is pressed
        QTest::addColumn<QStringList>("statuses");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("outputMayRemain");
        QTest::newRow("during the conversion")
            << 1 << QStringList{"Waiting for joining", "Stop", "OK"} << "The Coversion is canceled."
            << false;
        QTest::newRow("during the join")
            << 3 << QStringList(3, QStringLiteral("Stop")) << "The Joining is canceled." << true;
    }

    void stop() {
        QFETCH(int, run);
        QFETCH(QStringList, statuses);
        QFETCH(QString, text);
        QFETCH(bool, outputMayRemain);
        WindowFixture f;
        f.addClip(QStringLiteral("one.mpg"), MpgClip);
        f.addClip(QStringLiteral("two.avi"), AviClip);
        f.addClip(QStringLiteral("three.mov"), MovClip);
        QObject::connect(&f.binding->job(), &JoinJob::encoderStarted, f.form.get(), [&f, run] {
            if (f.commands.size() == run + 1)
                QTimer::singleShot(0, f.form.get(), [&f] { f.form->tbtnStop()->click(); });
        });
        QVERIFY(f.runToEnd());
        QCOMPARE(f.commands.size(), run + 1);
        QCOMPARE(f.statuses(), statuses);
        QCOMPARE(f.prompter.captions(), QStringList{QStringLiteral("Cancel")});
        QCOMPARE(f.prompter.texts(), QStringList{text});
        QCOMPARE(QDir(f.app.filePath(QStringLiteral("work"))).entryList(QDir::Files),
                 QStringList());
        if (!outputMayRemain)
            QVERIFY(!QFileInfo::exists(f.form->edtOutputFile()->text()));
        f.expectIdleLook();
    }

    // An input the encoder cannot read (it was damaged after it was added):
    // "Conversion Failed", never the success box.
    void unreadableInput() {
        WindowFixture f;
        f.addClip(QStringLiteral("one.mpg"), MpgClip);
        const QString broken = f.addClip(QStringLiteral("broken.avi"), AviClip);
        QCOMPARE(f.model.count(), 2);
        f.app.writeFile(QStringLiteral("in/broken.avi"), QByteArray(3000, 'x'));
        QVERIFY(f.runToEnd());
        QCOMPARE(f.prompter.captions(), QStringList{QStringLiteral("Conversion Failed")});
        QVERIFY(f.prompter.texts().first().startsWith(
            QStringLiteral("Could not convert the file ") + broken + QStringLiteral(".")));
        QCOMPARE(f.statuses(),
                 (QStringList{QStringLiteral("Waiting for joining"), QStringLiteral("Error")}));
        QCOMPARE(f.commands.size(), 2);
        f.expectIdleLook();
    }

    void overwriteAnsweredNo() {
        WindowFixture f;
        f.addClip(QStringLiteral("one.mpg"), MpgClip);
        f.addClip(QStringLiteral("two.avi"), AviClip);
        const QString existing =
            f.app.writeFile(QStringLiteral("out/joined") + f.choices.outputExt, "keep me");
        f.prompter.answers = {false};
        f.form->tbtnStart()->click();
        QCOMPARE(f.prompter.captions(), QStringList{QStringLiteral("File Exists")});
        QCOMPARE(f.form->edtOutputFile()->text(), existing); // keeps the added extension
        QCOMPARE(f.form->focusWidget(), f.form->edtOutputFile());
        QVERIFY(f.commands.isEmpty());
        QCOMPARE(f.statuses(), QStringList(2, QStringLiteral("OK")));
        f.expectIdleLook();
    }

    void renameKeepsExistingFiles() {
        WindowFixture f;
        f.addClip(QStringLiteral("one.mpg"), MpgClip);
        f.addClip(QStringLiteral("two.avi"), AviClip);
        f.preferences.overwrite = OverwritePolicy::Rename;
        const QString ext = f.choices.outputExt;
        f.app.writeFile(QStringLiteral("out/joined") + ext, "first");
        f.app.writeFile(QStringLiteral("out/joined_1") + ext, "second");
        QVERIFY(f.runToEnd());
        QCOMPARE(f.form->edtOutputFile()->text(),
                 f.app.filePath(QStringLiteral("out/joined") + ext));
        QCOMPARE(QFileInfo(f.app.filePath(QStringLiteral("out/joined") + ext)).size(), 5);
        QCOMPARE(QFileInfo(f.app.filePath(QStringLiteral("out/joined_1") + ext)).size(), 6);
        QCOMPARE(ReadMediaFacts(f.app.filePath(QStringLiteral("out/joined_2") + ext)).format,
                 containerOf(ext));
        QCOMPARE(f.prompter.captions(), QStringList{QStringLiteral("Complete")});
    }

    // Power-off first, then the window closes, without a message.
    void powerOffThenClose() {
        WindowFixture f;
        f.addClip(QStringLiteral("one.mpg"), MpgClip);
        f.addClip(QStringLiteral("two.avi"), AviClip);
        f.preferences.turnOff = true;
        QVERIFY(f.runToEnd());
        QCOMPARE(f.powerOff.requests, 1);
        QVERIFY(f.prompter.messages.isEmpty());
        QVERIFY(f.opener.paths.isEmpty());
        QTRY_VERIFY(!f.form->isVisible());
    }

    // Closing the window during a job: it stays until the job has ended and
    // shown its message, then it closes.
    void closeDuringJob() {
        WindowFixture f;
        f.addClip(QStringLiteral("one.mpg"), MpgClip);
        f.addClip(QStringLiteral("two.avi"), AviClip);
        QSignalSpy closing(f.form.get(), &TMainForm::closing);
        QSignalSpy deferred(f.binding, &JobWindowBinding::closeDeferred);
        bool visibleAtMessage = false;
        f.prompter.onMessage = [&](const FakePrompter::Message&) {
            visibleAtMessage = f.form->isVisible();
        };
        QObject::connect(&f.binding->job(), &JoinJob::encoderStarted, f.form.get(), [&f] {
            if (f.commands.size() == 1)
                QTimer::singleShot(0, f.form.get(), [&f] { QVERIFY(!f.form->close()); });
        });
        QVERIFY(f.runToEnd());
        QCOMPARE(deferred.size(), 1);
        QCOMPARE(f.statuses(), QStringList(2, QStringLiteral("Complete")));
        QCOMPARE(f.prompter.captions(), QStringList{QStringLiteral("Complete")});
        QVERIFY(visibleAtMessage);
        QTRY_VERIFY(!f.form->isVisible());
        QCOMPARE(closing.size(), 2); // announced at once, and again when really closed
    }
};

QTEST_MAIN(TestJoinWindow)
#include "test_joinWindow.moc"
