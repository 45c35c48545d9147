#include "profiles/outputSettingsForm.h"

#include "tests/support/fakePrompter.h"
#include "tests/support/testAppDir.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QByteArray Profile = R"([Main]
Type=avi
[Video Codec]
Items=2
Caption0=MPEG-4
Caption1=MS MPEG-4 V2
Index=0
Description=The codec of the video stream.
[Video Size]
Items=2
Caption0=320 x 240
Caption1=640 x 480
Index=1
Description=The frame size of the output.
[Video Bitrate]
Items=2
Caption0=800
Caption1=1000
Index=1
Description=Video bitrate in kbit/s.
[Aspect]
Items=3
Caption0=Auto
Caption1=4:3
Caption2=16:9
Index=0
Description=Display aspect ratio.
[Audio Codec]
Items=4
Caption0=MP3
Caption1=AC3
Caption2=MP2
Caption3=PCM
Index=0
Description=The codec of the audio stream.
[MP3 Encode]
Items=3
Caption0=VBR
Caption1=ABR
Caption2=CBR
Index=0
Description=How the MP3 encoder spends bits.
[VBR Quality]
Items=2
Caption0=2
Caption1=4
Index=1
Description=VBR quality, 0 is best.
[ABR CBR Bitrate]
Items=2
Caption0=128
Caption1=192
Index=1
Description=MP3 bitrate in kbit/s.
[Audio Bitrate]
Items=2
Caption0=128
Caption1=192
Index=1
Description=Audio bitrate in kbit/s.
[Sample Rate]
Items=2
Caption0=44100
Caption1=48000
Index=0
Description=Audio samples per second.
[Channels]
Items=2
Caption0=Mono
Caption1=Stereo
Index=1
Description=Number of audio channels.
)";

template <typename T> T* child(QWidget& parent, const char* name) {
    return parent.findChild<T*>(QLatin1String(name));
}

QStringList descriptionLines(TopSettingForm& form) {
    return child<QPlainTextEdit>(form, "memDescription")->toPlainText().split(QLatin1Char('\n'));
}

// The widget that holds the keyboard focus, seen through an editable box's line edit.
QWidget* focusedControl() {
    QWidget* focus = QApplication::focusWidget();
    if (focus && qobject_cast<QComboBox*>(focus->parentWidget()) && qobject_cast<QLineEdit*>(focus))
        return focus->parentWidget();
    return focus;
}

// Picks an entry as a user does, with the keyboard on the focused box.
void pick(QComboBox* box, int index) {
    box->setFocus();
    while (box->currentIndex() < index)
        QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > index)
        QTest::keyClick(box, Qt::Key_Up);
}

} // namespace

class TestOutputSettingsForm final : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void hasEveryControlWithItsCaption();
    void tabOrderFollowsTheLayout();
    void loadingShowsTheChoicesAndTheEncodeModeDescription();
    void audioCodecSwitchesThePanels_data();
    void audioCodecSwitchesThePanels();
    void encodeModeSwitchesQualityAndBitrate();
    void descriptionFollowsEachKeystroke();
    void descriptionFollowsTheFocus();
    void okReportsTheFirstFailingCheck_data();
    void okReportsTheFirstFailingCheck();
    void okWithMp2AboveTheLimitSets128();
    void okWithValidChoicesCloses();
    void cancelPutsBackSizeModeAndAudioCodec();
    void cancelPutsBackTypedTextsAndMatchingEntries();
    void closeBoxKeepsTheEdits();
    void disablesTheMainWindowWhileShown();

private:
    TestAppDir* m_dir = nullptr;
    EncodingChoices* m_choices = nullptr;
    FakePrompter* m_prompter = nullptr;
    QWidget* m_main = nullptr;
    TopSettingForm* m_form = nullptr;

    void openDialog();
};

