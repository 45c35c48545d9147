#include "profiles/encodingChoices.h"

#include "shell/iniFile.h"

#include <QFileInfo>

QString EncodingChoices::sectionName(SettingBox box) {
    static const std::array<QString, SettingBoxCount> names{
        QStringLiteral("Video Codec"),   QStringLiteral("Video Size"),
        QStringLiteral("Video Bitrate"), QStringLiteral("Aspect"),
        QStringLiteral("Audio Codec"),   QStringLiteral("MP3 Encode"),
        QStringLiteral("VBR Quality"),   QStringLiteral("ABR CBR Bitrate"),
        QStringLiteral("Audio Bitrate"), QStringLiteral("Sample Rate"),
        QStringLiteral("Channels")};
    return names[static_cast<int>(box)];
}

bool EncodingChoices::isEditable(SettingBox box) {
    return box == SettingBox::Vbitrate || box == SettingBox::Bitrate ||
           box == SettingBox::Abitrate || box == SettingBox::Srate;
}

QString EncodingChoices::text(SettingBox b) const {
    const ChoiceBox& choice = box(b);
    if (isEditable(b))
        return choice.typedText;
    return choice.entries.value(choice.selected);
}

namespace {

const QString MainSection = QStringLiteral("Main");
const QString DescriptionKey = QStringLiteral("Description");

// The order in which a profile's sections are read: the box order.
constexpr std::array<SettingBox, SettingBoxCount> LoadOrder{
    SettingBox::Vcodec,   SettingBox::VideoSize, SettingBox::Vbitrate, SettingBox::Aspect,
    SettingBox::Acodec,   SettingBox::EncodeTo,  SettingBox::Quality,  SettingBox::Bitrate,
    SettingBox::Abitrate, SettingBox::Srate,     SettingBox::Channels};

} // namespace

bool EncodingChoices::loadProfile(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    const IniFile profile(path);
    profilePath = path;
    outputExt = QLatin1Char('.') +
                profile.readString(MainSection, QStringLiteral("Type"), QStringLiteral("avi"));
    for (SettingBox b : LoadOrder) {
        const QString section = sectionName(b);
        ChoiceBox& choice = box(b);
        choice = ChoiceBox{};
        const int count = profile.readInteger(section, QStringLiteral("Items"), 0);
        for (int i = 0; i < count; ++i)
            choice.entries.append(
                profile.readString(section, QStringLiteral("Caption%1").arg(i), QString()));
        chooseEntry(b, profile.readInteger(section, QStringLiteral("Index"), -1));
    }
    emit reloaded();
    emit profileLoaded();
    return true;
}

QStringList EncodingChoices::description(SettingBox b) const {
    const QString line =
        profilePath.isEmpty()
            ? QString()
            : IniFile(profilePath).readString(sectionName(b), DescriptionKey, QString());
    return {line, QStringLiteral("Current Value: ") + text(b)};
}

void EncodingChoices::chooseEntry(SettingBox b, int index) {
    ChoiceBox& choice = box(b);
    // An index the list does not hold selects nothing.
    choice.selected = (index >= 0 && index < choice.entries.size()) ? index : -1;
    choice.typedText = isEditable(b) ? choice.entries.value(choice.selected) : QString();
}

void EncodingChoices::typeText(SettingBox b, const QString& typed) {
    if (!isEditable(b))
        return;
    ChoiceBox& choice = box(b);
    choice.selected = -1;
    choice.typedText = typed;
}

void EncodingChoices::putText(SettingBox b, const QString& put) {
    if (!isEditable(b))
        return;
    ChoiceBox& choice = box(b);
    choice.selected = static_cast<int>(choice.entries.indexOf(put));
    choice.typedText = put;
}

SavedSettings SavedSettings::take(const EncodingChoices& c) {
    SavedSettings s;
    s.vcodec = c.selected(SettingBox::Vcodec);
    s.aspect = c.selected(SettingBox::Aspect);
    s.videoSize = c.selected(SettingBox::VideoSize);
    s.acodec = c.selected(SettingBox::Acodec);
    s.encodeTo = c.selected(SettingBox::EncodeTo);
    s.quality = c.selected(SettingBox::Quality);
    s.channels = c.selected(SettingBox::Channels);
    s.vbitrate = c.text(SettingBox::Vbitrate);
    s.abitrate = c.text(SettingBox::Abitrate);
    s.bitrate = c.text(SettingBox::Bitrate);
    s.srate = c.text(SettingBox::Srate);
    s.width = c.width;
    s.height = c.height;
    s.sizeMode = c.sizeMode;
    return s;
}

void SavedSettings::restoreInto(EncodingChoices& c) const {
    c.chooseEntry(SettingBox::Vcodec, vcodec);
    c.chooseEntry(SettingBox::Aspect, aspect);
    c.chooseEntry(SettingBox::VideoSize, videoSize);
    c.chooseEntry(SettingBox::Acodec, acodec);
    c.chooseEntry(SettingBox::EncodeTo, encodeTo);
    c.chooseEntry(SettingBox::Quality, quality);
    c.chooseEntry(SettingBox::Channels, channels);
    c.putText(SettingBox::Vbitrate, vbitrate);
    c.putText(SettingBox::Abitrate, abitrate);
    c.putText(SettingBox::Bitrate, bitrate);
    c.putText(SettingBox::Srate, srate);
    c.width = width;
    c.height = height;
    c.sizeMode = sizeMode;
    emit c.reloaded();
}
