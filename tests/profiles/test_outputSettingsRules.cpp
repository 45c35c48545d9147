#include "profiles/outputSettingsRules.h"

#include <QTest>

class TestOutputSettingsRules final : public QObject {
    Q_OBJECT

private slots:
    void panels_data();
    void panels();
    void wholeNumber_data();
    void wholeNumber();
    void checks_data();
    void checks();
};

void TestOutputSettingsRules::panels_data() {
    QTest::addColumn<QString>("acodec");
    QTest::addColumn<bool>("mp3Panel");
    QTest::newRow("MP3") << "MP3" << true;
    QTest::newRow("mp3 in lower case") << "mp3" << false;
    QTest::newRow("PCM") << "PCM" << false;
    QTest::newRow("MP2") << "MP2" << false;
    QTest::newRow("MP3 with a blank") << "MP3 " << false;
    QTest::newRow("empty") << "" << false;
}

void TestOutputSettingsRules::panels() {
    QFETCH(QString, acodec);
    QFETCH(bool, mp3Panel);
    QCOMPARE(ShowsMp3Panel(acodec), mp3Panel);
    QVERIFY(ShowsQuality(0));
    QVERIFY(!ShowsQuality(1));
    QVERIFY(!ShowsQuality(-1));
}

void TestOutputSettingsRules::wholeNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "128" << true << 128;
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("negative") << "-5" << true << -5;
    QTest::newRow("plus sign") << "+7" << true << 7;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << int(-2147483647 - 1);
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("too small") << "-2147483649" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("decimal point") << "12.5" << false << 0;
    QTest::newRow("letters") << "12k" << false << 0;
    QTest::newRow("leading blank") << " 12" << false << 0;
    QTest::newRow("trailing blank") << "12 " << false << 0;
    QTest::newRow("hexadecimal") << "0x10" << false << 0;
    QTest::newRow("dollar hexadecimal") << "$10" << false << 0;
}

void TestOutputSettingsRules::wholeNumber() {
    QFETCH(QString, text);
    QFETCH(bool, whole);
    QFETCH(int, value);
    int parsed = 0;
    QCOMPARE(IsWholeNumber(text, &parsed), whole);
    if (whole)
        QCOMPARE(parsed, value);
}

void TestOutputSettingsRules::checks_data() {
    QTest::addColumn<QString>("vbitrate");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("srate");
    QTest::addColumn<QString>("abitrate");
    QTest::addColumn<QString>("acodec");
    QTest::addColumn<int>("check"); // 0: all pass
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    const int vb = int(SettingsField::Vbitrate), w = int(SettingsField::Width),
              h = int(SettingsField::Height), sr = int(SettingsField::Srate),
              ab = int(SettingsField::Abitrate);
    QTest::newRow("all pass") << "1000" << false << ""
                              << ""
                              << "44100"
                              << "192"
                              << "AC3" << 0 << 0 << ""
                              << "";
    QTest::newRow("empty everything fails first at video bitrate")
        << "" << true << ""
        << ""
        << ""
        << ""
        << "MP2" << 1 << vb << "Invalid Video Bitrate"
        << "The video bitrate is invalid.";
    QTest::newRow("manual width empty") << "1000" << true << ""
                                        << "480"
                                        << "44100"
                                        << "192"
                                        << "AC3" << 2 << w << "Invalid Width"
                                        << "The output width is invalid.";
    QTest::newRow("manual height bad") << "1000" << true << "640"
                                       << "4x3"
                                       << "44100"
                                       << "192"
                                       << "AC3" << 3 << h << "Invalid Height"
                                       << "The output height is invalid.";
    QTest::newRow("size list ignores empty width and height") << "1000" << false << ""
                                                              << ""
                                                              << "44100"
                                                              << "192"
                                                              << "AC3" << 0 << 0 << ""
                                                              << "";
    QTest::newRow("manual size valid") << "1000" << true << "720"
                                       << "576"
                                       << "48000"
                                       << "192"
                                       << "AC3" << 0 << 0 << ""
                                       << "";
    QTest::newRow("sample rate bad") << "1000" << false << ""
                                     << ""
                                     << "44.1k"
                                     << ""
                                     << "AC3" << 4 << sr << "Invalid Sample Rate"
                                     << "The sample rate is invalid.";
    QTest::newRow("audio bitrate empty under MP3") << "1000" << false << ""
                                                   << ""
                                                   << "44100"
                                                   << ""
                                                   << "MP3" << 5 << ab << "Invalid Audio Bitrate"
                                                   << "The Audio bitrate is invalid.";
    QTest::newRow("MP2 above 128") << "1000" << false << ""
                                   << ""
                                   << "48000"
                                   << "160"
                                   << "MP2" << 6 << ab << "Invalid Audio Bitrate"
                                   << "The maximum value of audio bitrate for MP2 codec is 128";
    QTest::newRow("MP2 at 128") << "1000" << false << ""
                                << ""
                                << "48000"
                                << "128"
                                << "MP2" << 0 << 0 << ""
                                << "";
    QTest::newRow("mp2 in lower case is not limited") << "1000" << false << ""
                                                      << ""
                                                      << "48000"
                                                      << "160"
                                                      << "mp2" << 0 << 0 << ""
                                                      << "";
    QTest::newRow("zero and negative pass") << "0" << true << "-1"
                                            << "0"
                                            << "0"
                                            << "-3"
                                            << "MP2" << 0 << 0 << ""
                                            << "";
}

void TestOutputSettingsRules::checks() {
    QFETCH(QString, vbitrate);
    QFETCH(bool, manual);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, srate);
    QFETCH(QString, abitrate);
    QFETCH(QString, acodec);
    QFETCH(int, check);
    QFETCH(int, focus);
    QFETCH(QString, title);
    QFETCH(QString, text);

    EncodingChoices choices;
    choices.box(SettingBox::Acodec).entries = QStringList{acodec};
    choices.chooseEntry(SettingBox::Acodec, 0);
    choices.typeText(SettingBox::Vbitrate, vbitrate);
    choices.typeText(SettingBox::Srate, srate);
    choices.typeText(SettingBox::Abitrate, abitrate);
    choices.sizeMode = manual ? SizeMode::ManualSize : SizeMode::SelectSize;
    choices.width = width;
    choices.height = height;

    const auto failure = CheckOutputSettings(choices);
    if (check == 0) {
        QVERIFY(!failure);
        return;
    }
    QVERIFY(failure);
    QCOMPARE(failure->check, check);
    QCOMPARE(int(failure->focus), focus);
    QCOMPARE(failure->title, title);
    QCOMPARE(failure->text, text);
    QCOMPARE(failure->correctedAudioBitrate, check == 6 ? QStringLiteral("128") : QString());
}

QTEST_GUILESS_MAIN(TestOutputSettingsRules)
#include "test_outputSettingsRules.moc"
