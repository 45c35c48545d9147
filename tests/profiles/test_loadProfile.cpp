#include "profiles/encodingChoices.h"
#include "profiles/profileCatalogue.h"

#include "tests/support/testAppDir.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

// A profile with every section: two entries each, the second selected, except
// where a test writes a section of its own.
QByteArray fullProfile(const QByteArray& type, const QByteArray& tag) {
    QByteArray text = "[Main]\nType=" + type + "\n";
    const char* sections[] = {"Video Codec",   "Video Size",  "Video Bitrate", "Aspect",
                              "Audio Codec",   "MP3 Encode",  "VBR Quality",   "ABR CBR Bitrate",
                              "Audio Bitrate", "Sample Rate", "Channels"};
    for (const char* section : sections) {
        text += QByteArray("[") + section + "]\nItems=2\nCaption0=" + tag + "0\nCaption1=" + tag +
                "1\nIndex=1\nDescription=" + tag + " " + section + "\n";
    }
    return text;
}

} // namespace

class TestLoadProfile final : public QObject {
    Q_OBJECT

private slots:
    void loadsEntriesSelectionsAndType();
    void missingTypeGivesAvi();
    void sectionEdgeCases_data();
    void sectionEdgeCases();
    void namesMatchWithoutRegardToCase();
    void reloadingRestoresSelectionsAndDropsTypedText();
    void manualSizeSurvivesAProfileChange();
    void deletedProfileKeepsThePreviousChoices();
    void upperCaseExtensionIsLoadedWhenChosen();
    void descriptionShowsSectionLineAndCurrentValue();
    void editingAnEditableBox();
    void restorePutsBackTheSnapshot();
};

void TestLoadProfile::loadsEntriesSelectionsAndType() {
    TestAppDir dir;
    const QString path =
        dir.writeFile(QStringLiteral("Profiles/one.bpf"), fullProfile("mpg", "one"));
    EncodingChoices choices;
    QSignalSpy reloaded(&choices, &EncodingChoices::reloaded);
    QSignalSpy loaded(&choices, &EncodingChoices::profileLoaded);
    QVERIFY(choices.loadProfile(path));
    QCOMPARE(reloaded.size(), 1);
    QCOMPARE(loaded.size(), 1);
    QCOMPARE(choices.profilePath, path);
    QCOMPARE(choices.outputExt, QStringLiteral(".mpg"));
    for (int i = 0; i < SettingBoxCount; ++i) {
        const auto b = static_cast<SettingBox>(i);
        QCOMPARE(choices.box(b).entries,
                 (QStringList{QStringLiteral("one0"), QStringLiteral("one1")}));
        QCOMPARE(choices.selected(b), 1);
        QCOMPARE(choices.text(b), QStringLiteral("one1"));
    }
}

void TestLoadProfile::missingTypeGivesAvi() {
    TestAppDir dir;
    EncodingChoices choices;
    QVERIFY(
        choices.loadProfile(dir.writeFile(QStringLiteral("n.bpf"), "[Video Codec]\nItems=0\n")));
    QCOMPARE(choices.outputExt, QStringLiteral(".avi"));
    QVERIFY(choices.loadProfile(dir.writeFile(QStringLiteral("e.bpf"), "[Main]\nType=\n")));
    QCOMPARE(choices.outputExt, QStringLiteral("."));
    QVERIFY(choices.loadProfile(dir.writeFile(QStringLiteral("t.bpf"), "[Main]\nType = mov \n")));
    QCOMPARE(choices.outputExt, QStringLiteral(".mov"));
}

