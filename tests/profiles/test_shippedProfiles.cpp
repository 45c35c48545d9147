#include "app/programInfo.h"
#include "profiles/encodingChoices.h"
#include "profiles/outputSettingsRules.h"
#include "profiles/profileCatalogue.h"
#include "shell/iniFile.h"

#include "tests/support/testAppDir.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

QString shippedFolder() {
    return TestAppDir::buildAppDir() + QStringLiteral("Profiles/");
}

// What the encoder can write into each container.
const QHash<QString, QSet<QString>>& videoCodecsFor() {
    static const QHash<QString, QSet<QString>> table{
        {"avi", {"mpeg4", "msmpeg4v2", "libx264", "mpeg1video", "mpeg2video"}},
        {"mpg", {"mpeg1video", "mpeg2video"}},
        {"vob", {"mpeg2video"}},
        {"mp4", {"mpeg4", "libx264"}},
        {"mov", {"mpeg4", "libx264"}},
        {"wmv", {"wmv1", "wmv2", "msmpeg4v2"}},
        {"asf", {"wmv1", "wmv2", "msmpeg4v2"}},
        {"flv", {"flv", "libx264"}}};
    return table;
}

// Audio through the general audio encoder: caption -> codec name, per container.
const QHash<QString, QSet<QString>>& audioCodecsFor() {
    static const QHash<QString, QSet<QString>> table{
        {"avi", {"ac3", "mp2"}}, {"mpg", {"mp2"}},        {"vob", {"ac3", "mp2"}},
        {"mp4", {"aac"}},        {"mov", {"aac"}},        {"wmv", {"wmav2"}},
        {"asf", {"wmav2"}},      {"flv", QSet<QString>{}}};
    return table;
}

// MP3 and uncompressed audio go through their own encoders.
const QHash<QString, QSet<QString>>& ownAudioEncodersFor() {
    static const QHash<QString, QSet<QString>> table{
        {"avi", {"MP3", "PCM"}},  {"mpg", QSet<QString>{}}, {"vob", QSet<QString>{}},
        {"mp4", {"MP3"}},         {"mov", {"MP3", "PCM"}},  {"wmv", QSet<QString>{}},
        {"asf", QSet<QString>{}}, {"flv", {"MP3"}}};
    return table;
}

struct Section {
    QStringList captions;
    int index = -1;
    QString description;
    QString value(int i) const { return values.value(i); }
    QStringList values;
};

// Reads a section as it stands in the file; `present` tells whether "Items" is there at all.
Section readSection(const IniFile& ini, const QString& name, bool* present) {
    const QString missing = QStringLiteral("\x01missing");
    *present = ini.readString(name, QStringLiteral("Items"), missing) != missing;
    Section s;
    const int count = ini.readInteger(name, QStringLiteral("Items"), 0);
    for (int i = 0; i < count; ++i) {
        s.captions << ini.readString(name, QStringLiteral("Caption%1").arg(i), QString());
        s.values << ini.readString(name, QStringLiteral("value%1").arg(i), QString());
    }
    s.index = ini.readInteger(name, QStringLiteral("Index"), -1);
    s.description = ini.readString(name, QStringLiteral("Description"), QString());
    return s;
}

} // namespace

class TestShippedProfiles final : public QObject {
    Q_OBJECT

private slots:
    void catalogueOffersEveryOutputTypeWithAnAviDefault();
    void followsTheConventions_data();
    void followsTheConventions();
};

void TestShippedProfiles::catalogueOffersEveryOutputTypeWithAnAviDefault() {
    const QStringList shown = ProfileCatalogue(shippedFolder());
    QVERIFY2(shown.size() >= OutputTypes().size(), qPrintable(shown.join(", ")));
    QSet<QString> types;
    for (const QString& name : shown)
        types << IniFile(ProfilePathFor(shippedFolder(), name))
                     .readString(QStringLiteral("Main"), QStringLiteral("Type"), QString());
    for (const QString& type : OutputTypes())
        QVERIFY2(types.contains(type.mid(1)), qPrintable(type));
    // The first profile is the one a first run selects.
    EncodingChoices choices;
    QVERIFY(ApplyChosenProfile(choices, shippedFolder(), shown.first()));
    QCOMPARE(choices.outputExt, QStringLiteral(".avi"));
    QCOMPARE(choices.text(SettingBox::Acodec), QStringLiteral("MP3"));
}

void TestShippedProfiles::followsTheConventions_data() {
    QTest::addColumn<QString>("name");
    const QStringList shown = ProfileCatalogue(shippedFolder());
    QVERIFY(!shown.isEmpty());
    for (const QString& name : shown)
        QTest::newRow(qPrintable(name)) << name;
}