void TestOutputSettingsForm::init() {
    m_dir = new TestAppDir;
    m_choices = new EncodingChoices;
    m_prompter = new FakePrompter;
    m_main = new QWidget;
    m_main->setGeometry(100, 100, 798, 542);
    m_main->show();
    m_form = new TopSettingForm(*m_choices, *m_prompter, m_main);
    QVERIFY(m_choices->loadProfile(m_dir->writeFile(QStringLiteral("Profiles/Test.bpf"), Profile)));
}

void TestOutputSettingsForm::cleanup() {
    delete m_form;
    delete m_main;
    delete m_prompter;
    delete m_choices;
    delete m_dir;
}

void TestOutputSettingsForm::openDialog() {
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
}

void TestOutputSettingsForm::hasEveryControlWithItsCaption() {
    TopSettingForm& f = *m_form;
    QCOMPARE(f.windowTitle(), QStringLiteral("Output Settings"));
    QCOMPARE(f.size(), QSize(413, 473));
    QCOMPARE(f.minimumSize(), QSize(413, 473));
    QCOMPARE(f.maximumSize(), QSize(413, 473));

    const struct {
        const char* name;
        const char* section;
        bool editable;
    } boxes[] = {{"cmbVcodec", "Video Codec", false},     {"cmbVbitrate", "Video Bitrate", true},
                 {"cmbAspect", "Aspect", false},          {"cmbVideoSize", "Video Size", false},
                 {"cmbAcodec", "Audio Codec", false},     {"cmbAbitrate", "Audio Bitrate", true},
                 {"cmbEncodeTo", "MP3 Encode", false},    {"cmbQuality", "VBR Quality", false},
                 {"cmbBitrate", "ABR CBR Bitrate", true}, {"cmbChannels", "Channels", false},
                 {"cmbSrate", "Sample Rate", true}};
    for (const auto& b : boxes) {
        auto* box = child<QComboBox>(f, b.name);
        QVERIFY2(box, b.name);
        QCOMPARE(box->property("section").toString(), QLatin1String(b.section));
        QCOMPARE(box->isEditable(), b.editable);
    }

    const struct {
        const char* name;
        const char* text;
    } labels[] = {{"labVcodec", "Video Codec: "}, {"labVbitrate", "Video Bitrate:"},
                  {"labVbitrateUnit", "kbit"},    {"labAspect", "Aspect:"},
                  {"labWidth", "Width:"},         {"labHeight", "Height:"},
                  {"labAcodec", "Audio Codec:"},  {"labAbitrate", "Audio Bitrate:"},
                  {"labAbitrateUnit", "Kbps"},    {"labEncodeTo", "Encode To:"},
                  {"labQuality", "Quality:"},     {"labBitrate", "Bitrate:"},
                  {"labChannels", "Channels:"},   {"labSrate", "Sample Rate:"},
                  {"labSrateUnit", "HZ"}};
    for (const auto& l : labels) {
        auto* label = child<QLabel>(f, l.name);
        QVERIFY2(label, l.name);
        QCOMPARE(label->text(), QLatin1String(l.text));
    }
    QCOMPARE(child<QGroupBox>(f, "gpbOutputSize")->title(), QStringLiteral("Output Size"));
    QCOMPARE(child<QGroupBox>(f, "gpbDescription")->title(), QStringLiteral("Decription"));
    QCOMPARE(child<QRadioButton>(f, "rdbSelectSize")->text(), QString());
    QCOMPARE(child<QRadioButton>(f, "rdbManualSize")->text(), QStringLiteral("Manual"));
    QVERIFY(child<QRadioButton>(f, "rdbSelectSize")->isChecked());
    QVERIFY(child<QLineEdit>(f, "edtWidth"));
    QVERIFY(child<QLineEdit>(f, "edtHeight"));
    QVERIFY(child<QPlainTextEdit>(f, "memDescription")->isReadOnly());
    QCOMPARE(child<QPushButton>(f, "btnOK")->text(), QStringLiteral("OK"));
    QCOMPARE(child<QPushButton>(f, "btnCancel")->text(), QStringLiteral("Cancel"));

    // The two audio panels lie on one spot, both 377 pixels wide, and so do
    // the quality and bitrate pairs inside the MP3 panel.
    auto* lavc = child<QWidget>(f, "panLavc");
    auto* mp3 = child<QWidget>(f, "panMP3");
    QCOMPARE(lavc->geometry(), mp3->geometry());
    QCOMPARE(lavc->width(), 377);
    QCOMPARE(child<QComboBox>(f, "cmbQuality")->geometry(),
             child<QComboBox>(f, "cmbBitrate")->geometry());
    QCOMPARE(child<QLabel>(f, "labQuality")->geometry(),
             child<QLabel>(f, "labBitrate")->geometry());
    QCOMPARE(child<QComboBox>(f, "cmbAbitrate")->parentWidget(), lavc);
    QCOMPARE(child<QComboBox>(f, "cmbBitrate")->parentWidget(), mp3);
}

