#include "profiles/outputSettingsForm.h"

#include "profiles/outputSettingsRules.h"
#include "shell/prompter.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QWindow>

namespace {

constexpr int ClientWidth = 413;
constexpr int ClientHeight = 473;
constexpr int PanelWidth = 377; // both audio panels lie on the same spot
constexpr int RowHeight = 22;
constexpr int LabelX = 12;
constexpr int BoxX = 122;
constexpr int BoxWidth = 220;
constexpr int UnitX = 348;

const char* const BoxNames[SettingBoxCount] = {
    "cmbVcodec",  "cmbVideoSize", "cmbVbitrate", "cmbAspect", "cmbAcodec",  "cmbEncodeTo",
    "cmbQuality", "cmbBitrate",   "cmbAbitrate", "cmbSrate",  "cmbChannels"};

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

} // namespace

TopSettingForm::TopSettingForm(EncodingChoices& choices, Prompter& prompter, QWidget* mainWindow)
    : m_choices(choices), m_prompter(prompter), m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("opSettingForm"));
    setWindowTitle(QStringLiteral("Output Settings"));
    setFixedSize(ClientWidth, ClientHeight);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    createControls();
    placeControls();
    setTabOrderOfControls();
    connectControls();
    showChoices();
}

void TopSettingForm::createControls() {
    for (int i = 0; i < SettingBoxCount; ++i) {
        const auto b = static_cast<SettingBox>(i);
        auto* box = new QComboBox(this);
        box->setObjectName(QLatin1String(BoxNames[i]));
        // The section the box reads its description from; the user never sees it.
        box->setProperty("section", EncodingChoices::sectionName(b));
        if (EncodingChoices::isEditable(b)) {
            box->setEditable(true);
            // Typed text stays as typed: no completion into a longer entry and
            // no typed value added to the list.
            box->setCompleter(nullptr);
            box->setInsertPolicy(QComboBox::NoInsert);
            box->lineEdit()->installEventFilter(this);
        }
        box->installEventFilter(this);
        m_boxes[i] = box;
    }

    m_labVcodec = makeLabel(this, "labVcodec", QStringLiteral("Video Codec: "));
    m_labVbitrate = makeLabel(this, "labVbitrate", QStringLiteral("Video Bitrate:"));
    m_labVbitrateUnit = makeLabel(this, "labVbitrateUnit", QStringLiteral("kbit"));
    m_labAspect = makeLabel(this, "labAspect", QStringLiteral("Aspect:"));

    m_gpbOutputSize = new QGroupBox(QStringLiteral("Output Size"), this);
    m_gpbOutputSize->setObjectName(QStringLiteral("gpbOutputSize"));
    m_rdbSelectSize = new QRadioButton(m_gpbOutputSize);
    m_rdbSelectSize->setObjectName(QStringLiteral("rdbSelectSize"));
    m_rdbSelectSize->setChecked(true);
    settingBox(SettingBox::VideoSize)->setParent(m_gpbOutputSize);
    m_rdbManualSize = new QRadioButton(QStringLiteral("Manual"), m_gpbOutputSize);
    m_rdbManualSize->setObjectName(QStringLiteral("rdbManualSize"));
    m_labWidth = makeLabel(m_gpbOutputSize, "labWidth", QStringLiteral("Width:"));
    m_edtWidth = new QLineEdit(m_gpbOutputSize);
    m_edtWidth->setObjectName(QStringLiteral("edtWidth"));
    m_labHeight = makeLabel(m_gpbOutputSize, "labHeight", QStringLiteral("Height:"));
    m_edtHeight = new QLineEdit(m_gpbOutputSize);
    m_edtHeight->setObjectName(QStringLiteral("edtHeight"));

    m_labAcodec = makeLabel(this, "labAcodec", QStringLiteral("Audio Codec:"));

    m_panLavc = new QWidget(this);
    m_panLavc->setObjectName(QStringLiteral("panLavc"));
    m_labAbitrate = makeLabel(m_panLavc, "labAbitrate", QStringLiteral("Audio Bitrate:"));
    settingBox(SettingBox::Abitrate)->setParent(m_panLavc);
    m_labAbitrateUnit = makeLabel(m_panLavc, "labAbitrateUnit", QStringLiteral("Kbps"));

    m_panMP3 = new QWidget(this);
    m_panMP3->setObjectName(QStringLiteral("panMP3"));
    m_labEncodeTo = makeLabel(m_panMP3, "labEncodeTo", QStringLiteral("Encode To:"));
    settingBox(SettingBox::EncodeTo)->setParent(m_panMP3);
    m_labQuality = makeLabel(m_panMP3, "labQuality", QStringLiteral("Quality:"));
    settingBox(SettingBox::Quality)->setParent(m_panMP3);
    m_labBitrate = makeLabel(m_panMP3, "labBitrate", QStringLiteral("Bitrate:"));
    settingBox(SettingBox::Bitrate)->setParent(m_panMP3);

    m_labChannels = makeLabel(this, "labChannels", QStringLiteral("Channels:"));
    m_labSrate = makeLabel(this, "labSrate", QStringLiteral("Sample Rate:"));
    m_labSrateUnit = makeLabel(this, "labSrateUnit", QStringLiteral("HZ"));

    m_gpbDescription = new QGroupBox(QStringLiteral("Decription"), this);
    m_gpbDescription->setObjectName(QStringLiteral("gpbDescription"));
    m_memDescription = new QPlainTextEdit(m_gpbDescription);
    m_memDescription->setObjectName(QStringLiteral("memDescription"));
    m_memDescription->setReadOnly(true);
    m_memDescription->setFrameShape(QFrame::NoFrame);
    m_memDescription->setFocusPolicy(Qt::StrongFocus);
    m_memDescription->setTabChangesFocus(true);
    QPalette dialogColoured = m_memDescription->palette();
    dialogColoured.setColor(QPalette::Base, dialogColoured.color(QPalette::Window));
    m_memDescription->setPalette(dialogColoured);

    m_btnOK = new QPushButton(QStringLiteral("OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
}

void TopSettingForm::placeControls() {
    auto row = [](QWidget* label, QWidget* box, int y, QWidget* unit = nullptr) {
        label->setGeometry(LabelX, y, BoxX - LabelX - 4, RowHeight);
        box->setGeometry(BoxX, y, BoxWidth, RowHeight);
        if (unit)
            unit->setGeometry(UnitX, y, ClientWidth - UnitX - 4, RowHeight);
    };
    row(m_labVcodec, settingBox(SettingBox::Vcodec), 12);
    row(m_labVbitrate, settingBox(SettingBox::Vbitrate), 42, m_labVbitrateUnit);
    row(m_labAspect, settingBox(SettingBox::Aspect), 72);

    m_gpbOutputSize->setGeometry(LabelX, 100, 389, 86);
    m_rdbSelectSize->setGeometry(12, 24, 20, RowHeight);
    settingBox(SettingBox::VideoSize)->setGeometry(36, 24, 244, RowHeight);
    m_rdbManualSize->setGeometry(12, 54, 76, RowHeight);
    m_labWidth->setGeometry(92, 54, 46, RowHeight);
    m_edtWidth->setGeometry(138, 54, 70, RowHeight);
    m_labHeight->setGeometry(222, 54, 50, RowHeight);
    m_edtHeight->setGeometry(272, 54, 70, RowHeight);

    row(m_labAcodec, settingBox(SettingBox::Acodec), 196);

    // The two audio panels share one spot; only one is ever visible.
    const int panelY = 226;
    m_panLavc->setGeometry(LabelX, panelY, PanelWidth, 54);
    m_panMP3->setGeometry(LabelX, panelY, PanelWidth, 54);
    const int inBoxX = BoxX - LabelX;
    m_labAbitrate->setGeometry(0, 0, inBoxX - 4, RowHeight);
    settingBox(SettingBox::Abitrate)->setGeometry(inBoxX, 0, BoxWidth, RowHeight);
    m_labAbitrateUnit->setGeometry(UnitX - LabelX, 0, PanelWidth - (UnitX - LabelX), RowHeight);
    m_labEncodeTo->setGeometry(0, 0, inBoxX - 4, RowHeight);
    settingBox(SettingBox::EncodeTo)->setGeometry(inBoxX, 0, BoxWidth, RowHeight);
    // Quality and bitrate share the spot below "Encode To:".
    m_labQuality->setGeometry(0, 30, inBoxX - 4, RowHeight);
    settingBox(SettingBox::Quality)->setGeometry(inBoxX, 30, BoxWidth, RowHeight);
    m_labBitrate->setGeometry(0, 30, inBoxX - 4, RowHeight);
    settingBox(SettingBox::Bitrate)->setGeometry(inBoxX, 30, BoxWidth, RowHeight);

    row(m_labChannels, settingBox(SettingBox::Channels), 286);
    row(m_labSrate, settingBox(SettingBox::Srate), 316, m_labSrateUnit);

    m_gpbDescription->setGeometry(LabelX, 346, 389, 88);
    m_memDescription->setGeometry(10, 20, 369, 62);

    m_btnOK->setGeometry(222, 441, 86, 26);
    m_btnCancel->setGeometry(315, 441, 86, 26);
}

void TopSettingForm::setTabOrderOfControls() {
    const QList<QWidget*> order{settingBox(SettingBox::Vcodec),
                                settingBox(SettingBox::Vbitrate),
                                settingBox(SettingBox::Aspect),
                                m_rdbSelectSize,
                                settingBox(SettingBox::VideoSize),
                                m_rdbManualSize,
                                m_edtWidth,
                                m_edtHeight,
                                settingBox(SettingBox::Acodec),
                                settingBox(SettingBox::Abitrate),
                                settingBox(SettingBox::EncodeTo),
                                settingBox(SettingBox::Quality),
                                settingBox(SettingBox::Bitrate),
                                settingBox(SettingBox::Channels),
                                settingBox(SettingBox::Srate),
                                m_memDescription,
                                m_btnOK,
                                m_btnCancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TopSettingForm::connectControls() {
    for (int i = 0; i < SettingBoxCount; ++i) {
        const auto b = static_cast<SettingBox>(i);
        QComboBox* box = m_boxes[i];
        connect(box, &QComboBox::activated, this, [this, b](int index) {
            if (m_showingChoices)
                return;
            m_choices.chooseEntry(b, index);
            boxChanged(b);
        });
        if (EncodingChoices::isEditable(b))
            connect(box->lineEdit(), &QLineEdit::textEdited, this,
                    [this, b](const QString& text) { boxTyped(b, text); });
    }
    connect(m_rdbSelectSize, &QRadioButton::toggled, this, [this](bool on) {
        if (!m_showingChoices)
            m_choices.sizeMode = on ? SizeMode::SelectSize : SizeMode::ManualSize;
    });
    connect(m_edtWidth, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_choices.width = text; });
    connect(m_edtHeight, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_choices.height = text; });
    connect(m_btnOK, &QPushButton::clicked, this, &TopSettingForm::btnOKClick);
    connect(m_btnCancel, &QPushButton::clicked, this, &TopSettingForm::reject);
    connect(&m_choices, &EncodingChoices::reloaded, this, &TopSettingForm::showChoices);
    // A load ends with the reactions of "Audio Codec" and then "MP3 Encode",
    // so the latter's description is the one left on show.
    connect(&m_choices, &EncodingChoices::profileLoaded, this,
            [this] { refreshDescription(SettingBox::EncodeTo); });
}

void TopSettingForm::showChoices() {
    m_showingChoices = true;
    for (int i = 0; i < SettingBoxCount; ++i) {
        const auto b = static_cast<SettingBox>(i);
        QComboBox* box = m_boxes[i];
        const QSignalBlocker quiet(box);
        box->clear();
        box->addItems(m_choices.box(b).entries);
        box->setCurrentIndex(m_choices.selected(b));
        if (box->isEditable())
            box->setEditText(m_choices.text(b));
        // The list may be wider than the box, so long captions show whole there.
        box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 8);
    }
    m_rdbSelectSize->setChecked(m_choices.sizeMode == SizeMode::SelectSize);
    m_rdbManualSize->setChecked(m_choices.sizeMode == SizeMode::ManualSize);
    m_edtWidth->setText(m_choices.width);
    m_edtHeight->setText(m_choices.height);
    applyVisibilityRules();
    m_showingChoices = false;
}

void TopSettingForm::applyVisibilityRules() {
    const bool mp3 = ShowsMp3Panel(m_choices.text(SettingBox::Acodec));
    m_panMP3->setVisible(mp3);
    m_panLavc->setVisible(!mp3);
    const bool quality = ShowsQuality(m_choices.selected(SettingBox::EncodeTo));
    m_labQuality->setVisible(quality);
    settingBox(SettingBox::Quality)->setVisible(quality);
    m_labBitrate->setVisible(!quality);
    settingBox(SettingBox::Bitrate)->setVisible(!quality);
}

void TopSettingForm::refreshDescription(SettingBox b) {
    m_memDescription->setPlainText(m_choices.description(b).join(QLatin1Char('\n')));
}

void TopSettingForm::boxChanged(SettingBox b) {
    if (b == SettingBox::Acodec || b == SettingBox::EncodeTo)
        applyVisibilityRules();
    refreshDescription(b);
}

void TopSettingForm::boxTyped(SettingBox b, const QString& text) {
    m_choices.typeText(b, text);
    // Typing leaves no entry selected; show that in the box too, keeping the
    // text and the caret where the user has them.
    QComboBox* box = settingBox(b);
    if (box->currentIndex() != -1) {
        QLineEdit* edit = box->lineEdit();
        const int caret = edit->cursorPosition();
        const QSignalBlocker quietBox(box);
        const QSignalBlocker quietEdit(edit);
        box->setCurrentIndex(-1);
        box->setEditText(text);
        edit->setCursorPosition(caret);
    }
    refreshDescription(b);
}

QWidget* TopSettingForm::fieldWidget(int field) const {
    switch (static_cast<SettingsField>(field)) {
    case SettingsField::Vbitrate:
        return settingBox(SettingBox::Vbitrate);
    case SettingsField::Width:
        return m_edtWidth;
    case SettingsField::Height:
        return m_edtHeight;
    case SettingsField::Srate:
        return settingBox(SettingBox::Srate);
    case SettingsField::Abitrate:
        return settingBox(SettingBox::Abitrate);
    }
    return nullptr;
}

void TopSettingForm::btnOKClick() {
    const auto failure = CheckOutputSettings(m_choices);
    if (!failure) {
        accept();
        return;
    }
    m_prompter.information(failure->title, failure->text);
    if (!failure->correctedAudioBitrate.isEmpty()) {
        m_choices.putText(SettingBox::Abitrate, failure->correctedAudioBitrate);
        QComboBox* box = settingBox(SettingBox::Abitrate);
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(m_choices.selected(SettingBox::Abitrate));
        box->setEditText(m_choices.text(SettingBox::Abitrate));
        refreshDescription(SettingBox::Abitrate);
    }
    // A box on the hidden audio panel cannot take the focus; the message has been shown anyway.
    if (QWidget* target = fieldWidget(static_cast<int>(failure->focus)); target->isVisibleTo(this))
        target->setFocus(Qt::OtherFocusReason);
}

void TopSettingForm::reject() {
    QDialog::reject();
    m_saved.restoreInto(m_choices);
}

void TopSettingForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (m_mainWindow) {
            QWidget* main = m_mainWindow->window();
            main->setEnabled(false);
            QRect frame(QPoint(), frameGeometry().size());
            frame.moveCenter(main->frameGeometry().center());
            move(frame.topLeft());
            // Keep the dialog above the main window; it is no child of it.
            if (windowHandle() && main->windowHandle())
                windowHandle()->setTransientParent(main->windowHandle());
        }
        m_saved = SavedSettings::take(m_choices);
    }
    QDialog::showEvent(event);
}

void TopSettingForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && m_mainWindow)
        m_mainWindow->window()->setEnabled(true);
    QDialog::hideEvent(event);
}

void TopSettingForm::closeEvent(QCloseEvent* event) {
    // The close box neither checks nor restores: the edits stay. (QDialog
    // would treat it as Cancel.)
    event->accept();
}

bool TopSettingForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int i = 0; i < SettingBoxCount; ++i)
            if (watched == m_boxes[i] ||
                (m_boxes[i]->isEditable() && watched == m_boxes[i]->lineEdit()))
                refreshDescription(static_cast<SettingBox>(i));
    }
    return QDialog::eventFilter(watched, event);
}