void TestLoadProfile::sectionEdgeCases_data() {
    QTest::addColumn<QByteArray>("section"); // the "Video Bitrate" section, an editable box
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("text");
    const QStringList abc{"a", "b", "c"};
    QTest::newRow("index beyond the entries")
        << QByteArray("Items=3\nCaption0=a\nCaption1=b\nCaption2=c\nIndex=5\n") << abc << -1 << "";
    QTest::newRow("index missing")
        << QByteArray("Items=3\nCaption0=a\nCaption1=b\nCaption2=c\n") << abc << -1 << "";
    QTest::newRow("index not a number")
        << QByteArray("Items=3\nCaption0=a\nCaption1=b\nCaption2=c\nIndex=1x\n") << abc << -1 << "";
    QTest::newRow("index negative")
        << QByteArray("Items=3\nCaption0=a\nCaption1=b\nCaption2=c\nIndex=-2\n") << abc << -1 << "";
    QTest::newRow("index in range")
        << QByteArray("Items=3\nCaption0=a\nCaption1=b\nCaption2=c\nIndex=2\n") << abc << 2 << "c";
    QTest::newRow("caption missing")
        << QByteArray("Items=2\nCaption0=a\nIndex=1\n") << QStringList{"a", ""} << 1 << "";
    QTest::newRow("items missing")
        << QByteArray("Caption0=a\nIndex=0\n") << QStringList{} << -1 << "";
    QTest::newRow("items not a number")
        << QByteArray("Items=three\nCaption0=a\nIndex=0\n") << QStringList{} << -1 << "";
    QTest::newRow("items negative")
        << QByteArray("Items=-1\nCaption0=a\nIndex=0\n") << QStringList{} << -1 << "";
    QTest::newRow("blanks around values") << QByteArray("Items = 1 \nCaption0 =  800  \nIndex= 0\n")
                                          << QStringList{"800"} << 0 << "800";
}

void TestLoadProfile::sectionEdgeCases() {
    QFETCH(QByteArray, section);
    QFETCH(QStringList, entries);
    QFETCH(int, selected);
    QFETCH(QString, text);
    TestAppDir dir;
    EncodingChoices choices;
    QVERIFY(choices.loadProfile(
        dir.writeFile(QStringLiteral("p.bpf"), "[Main]\nType=avi\n[Video Bitrate]\n" + section)));
    QCOMPARE(choices.box(SettingBox::Vbitrate).entries, entries);
    QCOMPARE(choices.selected(SettingBox::Vbitrate), selected);
    QCOMPARE(choices.text(SettingBox::Vbitrate), text);
    // A section missing altogether gives an empty box.
    QVERIFY(choices.box(SettingBox::Vcodec).entries.isEmpty());
    QCOMPARE(choices.selected(SettingBox::Vcodec), -1);
}

void TestLoadProfile::namesMatchWithoutRegardToCase() {
    TestAppDir dir;
    EncodingChoices choices;
    QVERIFY(choices.loadProfile(dir.writeFile(
        QStringLiteral("p.bpf"),
        "[MAIN]\ntype=flv\n[audio codec]\nITEMS=2\ncaption0=MP3\nCAPTION1=AAC\nindex=1\n")));
    QCOMPARE(choices.outputExt, QStringLiteral(".flv"));
    QCOMPARE(choices.box(SettingBox::Acodec).entries, (QStringList{"MP3", "AAC"}));
    QCOMPARE(choices.text(SettingBox::Acodec), QStringLiteral("AAC"));
}

void TestLoadProfile::reloadingRestoresSelectionsAndDropsTypedText() {
    TestAppDir dir;
    const QString first = dir.writeFile(QStringLiteral("first.bpf"), fullProfile("avi", "f"));
    const QString second = dir.writeFile(QStringLiteral("second.bpf"), fullProfile("mp4", "s"));
    EncodingChoices choices;
    QVERIFY(choices.loadProfile(first));
    choices.chooseEntry(SettingBox::Vcodec, 0);
    choices.typeText(SettingBox::Vbitrate, QStringLiteral("1234"));
    QVERIFY(choices.loadProfile(second));
    QCOMPARE(choices.outputExt, QStringLiteral(".mp4"));
    QCOMPARE(choices.text(SettingBox::Vcodec), QStringLiteral("s1"));
    QVERIFY(choices.loadProfile(first));
    QCOMPARE(choices.outputExt, QStringLiteral(".avi"));
    QCOMPARE(choices.selected(SettingBox::Vcodec), 1);
    QCOMPARE(choices.selected(SettingBox::Vbitrate), 1);
    QCOMPARE(choices.text(SettingBox::Vbitrate), QStringLiteral("f1"));
}

