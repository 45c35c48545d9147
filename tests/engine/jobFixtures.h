#pragma once

#include "engine/jobHost.h"
#include "engine/powerOff.h"

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
