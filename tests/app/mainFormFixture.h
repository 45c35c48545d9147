#pragma once

#include "app/mainForm.h"
#include "tasks/taskListModel.h"
#include "tests/support/fakeDialogs.h"
#include "tests/support/fakePrompter.h"
#include "tests/support/recordingOpener.h"
#include "tests/support/testAppDir.h"

#include <memory>

// A main window over a temporary application folder, with every dialog,
// message box and desktop call answered or recorded by the test.
struct MainFormFixture {
    TestAppDir appDir;
    TaskListModel model;
    FakePrompter prompter;
    RecordingOpener opener;
    FakeFileDialogs fileDialogs;
    FakeFolderChooser folderChooser;
    std::unique_ptr<TMainForm> form;

    MainFormFixture() {
        form = std::make_unique<TMainForm>(appDir.info(), &model, &prompter, &opener, &fileDialogs,
                                           &folderChooser);
    }
};
