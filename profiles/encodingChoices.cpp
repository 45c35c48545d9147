#include "profiles/encodingChoices.h"

QString EncodingChoices::sectionName(SettingBox box) {
    static const std::array<QString, SettingBoxCount> names{
        QStringLiteral("Video Codec"),  QStringLiteral("Video Size"),
        QStringLiteral("Video Bitrate"), QStringLiteral("Aspect"),
        QStringLiteral("Audio Codec"),  QStringLiteral("MP3 Encode"),
        QStringLiteral("VBR Quality"),  QStringLiteral("ABR CBR Bitrate"),
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
