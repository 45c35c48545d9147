#include "shell/preferencesFile.h"

#include "shell/iniFile.h"
#include "shell/prompter.h"

#include <functional>

namespace {

const QString Main = QStringLiteral("Main");
const QString Default = QStringLiteral("Default");

const QString OutputFileKey = QStringLiteral("Output File");
const QString TempDirKey = QStringLiteral("Temp Dir");
const QString OpenDirKey = QStringLiteral("Auto Open Dir");
const QString ExitKey = QStringLiteral("Auto Exit");
const QString TurnOffKey = QStringLiteral("Auto Turn Off");
const QString AskKey = QStringLiteral("Ask");
const QString OverwriteKey = QStringLiteral("Overwrite");
const QString RenameKey = QStringLiteral("Rename");
const QString ProfileKey = QStringLiteral("Profile");

// Runs the writes in order and stops at the first that fails, reporting it
// with the file's own error text in the application's error box.
bool writeInOrder(const ProgramInfo& info, Prompter& prompter,
                  const QList<std::function<bool(IniFile&)>>& writes) {
    IniFile file(info.preferencesPath);
    for (const auto& write : writes) {
        if (!write(file)) {
            prompter.error(info.programName, file.errorString());
            return false;
        }
    }
    return true;
}

} // namespace

OverwriteFlags FlagsOf(OverwritePolicy policy) {
    return {policy == OverwritePolicy::Ask, policy == OverwritePolicy::Overwrite,
            policy == OverwritePolicy::Rename};
}

OverwritePolicy ApplyOverwriteFlags(OverwritePolicy current, const OverwriteFlags& flags) {
    const auto apply = [&current](bool flag, OverwritePolicy button) {
        if (flag)
            current = button;
        else if (current == button)
            current = OverwritePolicy::None;
    };
    apply(flags.ask, OverwritePolicy::Ask);
    apply(flags.overwrite, OverwritePolicy::Overwrite);
    apply(flags.rename, OverwritePolicy::Rename);
    return current;
}

Preferences ReadPreferences(const ProgramInfo& info) {
    const IniFile file(info.preferencesPath);
    Preferences values;
    values.outputFile = file.readString(Main, OutputFileKey, QString());
    values.tempDir = file.readString(Main, TempDirKey, info.appDir + QStringLiteral("temp/"));
    values.openDir = file.readFlag(Main, OpenDirKey, true);
    values.exitProgram = file.readFlag(Main, ExitKey, false);
    values.turnOff = file.readFlag(Main, TurnOffKey, false);
    values.overwrite =
        ApplyOverwriteFlags(values.overwrite, {file.readFlag(Main, AskKey, true),
                                               file.readFlag(Main, OverwriteKey, false),
                                               file.readFlag(Main, RenameKey, false)});
    return values;
}

Preferences ReadDefaultPreferences(const ProgramInfo& info, const Preferences& current) {
    const IniFile file(info.preferencesPath);
    Preferences values = current;
    values.outputFile = file.readString(Default, OutputFileKey, QString());
    // Unlike [Main], an absent default leaves the open-folder box clear.
    values.openDir = file.readFlag(Default, OpenDirKey, false);
    values.exitProgram = file.readFlag(Default, ExitKey, false);
    values.turnOff = file.readFlag(Default, TurnOffKey, false);
    values.overwrite =
        ApplyOverwriteFlags(values.overwrite, {file.readFlag(Default, AskKey, true),
                                               file.readFlag(Default, OverwriteKey, false),
                                               file.readFlag(Default, RenameKey, false)});
    return values;
}

bool WritePreferences(const ProgramInfo& info, const Preferences& values, Prompter& prompter) {
    const OverwriteFlags flags = FlagsOf(values.overwrite);
    return writeInOrder(
        info, prompter,
        {
            [&](IniFile& f) { return f.writeString(Main, OutputFileKey, values.outputFile); },
            [&](IniFile& f) { return f.writeString(Main, TempDirKey, values.tempDir); },
            [&](IniFile& f) { return f.writeFlag(Main, OpenDirKey, values.openDir); },
            [&](IniFile& f) { return f.writeFlag(Main, ExitKey, values.exitProgram); },
            [&](IniFile& f) { return f.writeFlag(Main, TurnOffKey, values.turnOff); },
            [&](IniFile& f) { return f.writeFlag(Main, AskKey, flags.ask); },
            [&](IniFile& f) { return f.writeFlag(Main, OverwriteKey, flags.overwrite); },
            [&](IniFile& f) { return f.writeFlag(Main, RenameKey, flags.rename); },
        });
}

MainPreferences ReadMainPreferences(const ProgramInfo& info) {
    const IniFile file(info.preferencesPath);
    MainPreferences values;
    values.profile = file.readNumber(Main, ProfileKey, 0);
    values.outputFile = file.readString(Main, OutputFileKey, QString());
    return values;
}

bool WriteMainPreferences(const ProgramInfo& info, const MainPreferences& values,
                          Prompter& prompter) {
    return writeInOrder(
        info, prompter,
        {
            [&](IniFile& f) { return f.writeInteger(Main, ProfileKey, values.profile); },
            [&](IniFile& f) { return f.writeString(Main, OutputFileKey, values.outputFile); },
        });
}