void TestOutputSettingsForm::tabOrderFollowsTheLayout() {
    const QStringList expected{
        "cmbVcodec",  "cmbVbitrate", "cmbAspect", "rdbSelectSize",  "cmbVideoSize", "rdbManualSize",
        "edtWidth",   "edtHeight",   "cmbAcodec", "cmbAbitrate",    "cmbEncodeTo",  "cmbQuality",
        "cmbBitrate", "cmbChannels", "cmbSrate",  "memDescription", "btnOK",        "btnCancel"};
    QStringList seen;
    QWidget* w = child<QWidget>(*m_form, "cmbVcodec");
    for (int step = 0; step < 200 && seen.size() < expected.size(); ++step) {
        if (expected.contains(w->objectName()) && !seen.contains(w->objectName()))
            seen << w->objectName();
        w = w->nextInFocusChain();
    }
    QCOMPARE(seen, expected);
}

void TestOutputSettingsForm::loadingShowsTheChoicesAndTheEncodeModeDescription() {
    TopSettingForm& f = *m_form;
    auto* vcodec = child<QComboBox>(f, "cmbVcodec");
    QCOMPARE(vcodec->count(), 2);
    QCOMPARE(vcodec->currentText(), QStringLiteral("MPEG-4"));
    QCOMPARE(child<QComboBox>(f, "cmbVbitrate")->currentText(), QStringLiteral("1000"));
    QCOMPARE(child<QComboBox>(f, "cmbVideoSize")->currentText(), QStringLiteral("640 x 480"));
    QCOMPARE(child<QComboBox>(f, "cmbChannels")->currentText(), QStringLiteral("Stereo"));
    QVERIFY(!child<QWidget>(f, "panMP3")->isHidden());
    QVERIFY(child<QWidget>(f, "panLavc")->isHidden());
    QVERIFY(!child<QWidget>(f, "cmbQuality")->isHidden());
    QVERIFY(child<QWidget>(f, "cmbBitrate")->isHidden());
    QCOMPARE(descriptionLines(f), (QStringList{QStringLiteral("How the MP3 encoder spends bits."),
                                               QStringLiteral("Current Value: VBR")}));
}

void TestOutputSettingsForm::audioCodecSwitchesThePanels_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("mp3Panel");
    QTest::newRow("AC3") << 1 << false;
    QTest::newRow("MP2") << 2 << false;
    QTest::newRow("PCM") << 3 << false;
}

void TestOutputSettingsForm::audioCodecSwitchesThePanels() {
    QFETCH(int, entry);
    QFETCH(bool, mp3Panel);
    openDialog();
    auto* acodec = child<QComboBox>(*m_form, "cmbAcodec");
    pick(acodec, entry);
    QCOMPARE(m_choices->selected(SettingBox::Acodec), entry);
    QCOMPARE(child<QWidget>(*m_form, "panMP3")->isVisible(), mp3Panel);
    QCOMPARE(child<QWidget>(*m_form, "panLavc")->isVisible(), !mp3Panel);
    QCOMPARE(descriptionLines(*m_form),
             (QStringList{QStringLiteral("The codec of the audio stream."),
                          QStringLiteral("Current Value: ") + acodec->itemText(entry)}));
    pick(acodec, 0); // back to "MP3"
    QVERIFY(child<QWidget>(*m_form, "panMP3")->isVisible());
    QVERIFY(!child<QWidget>(*m_form, "panLavc")->isVisible());
}

