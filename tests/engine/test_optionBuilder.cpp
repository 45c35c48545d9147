#include "engine/optionBuilder.h"
#include "profiles/encodingChoices.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// The profile every example reads: each section's value list, by entry number.
const char* const ExampleProfile = R"([Main]
Type=avi
[Video Codec]
value0=mpeg4
value1=mpeg2video
[Video Size]
value0=640:480
value1=320:240
value2=720:576
[Aspect]
value0=ignored
value1=16:9
value2=4:3
[Audio Codec]
value0=mp3
value1=mp2
value2=ac3
value3=pcm_s16le
[MP3 Encode]
value0=vbr
value1=abr
value2=VBR
[VBR Quality]
value0=6
value1=2
[ABR CBR Bitrate]
value0=128
value1=192
[Channels]
value0=2
value1=1
)";

SettingBox boxNamed(const QString& name) {
    static const QHash<QString, SettingBox> boxes{
        {QStringLiteral("Vcodec"), SettingBox::Vcodec},
        {QStringLiteral("VideoSize"), SettingBox::VideoSize},
        {QStringLiteral("Vbitrate"), SettingBox::Vbitrate},
        {QStringLiteral("Aspect"), SettingBox::Aspect},
        {QStringLiteral("Acodec"), SettingBox::Acodec},
        {QStringLiteral("EncodeTo"), SettingBox::EncodeTo},
        {QStringLiteral("Quality"), SettingBox::Quality},
        {QStringLiteral("Bitrate"), SettingBox::Bitrate},
        {QStringLiteral("Abitrate"), SettingBox::Abitrate},
        {QStringLiteral("Srate"), SettingBox::Srate},
        {QStringLiteral("Channels"), SettingBox::Channels}};
    return boxes.value(name);
}

// Choices written compactly, separated by ";":
//   Box#n          entry n selected
//   Box#n=Caption  entry n selected, with that caption
//   Box=text       text typed into an editable box (no entry selected)
//   size=WxH       manual frame size
void applyChoices(EncodingChoices& choices, const QString& spec) {
    for (const QString& item : spec.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype equals = item.indexOf(QLatin1Char('='));
        const QString head = equals < 0 ? item : item.left(equals);
        const QString value = equals < 0 ? QString() : item.mid(equals + 1);
        if (head == QLatin1String("size")) {
            choices.sizeMode = SizeMode::ManualSize;
            const QStringList wh = value.split(QLatin1Char('x'));
            choices.width = wh.value(0);
            choices.height = wh.value(1);
            continue;
        }
        const qsizetype hash = head.indexOf(QLatin1Char('#'));
        const SettingBox box = boxNamed(hash < 0 ? head : head.left(hash));
        ChoiceBox& choice = choices.box(box);
        if (hash < 0) {
            choice.typedText = value;
            choice.selected = -1;
            continue;
        }
        choice.selected = head.mid(hash + 1).toInt();
        if (choice.selected < 0)
            continue;
        while (choice.entries.size() <= choice.selected)
            choice.entries << QStringLiteral("entry");
        choice.entries[choice.selected] = value.isEmpty() ? QStringLiteral("entry") : value;
        if (EncodingChoices::isEditable(box))
            choice.typedText = choice.entries[choice.selected];
    }
}

QString dots(QString text) {
    return text.replace(QLatin1Char(' '), QChar(0x00B7));
}

} // namespace

