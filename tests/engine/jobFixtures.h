#pragma once

#include "engine/jobHost.h"
#include "engine/joinJob.h"
#include "engine/powerOff.h"
#include "profiles/encodingChoices.h"
#include "shell/preferences.h"
#include "tasks/taskListModel.h"
#include "tasks/timeText.h"
#include "tests/support/fakePrompter.h"
#include "tests/support/recordingOpener.h"
#include "tests/support/testAppDir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QObject>

#include <memory>

#include <QStringList>

// Records power-off requests instead of switching anything off.
class FakePowerOff final : public PowerOff {
public:
    int requests = 0;
    void powerOff() override { ++requests; }
};

// The window side of a job for core tests: the output box, the profile name,
// and a record of focus changes, locking and closing.
class RecordingHost final : public JobHost {
public:
    QString output;
    QString profile;
    QStringList events; // "focus list", "focus output", "lock", "unlock", "close"
    bool locked = false;

    QString outputFileText() const override { return output; }
    void setOutputFileText(const QString& text) override { output = text; }
    QString profileName() const override { return profile; }
    void focusTaskList() override { events << QStringLiteral("focus list"); }
    void focusOutputFile() override { events << QStringLiteral("focus output"); }
    void LockControls() override {
        locked = true;
        events << QStringLiteral("lock");
    }
    void UnlockControls() override {
        locked = false;
        events << QStringLiteral("unlock");
    }
    void closeMainWindow() override { events << QStringLiteral("close"); }
};

// Processes whose command line mentions the text: an encoder or ffmpeg left
// behind would name the test's folder. Zombies no longer run and are skipped.
inline QStringList processesMentioning(const QString& text) {
    QStringList found;
    const QByteArray needle = text.toUtf8();
    QDirIterator it(QStringLiteral("/proc"), QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString dir = it.next();
        bool numeric = false;
        it.fileName().toLongLong(&numeric);
        if (!numeric)
            continue;
        QFile stat(dir + QStringLiteral("/stat"));
        if (stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") Z "))
            continue;
        QFile cmdline(dir + QStringLiteral("/cmdline"));
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(needle))
            found << it.fileName();
    }
    return found;
}

// One job with everything it reads, over a temporary application folder.
struct Fixture {
    TestAppDir app;
    TaskListModel tasks;
    EncodingChoices choices;
    Preferences preferences;
    FakePrompter prompter;
    RecordingOpener opener;
    FakePowerOff powerOff;
    RecordingHost host;
    std::unique_ptr<JoinJob> job;
    QStringList commands;

    explicit Fixture(bool withEncoder) {
        if (withEncoder)
            app.installEncoder();
        QDir().mkpath(app.filePath(QStringLiteral("out")));
        preferences.tempDir = app.filePath(QStringLiteral("temp/"));
        preferences.overwrite = OverwritePolicy::Ask;
        preferences.openDir = true;
        choices.outputExt = QStringLiteral(".avi");
        host.output = app.filePath(QStringLiteral("out/joined.avi"));
        JoinJobContext context;
        context.info = app.info();
        context.tasks = &tasks;
        context.choices = &choices;
        context.preferences = &preferences;
        context.prompter = &prompter;
        context.opener = &opener;
        context.powerOff = &powerOff;
        context.host = &host;
        job = std::make_unique<JoinJob>(context);
        QObject::connect(job.get(), &JoinJob::encoderStarted,
                         [this](const QString& text) { commands << text; });
    }

    // A small profile: MPEG-4 video and MP3 audio in AVI at 320x240, selected
    // as if the profile had been loaded.
    void useFixtureProfile() {
        app.writeFile(QStringLiteral("Profiles/Fixture.bpf"), R"([Main]
Type=avi
[Video Codec]
value0=mpeg4
[Video Size]
value0=320:240
[Aspect]
[Audio Codec]
value0=mp3
[MP3 Encode]
value0=vbr
[VBR Quality]
value0=6
[Channels]
value0=2
)");
        host.profile = QStringLiteral("Fixture");
        choices.outputExt = QStringLiteral(".avi");
        for (SettingBox box :
             {SettingBox::Vcodec, SettingBox::VideoSize, SettingBox::Aspect, SettingBox::Acodec,
              SettingBox::EncodeTo, SettingBox::Quality, SettingBox::Channels}) {
            choices.box(box).entries = {QStringLiteral("entry")};
            choices.box(box).selected = 0;
        }
        choices.box(SettingBox::Acodec).entries = {QStringLiteral("MP3")};
        choices.box(SettingBox::Vbitrate).typedText = QStringLiteral("600");
        choices.box(SettingBox::Srate).typedText = QStringLiteral("44100");
    }

    void addEntry(const QString& path, double seconds = 1.0) {
        const int row = tasks.appendEmptyRow();
        ltvItemData item;
        item.InputFile = path;
        item.LengthText = SecondsToTimeText(seconds);
        item.StatusText = QStringLiteral("OK");
        tasks.WriteTaskItem(row, TaskField::All, item);
    }

    QString status(int row) const {
        ltvItemData item;
        tasks.ReadTaskItem(row, TaskField::Status, item);
        return item.StatusText;
    }

    QStringList shown() const {
        QStringList all;
        for (const auto& m : prompter.messages)
            all << m.caption + QLatin1Char('|') + m.text;
        return all;
    }
};