void TestOutputSettingsForm::encodeModeSwitchesQualityAndBitrate() {
    openDialog();
    auto* encodeTo = child<QComboBox>(*m_form, "cmbEncodeTo");
    pick(encodeTo, 2);
    QCOMPARE(m_choices->selected(SettingBox::EncodeTo), 2);
    QVERIFY(!child<QWidget>(*m_form, "cmbQuality")->isVisible());
    QVERIFY(!child<QWidget>(*m_form, "labQuality")->isVisible());
    QVERIFY(child<QWidget>(*m_form, "cmbBitrate")->isVisible());
    QVERIFY(child<QWidget>(*m_form, "labBitrate")->isVisible());
    QCOMPARE(descriptionLines(*m_form).value(1), QStringLiteral("Current Value: CBR"));
    pick(encodeTo, 0);
    QVERIFY(child<QWidget>(*m_form, "cmbQuality")->isVisible());
    QVERIFY(!child<QWidget>(*m_form, "cmbBitrate")->isVisible());
}

void TestOutputSettingsForm::descriptionFollowsEachKeystroke() {
    openDialog();
    auto* vbitrate = child<QComboBox>(*m_form, "cmbVbitrate");
    vbitrate->setFocus();
    vbitrate->lineEdit()->clear();
    QString typed;
    for (const QChar c : QStringLiteral("2500")) {
        QTest::keyClicks(vbitrate, QString(c));
        typed += c;
        QCOMPARE(descriptionLines(*m_form),
                 (QStringList{QStringLiteral("Video bitrate in kbit/s."),
                              QStringLiteral("Current Value: ") + typed}));
        QCOMPARE(m_choices->text(SettingBox::Vbitrate), typed);
        QCOMPARE(m_choices->selected(SettingBox::Vbitrate), -1);
    }
    QCOMPARE(vbitrate->currentText(), QStringLiteral("2500"));
    QTest::keyClick(vbitrate, Qt::Key_Backspace);
    QCOMPARE(descriptionLines(*m_form).value(1), QStringLiteral("Current Value: 250"));
}

void TestOutputSettingsForm::descriptionFollowsTheFocus() {
    openDialog();
    child<QComboBox>(*m_form, "cmbChannels")->setFocus();
    QCOMPARE(descriptionLines(*m_form), (QStringList{QStringLiteral("Number of audio channels."),
                                                     QStringLiteral("Current Value: Stereo")}));
    child<QComboBox>(*m_form, "cmbSrate")->setFocus();
    QCOMPARE(descriptionLines(*m_form), (QStringList{QStringLiteral("Audio samples per second."),
                                                     QStringLiteral("Current Value: 44100")}));
}

void TestOutputSettingsForm::okReportsTheFirstFailingCheck_data() {
    QTest::addColumn<QString>("field"); // the control given a bad text
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("video bitrate") << "cmbVbitrate"
                                   << "Invalid Video Bitrate"
                                   << "The video bitrate is invalid.";
    QTest::newRow("width") << "edtWidth"
                           << "Invalid Width"
                           << "The output width is invalid.";
    QTest::newRow("height") << "edtHeight"
                            << "Invalid Height"
                            << "The output height is invalid.";
    QTest::newRow("sample rate") << "cmbSrate"
                                 << "Invalid Sample Rate"
                                 << "The sample rate is invalid.";
    QTest::newRow("audio bitrate") << "cmbAbitrate"
                                   << "Invalid Audio Bitrate"
                                   << "The Audio bitrate is invalid.";
}