class TestOptionBuilder final : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_profile;

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_profile = m_dir.filePath(QStringLiteral("Example.bpf"));
        QFile file(m_profile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ExampleProfile);
    }

    void options_data() {
        QTest::addColumn<bool>("withProfile");
        QTest::addColumn<QString>("choices");
        QTest::addColumn<QString>("expected"); // middle dots stand for blanks

        const QString base = QStringLiteral(
            "Vcodec#0;Vbitrate=1000;Aspect#0;Acodec#0=MP3;EncodeTo#0;Quality#0;Channels#0;"
            "VideoSize#0;Srate=44100;");
        QTest::newRow("MP3 variable bitrate, automatic aspect")
            << true << base
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg4:vbitrate=1000:mbd=2:autoaspect·"
                              "-oac·mp3lame·-lameopts·vbr=2:q=6·-channels·2·-vf·"
                              "scale=640:480·-srate·44100");
        QTest::newRow("MP2 limited to 128, manual size")
            << true
            << QStringLiteral("Vcodec#1;Vbitrate=4000;Aspect#1;Acodec#1=MP2;Abitrate=192;"
                              "Channels#0;size=720x576;Srate=48000")
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg2video:vbitrate=4000:mbd=2:"
                              "aspect=16:9·-oac·lavc·-lavcopts·acodec=mp2:abitrate=128·"
                              "-channels·2·-vf·scale=720:576·-srate·48000");
        QTest::newRow("MP3 average bitrate")
            << true << base + QStringLiteral("Vbitrate=800;EncodeTo#1;Bitrate#1=192;VideoSize#1")
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg4:vbitrate=800:mbd=2:autoaspect·"
                              "-oac·mp3lame·-lameopts·abr:br=192·-channels·2·-vf·"
                              "scale=320:240·-srate·44100");
        QTest::newRow("PCM leaves three blanks")
            << true << base + QStringLiteral("Aspect#2;Acodec#3=PCM;Channels#1")
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg4:vbitrate=1000:mbd=2:aspect=4:3·"
                              "-oac·pcm···-channels·1·-vf·scale=640:480·-srate·44100");
        QTest::newRow("no profile, nothing chosen")
            << false << QString()
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg4:vbitrate=:mbd=2:aspect=16:9·"
                              "-oac·lavc·-lavcopts·acodec=ac3:abitrate=·-channels·2·-vf·"
                              "scale=640:480·-srate·");
        QTest::newRow("MP2 at 129 is limited")
            << true << base + QStringLiteral("Acodec#1=MP2;Abitrate=129")
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg4:vbitrate=1000:mbd=2:autoaspect·"
                              "-oac·lavc·-lavcopts·acodec=mp2:abitrate=128·-channels·2·-vf·"
                              "scale=640:480·-srate·44100");
        QTest::newRow("MP2 at 128 passes")
            << true << base + QStringLiteral("Acodec#1=MP2;Abitrate=128")
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg4:vbitrate=1000:mbd=2:autoaspect·"
                              "-oac·lavc·-lavcopts·acodec=mp2:abitrate=128·-channels·2·-vf·"
                              "scale=640:480·-srate·44100");
        QTest::newRow("lower-case mp2 is not limited")
            << true << base + QStringLiteral("Acodec#1=mp2;Abitrate=192")
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg4:vbitrate=1000:mbd=2:autoaspect·"
                              "-oac·lavc·-lavcopts·acodec=mp2:abitrate=192·-channels·2·-vf·"
                              "scale=640:480·-srate·44100");
        QTest::newRow("lower-case mp3 is the general encoder")
            << true << base + QStringLiteral("Acodec#0=mp3;Abitrate=160")
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg4:vbitrate=1000:mbd=2:autoaspect·"
                              "-oac·lavc·-lavcopts·acodec=mp3:abitrate=160·-channels·2·-vf·"
                              "scale=640:480·-srate·44100");
        QTest::newRow("upper-case VBR mode takes a bitrate")
            << true << base + QStringLiteral("EncodeTo#2;Bitrate#0=128")
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg4:vbitrate=1000:mbd=2:autoaspect·"
                              "-oac·mp3lame·-lameopts·VBR:br=128·-channels·2·-vf·"
                              "scale=640:480·-srate·44100");
        QTest::newRow("typed MP3 bitrate is ignored")
            << true << base + QStringLiteral("EncodeTo#1;Bitrate=320")
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg4:vbitrate=1000:mbd=2:autoaspect·"
                              "-oac·mp3lame·-lameopts·abr:br=224·-channels·2·-vf·"
                              "scale=640:480·-srate·44100");
        QTest::newRow("no aspect entry names the default aspect")
            << true << base + QStringLiteral("Aspect#-1")
            << QStringLiteral("·-ovc·lavc·-lavcopts·vcodec=mpeg4:vbitrate=1000:mbd=2:aspect=16:9·"
                              "-oac·mp3lame·-lameopts·vbr=2:q=6·-channels·2·-vf·"
                              "scale=640:480·-srate·44100");
    }

    void options() {
        QFETCH(bool, withProfile);
        QFETCH(QString, choices);
        QFETCH(QString, expected);
        EncodingChoices state;
        applyChoices(state, choices);
        const QString profile =
            withProfile ? m_profile : m_dir.filePath(QStringLiteral("Missing.bpf"));
        QCOMPARE(dots(BuildEncoderOptions(profile, state)), expected);
    }

    void frameSize_data() {
        QTest::addColumn<QString>("choices");
        QTest::addColumn<QString>("expected");
        QTest::newRow("selected size")
            << QStringLiteral("VideoSize#2") << QStringLiteral("720:576");
        QTest::newRow("value key missing")
            << QStringLiteral("VideoSize#7") << QStringLiteral("640:480");
        QTest::newRow("nothing selected") << QString() << QStringLiteral("640:480");
        QTest::newRow("manual size ignores the list")
            << QStringLiteral("VideoSize#1;size=720x576") << QStringLiteral("720:576");
        QTest::newRow("manual size left empty") << QStringLiteral("size=x") << QStringLiteral(":");
    }

    void frameSize() {
        QFETCH(QString, choices);
        QFETCH(QString, expected);
        EncodingChoices state;
        applyChoices(state, choices);
        QCOMPARE(GetVideoSizeValue(m_profile, state), expected);
        // The join options carry the same size as the conversions.
        QVERIFY(BuildEncoderOptions(m_profile, state)
                    .contains(QStringLiteral(" -vf scale=") + expected + QStringLiteral(" ")));
    }

    void audioBitrateUsable_data() {
        QTest::addColumn<QString>("choices");
        QTest::addColumn<bool>("usable");
        QTest::newRow("MP2 whole number") << QStringLiteral("Acodec#1=MP2;Abitrate=192") << true;
        QTest::newRow("MP2 fraction") << QStringLiteral("Acodec#1=MP2;Abitrate=12.5") << false;
        QTest::newRow("MP2 empty") << QStringLiteral("Acodec#1=MP2;Abitrate=") << false;
        QTest::newRow("MP2 words") << QStringLiteral("Acodec#1=MP2;Abitrate=high") << false;
        QTest::newRow("other codec, any text")
            << QStringLiteral("Acodec#2=AC3;Abitrate=high") << true;
    }

    void audioBitrateUsable() {
        QFETCH(QString, choices);
        QFETCH(bool, usable);
        EncodingChoices state;
        applyChoices(state, choices);
        QCOMPARE(AudioBitrateUsable(state), usable);
    }
};

QTEST_GUILESS_MAIN(TestOptionBuilder)
#include "test_optionBuilder.moc"
