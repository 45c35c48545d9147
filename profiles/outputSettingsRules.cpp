#include "profiles/outputSettingsRules.h"

#include <limits>

namespace {

// MP2 audio above this many kbit/s is not offered to the encoder.
constexpr int Mp2MaxBitrate = 128;

} // namespace

bool ShowsMp3Panel(const QString& audioCodecText) {
    return audioCodecText == QLatin1String("MP3");
}

bool ShowsQuality(int encodeToSelected) {
    return encodeToSelected == 0;
}

bool IsWholeNumber(const QString& text, int* value) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return false;
    qint64 number = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        number = number * 10 + (c.unicode() - '0');
        if (number > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        number = -number;
    if (number > std::numeric_limits<int>::max())
        return false;
    if (value)
        *value = static_cast<int>(number);
    return true;
}

std::optional<SettingsCheckFailure> CheckOutputSettings(const EncodingChoices& c) {
    if (!IsWholeNumber(c.text(SettingBox::Vbitrate)))
        return SettingsCheckFailure{1,
                                    QStringLiteral("Invalid Video Bitrate"),
                                    QStringLiteral("The video bitrate is invalid."),
                                    SettingsField::Vbitrate,
                                    {}};
    if (c.sizeMode == SizeMode::ManualSize) {
        if (!IsWholeNumber(c.width))
            return SettingsCheckFailure{2,
                                        QStringLiteral("Invalid Width"),
                                        QStringLiteral("The output width is invalid."),
                                        SettingsField::Width,
                                        {}};
        if (!IsWholeNumber(c.height))
            return SettingsCheckFailure{3,
                                        QStringLiteral("Invalid Height"),
                                        QStringLiteral("The output height is invalid."),
                                        SettingsField::Height,
                                        {}};
    }
    if (!IsWholeNumber(c.text(SettingBox::Srate)))
        return SettingsCheckFailure{4,
                                    QStringLiteral("Invalid Sample Rate"),
                                    QStringLiteral("The sample rate is invalid."),
                                    SettingsField::Srate,
                                    {}};
    // Checked whatever the audio codec, even while the MP3 panel hides the box.
    int audioBitrate = 0;
    if (!IsWholeNumber(c.text(SettingBox::Abitrate), &audioBitrate))
        return SettingsCheckFailure{5,
                                    QStringLiteral("Invalid Audio Bitrate"),
                                    QStringLiteral("The Audio bitrate is invalid."),
                                    SettingsField::Abitrate,
                                    {}};
    if (c.text(SettingBox::Acodec) == QLatin1String("MP2") && audioBitrate > Mp2MaxBitrate)
        return SettingsCheckFailure{
            6, QStringLiteral("Invalid Audio Bitrate"),
            QStringLiteral("The maximum value of audio bitrate for MP2 codec is 128"),
            SettingsField::Abitrate, QString::number(Mp2MaxBitrate)};
    return std::nullopt;
}