void TestLoadProfile::manualSizeSurvivesAProfileChange() {
    TestAppDir dir;
    EncodingChoices choices;
    QVERIFY(choices.loadProfile(dir.writeFile(QStringLiteral("a.bpf"), fullProfile("avi", "a"))));
    choices.sizeMode = SizeMode::ManualSize;
    choices.width = QStringLiteral("720");
    choices.height = QStringLiteral("576");
    QVERIFY(choices.loadProfile(dir.writeFile(QStringLiteral("b.bpf"), fullProfile("mpg", "b"))));
    QCOMPARE(choices.sizeMode, SizeMode::ManualSize);
    QCOMPARE(choices.width, QStringLiteral("720"));
    QCOMPARE(choices.height, QStringLiteral("576"));
}

void TestLoadProfile::deletedProfileKeepsThePreviousChoices() {
    TestAppDir dir;
    const QString folder = dir.filePath(QStringLiteral("Profiles/"));
    dir.writeFile(QStringLiteral("Profiles/kept.bpf"), fullProfile("vob", "k"));
    const QString gone =
        dir.writeFile(QStringLiteral("Profiles/gone.bpf"), fullProfile("wmv", "g"));
    const QStringList shown = ProfileCatalogue(folder);
    QCOMPARE(shown, (QStringList{QStringLiteral("gone"), QStringLiteral("kept")}));

    EncodingChoices choices;
    QVERIFY(ApplyChosenProfile(choices, folder, QStringLiteral("kept")));
    choices.typeText(SettingBox::Srate, QStringLiteral("22050"));
    QVERIFY(QFile::remove(gone));
    QSignalSpy reloaded(&choices, &EncodingChoices::reloaded);
    QVERIFY(!ApplyChosenProfile(choices, folder, QStringLiteral("gone")));
    QVERIFY(!ApplyChosenProfile(choices, folder, QString()));
    QCOMPARE(reloaded.size(), 0);
    QCOMPARE(choices.outputExt, QStringLiteral(".vob"));
    QCOMPARE(choices.profilePath, folder + QStringLiteral("kept.bpf"));
    QCOMPARE(choices.text(SettingBox::Vcodec), QStringLiteral("k1"));
    QCOMPARE(choices.text(SettingBox::Srate), QStringLiteral("22050"));
}

void TestLoadProfile::upperCaseExtensionIsLoadedWhenChosen() {
    TestAppDir dir;
    const QString folder = dir.filePath(QStringLiteral("Profiles/"));
    const QString path = dir.writeFile(QStringLiteral("Profiles/A.BPF"), fullProfile("asf", "u"));
    EncodingChoices choices;
    QVERIFY(ApplyChosenProfile(choices, folder, ProfileCatalogue(folder).value(0)));
    QCOMPARE(choices.profilePath, path);
    QCOMPARE(choices.outputExt, QStringLiteral(".asf"));
}

void TestLoadProfile::descriptionShowsSectionLineAndCurrentValue() {
    TestAppDir dir;
    EncodingChoices choices;
    // Before any load there is no profile to read a description from.
    QCOMPARE(choices.description(SettingBox::Vbitrate),
             (QStringList{QString(), QStringLiteral("Current Value: ")}));
    const QString path = dir.writeFile(QStringLiteral("d.bpf"), fullProfile("avi", "d"));
    QVERIFY(choices.loadProfile(path));
    choices.typeText(SettingBox::Vbitrate, QStringLiteral("15"));
    QCOMPARE(choices.description(SettingBox::Vbitrate),
             (QStringList{QStringLiteral("d Video Bitrate"), QStringLiteral("Current Value: 15")}));
    choices.chooseEntry(SettingBox::Aspect, -1);
    QCOMPARE(choices.description(SettingBox::Aspect),
             (QStringList{QStringLiteral("d Aspect"), QStringLiteral("Current Value: ")}));
    // The line is read from the file each time.
    dir.writeFile(QStringLiteral("d.bpf"), "[Channels]\nDescription=Changed\n");
    QCOMPARE(choices.description(SettingBox::Channels).value(0), QStringLiteral("Changed"));
}