void TestShippedProfiles::followsTheConventions() {
    QFETCH(QString, name);
    const QString path = ProfilePathFor(shippedFolder(), name);
    const IniFile ini(path);
    const QString type = ini.readString(QStringLiteral("Main"), QStringLiteral("Type"), QString());
    QVERIFY2(OutputTypes().contains(QLatin1Char('.') + type), qPrintable(type));

    QHash<SettingBox, Section> sections;
    for (int i = 0; i < SettingBoxCount; ++i) {
        const auto b = static_cast<SettingBox>(i);
        const QString section = EncodingChoices::sectionName(b);
        bool present = false;
        const Section s = readSection(ini, section, &present);
        QVERIFY2(present, qPrintable(section));
        QVERIFY2(!s.captions.isEmpty(), qPrintable(section));
        QVERIFY2(s.index >= 0 && s.index < s.captions.size(), qPrintable(section));
        QVERIFY2(!s.description.isEmpty(), qPrintable(section));
        for (const QString& caption : s.captions)
            QVERIFY2(!caption.isEmpty(), qPrintable(section));
        sections.insert(b, s);
    }

    // Captions that go to the encoder as they stand, or that OK demands to be whole numbers.
    for (SettingBox b :
         {SettingBox::Vbitrate, SettingBox::Abitrate, SettingBox::Srate, SettingBox::Bitrate})
        for (const QString& caption : sections[b].captions)
            QVERIFY2(IsWholeNumber(caption), qPrintable(caption));

    const Section& vcodec = sections[SettingBox::Vcodec];
    for (int i = 0; i < vcodec.captions.size(); ++i)
        QVERIFY2(videoCodecsFor().value(type).contains(vcodec.value(i)),
                 qPrintable(vcodec.value(i) + QStringLiteral(" in .") + type));

    static const QRegularExpression frameSize(QStringLiteral("^([1-9][0-9]*):([1-9][0-9]*)$"));
    const Section& size = sections[SettingBox::VideoSize];
    for (int i = 0; i < size.captions.size(); ++i) {
        const auto match = frameSize.match(size.value(i));
        QVERIFY2(match.hasMatch(), qPrintable(size.value(i)));
        // Even sides, since the 4:2:0 pictures of these codecs cannot hold odd ones.
        QVERIFY(match.captured(1).toInt() % 2 == 0 && match.captured(2).toInt() % 2 == 0);
    }

    // Entry 0 is automatic aspect; the others are ratios with "/", as ":"
    // separates the encoder's sub-options.
    static const QRegularExpression ratio(
        QStringLiteral("^[0-9]+(\\.[0-9]+)?/[0-9]+(\\.[0-9]+)?$"));
    const Section& aspect = sections[SettingBox::Aspect];
    QVERIFY(aspect.captions.size() >= 2);
    for (int i = 1; i < aspect.captions.size(); ++i)
        QVERIFY2(ratio.match(aspect.value(i)).hasMatch(), qPrintable(aspect.value(i)));

    const Section& acodec = sections[SettingBox::Acodec];
    for (int i = 0; i < acodec.captions.size(); ++i) {
        const QString& caption = acodec.captions[i];
        if (caption == QLatin1String("MP3") || caption == QLatin1String("PCM"))
            QVERIFY2(ownAudioEncodersFor().value(type).contains(caption),
                     qPrintable(caption + QStringLiteral(" in .") + type));
        else
            QVERIFY2(audioCodecsFor().value(type).contains(acodec.value(i)),
                     qPrintable(acodec.value(i) + QStringLiteral(" in .") + type));
    }

    const Section& mode = sections[SettingBox::EncodeTo];
    QCOMPARE(mode.value(0), QStringLiteral("vbr"));
    for (int i = 1; i < mode.captions.size(); ++i)
        QVERIFY2(mode.value(i) == QLatin1String("abr") || mode.value(i) == QLatin1String("cbr"),
                 qPrintable(mode.value(i)));

    for (const QString& q : sections[SettingBox::Quality].values) {
        int quality = -1;
        QVERIFY2(IsWholeNumber(q, &quality) && quality >= 0 && quality <= 9, qPrintable(q));
    }
    const Section& mp3Rates = sections[SettingBox::Bitrate];
    for (int i = 0; i < mp3Rates.captions.size(); ++i)
        QCOMPARE(mp3Rates.value(i), mp3Rates.captions[i]);
    for (const QString& c : sections[SettingBox::Channels].values)
        QVERIFY2(c == QLatin1String("1") || c == QLatin1String("2"), qPrintable(c));

    // Loaded as shipped, the choices pass the dialog's OK unchanged.
    EncodingChoices choices;
    QVERIFY(choices.loadProfile(path));
    QCOMPARE(choices.outputExt, QLatin1Char('.') + type);
    const auto failure = CheckOutputSettings(choices);
    QVERIFY2(!failure, failure ? qPrintable(failure->text) : "");
}

QTEST_GUILESS_MAIN(TestShippedProfiles)
#include "test_shippedProfiles.moc"