void TestOutputSettingsForm::okReportsTheFirstFailingCheck() {
    QFETCH(QString, field);
    QFETCH(QString, title);
    QFETCH(QString, text);
    openDialog();
    pick(child<QComboBox>(*m_form, "cmbAcodec"), 1); // AC3: the audio bitrate box is visible
    QTest::mouseClick(child<QRadioButton>(*m_form, "rdbManualSize"), Qt::LeftButton);
    QCOMPARE(m_choices->sizeMode, SizeMode::ManualSize);
    QTest::keyClicks(child<QLineEdit>(*m_form, "edtWidth"), QStringLiteral("720"));
    QTest::keyClicks(child<QLineEdit>(*m_form, "edtHeight"), QStringLiteral("576"));

    auto* target = m_form->findChild<QWidget*>(field);
    auto* edit = qobject_cast<QLineEdit*>(target);
    if (!edit)
        edit = qobject_cast<QComboBox*>(target)->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("12a"));
    child<QComboBox>(*m_form, "cmbVcodec")->setFocus();

    QTest::mouseClick(child<QPushButton>(*m_form, "btnOK"), Qt::LeftButton);
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages[0].kind, FakePrompter::Kind::Information);
    QCOMPARE(m_prompter->messages[0].caption, title);
    QCOMPARE(m_prompter->messages[0].text, text);
    QVERIFY(m_form->isVisible());
    QCOMPARE(focusedControl(), target);
}

void TestOutputSettingsForm::okWithMp2AboveTheLimitSets128() {
    openDialog();
    pick(child<QComboBox>(*m_form, "cmbAcodec"), 2); // MP2
    auto* abitrate = child<QComboBox>(*m_form, "cmbAbitrate");
    abitrate->setFocus();
    abitrate->lineEdit()->selectAll();
    QTest::keyClicks(abitrate, QStringLiteral("160"));
    child<QComboBox>(*m_form, "cmbVcodec")->setFocus();

    QTest::mouseClick(child<QPushButton>(*m_form, "btnOK"), Qt::LeftButton);
    QCOMPARE(m_prompter->captions(), QStringList{QStringLiteral("Invalid Audio Bitrate")});
    QCOMPARE(m_prompter->texts(), QStringList{QStringLiteral(
                                      "The maximum value of audio bitrate for MP2 codec is 128")});
    QVERIFY(m_form->isVisible());
    QCOMPARE(abitrate->currentText(), QStringLiteral("128"));
    QCOMPARE(m_choices->text(SettingBox::Abitrate), QStringLiteral("128"));
    QCOMPARE(focusedControl(), abitrate);
    QCOMPARE(descriptionLines(*m_form).value(1), QStringLiteral("Current Value: 128"));

    QTest::mouseClick(child<QPushButton>(*m_form, "btnOK"), Qt::LeftButton);
    QCOMPARE(m_prompter->messages.size(), 1);
    QVERIFY(!m_form->isVisible());
}

void TestOutputSettingsForm::okWithValidChoicesCloses() {
    openDialog();
    QTest::mouseClick(child<QPushButton>(*m_form, "btnOK"), Qt::LeftButton);
    QVERIFY(m_prompter->messages.isEmpty());
    QVERIFY(!m_form->isVisible());
}

void TestOutputSettingsForm::cancelPutsBackSizeModeAndAudioCodec() {
    openDialog();
    QTest::mouseClick(child<QRadioButton>(*m_form, "rdbManualSize"), Qt::LeftButton);
    pick(child<QComboBox>(*m_form, "cmbAcodec"), 1); // MP3 -> AC3
    QVERIFY(child<QWidget>(*m_form, "panLavc")->isVisible());

    QTest::mouseClick(child<QPushButton>(*m_form, "btnCancel"), Qt::LeftButton);
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_prompter->messages.isEmpty());
    QCOMPARE(m_choices->sizeMode, SizeMode::SelectSize);
    QCOMPARE(m_choices->text(SettingBox::Acodec), QStringLiteral("MP3"));
    QVERIFY(child<QRadioButton>(*m_form, "rdbSelectSize")->isChecked());
    QCOMPARE(child<QComboBox>(*m_form, "cmbAcodec")->currentText(), QStringLiteral("MP3"));

    openDialog();
    QVERIFY(child<QWidget>(*m_form, "panMP3")->isVisible());
    QVERIFY(!child<QWidget>(*m_form, "panLavc")->isVisible());
}