void TestLoadProfile::editingAnEditableBox() {
    TestAppDir dir;
    EncodingChoices choices;
    QVERIFY(choices.loadProfile(dir.writeFile(QStringLiteral("e.bpf"), fullProfile("avi", "e"))));
    choices.typeText(SettingBox::Bitrate, QStringLiteral("e0"));
    QCOMPARE(choices.selected(SettingBox::Bitrate), -1); // typing selects nothing, even a caption
    QCOMPARE(choices.text(SettingBox::Bitrate), QStringLiteral("e0"));
    choices.putText(SettingBox::Bitrate, QStringLiteral("e0"));
    QCOMPARE(choices.selected(SettingBox::Bitrate), 0);
    choices.putText(SettingBox::Bitrate, QStringLiteral("999"));
    QCOMPARE(choices.selected(SettingBox::Bitrate), -1);
    QCOMPARE(choices.text(SettingBox::Bitrate), QStringLiteral("999"));
    choices.chooseEntry(SettingBox::Bitrate, 1);
    QCOMPARE(choices.text(SettingBox::Bitrate), QStringLiteral("e1"));
    // A list-only box takes no typed text.
    choices.typeText(SettingBox::Vcodec, QStringLiteral("typed"));
    QCOMPARE(choices.text(SettingBox::Vcodec), QStringLiteral("e1"));
}

void TestLoadProfile::restorePutsBackTheSnapshot() {
    TestAppDir dir;
    EncodingChoices choices;
    QVERIFY(choices.loadProfile(dir.writeFile(QStringLiteral("r.bpf"), fullProfile("avi", "r"))));
    choices.typeText(SettingBox::Abitrate, QStringLiteral("96"));
    const SavedSettings saved = SavedSettings::take(choices);

    for (SettingBox b :
         {SettingBox::Vcodec, SettingBox::Aspect, SettingBox::VideoSize, SettingBox::Acodec,
          SettingBox::EncodeTo, SettingBox::Quality, SettingBox::Channels, SettingBox::Vbitrate,
          SettingBox::Bitrate, SettingBox::Srate})
        choices.chooseEntry(b, 0);
    choices.typeText(SettingBox::Abitrate, QStringLiteral("1"));
    choices.sizeMode = SizeMode::ManualSize;
    choices.width = QStringLiteral("10");
    choices.height = QStringLiteral("20");

    QSignalSpy reloaded(&choices, &EncodingChoices::reloaded);
    QSignalSpy loaded(&choices, &EncodingChoices::profileLoaded);
    saved.restoreInto(choices);
    QCOMPARE(reloaded.size(), 1);
    QCOMPARE(loaded.size(), 0);
    for (SettingBox b :
         {SettingBox::Vcodec, SettingBox::Aspect, SettingBox::VideoSize, SettingBox::Acodec,
          SettingBox::EncodeTo, SettingBox::Quality, SettingBox::Channels, SettingBox::Vbitrate,
          SettingBox::Bitrate, SettingBox::Srate})
        QCOMPARE(choices.selected(b), 1); // editable boxes: the entry of the restored caption
    QCOMPARE(choices.text(SettingBox::Abitrate), QStringLiteral("96"));
    QCOMPARE(choices.selected(SettingBox::Abitrate), -1);
    QCOMPARE(choices.sizeMode, SizeMode::SelectSize);
    QVERIFY(choices.width.isEmpty());
    QVERIFY(choices.height.isEmpty());
}

QTEST_GUILESS_MAIN(TestLoadProfile)
#include "test_loadProfile.moc"