void TestOutputSettingsForm::cancelPutsBackTypedTextsAndMatchingEntries() {
    // Open with a typed ABR/CBR bitrate and the CBR mode chosen.
    m_choices->chooseEntry(SettingBox::EncodeTo, 2);
    m_choices->typeText(SettingBox::Bitrate, QStringLiteral("128"));
    m_choices->typeText(SettingBox::Vbitrate, QStringLiteral("777"));
    emit m_choices->reloaded();
    openDialog();
    pick(child<QComboBox>(*m_form, "cmbBitrate"), 1);
    pick(child<QComboBox>(*m_form, "cmbEncodeTo"), 0);
    auto* vbitrate = child<QComboBox>(*m_form, "cmbVbitrate");
    vbitrate->setFocus();
    QTest::keyClicks(vbitrate, QStringLiteral("9"));
    QTest::keyClick(m_form, Qt::Key_Escape); // Escape is Cancel

    QVERIFY(!m_form->isVisible());
    QCOMPARE(m_choices->selected(SettingBox::EncodeTo), 2);
    QVERIFY(child<QWidget>(*m_form, "cmbBitrate")->isVisibleTo(m_form));
    QVERIFY(!child<QWidget>(*m_form, "cmbQuality")->isVisibleTo(m_form));
    // The restored text selects the entry of that caption...
    QCOMPARE(m_choices->text(SettingBox::Bitrate), QStringLiteral("128"));
    QCOMPARE(m_choices->selected(SettingBox::Bitrate), 0);
    QCOMPARE(child<QComboBox>(*m_form, "cmbBitrate")->currentIndex(), 0);
    // ... or none when no caption matches.
    QCOMPARE(m_choices->text(SettingBox::Vbitrate), QStringLiteral("777"));
    QCOMPARE(m_choices->selected(SettingBox::Vbitrate), -1);
    QCOMPARE(vbitrate->currentText(), QStringLiteral("777"));
}

void TestOutputSettingsForm::closeBoxKeepsTheEdits() {
    openDialog();
    QTest::mouseClick(child<QRadioButton>(*m_form, "rdbManualSize"), Qt::LeftButton);
    pick(child<QComboBox>(*m_form, "cmbAcodec"), 3); // PCM
    auto* srate = child<QComboBox>(*m_form, "cmbSrate");
    srate->setFocus();
    srate->lineEdit()->selectAll();
    QTest::keyClicks(srate, QStringLiteral("bad")); // not checked by the close box
    QVERIFY(m_form->close());
    QVERIFY(!m_form->isVisible());
    QVERIFY(m_prompter->messages.isEmpty());
    QVERIFY(m_main->isEnabled());
    QCOMPARE(m_choices->sizeMode, SizeMode::ManualSize);
    QCOMPARE(m_choices->text(SettingBox::Acodec), QStringLiteral("PCM"));
    QCOMPARE(m_choices->text(SettingBox::Srate), QStringLiteral("bad"));
}

void TestOutputSettingsForm::disablesTheMainWindowWhileShown() {
    QVERIFY(m_main->isEnabled());
    openDialog();
    QVERIFY(!m_main->isEnabled());
    QVERIFY(m_form->isEnabled()); // no child of the main window, so it stays usable
    const QPoint offset = m_form->frameGeometry().center() - m_main->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2, "centred on the main window");
    QTest::mouseClick(child<QPushButton>(*m_form, "btnOK"), Qt::LeftButton);
    QVERIFY(m_main->isEnabled());
    openDialog();
    QVERIFY(!m_main->isEnabled());
    QTest::mouseClick(child<QPushButton>(*m_form, "btnCancel"), Qt::LeftButton);
    QVERIFY(m_main->isEnabled());
}

QTEST_MAIN(TestOutputSettingsForm)
#include "test_outputSettingsForm.moc"
