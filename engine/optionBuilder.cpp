#include "engine/optionBuilder.h"

#include "profiles/encodingChoices.h"
#include "shell/iniFile.h"

#include <QStringBuilder>

namespace {

// The value of the box's selected entry ("value" + entry number, "-1" when
// nothing is selected), read from the box's own section of the profile.
QString profileValue(const IniFile& profile, const EncodingChoices& choices, SettingBox box,
                     const QString& defaultValue) {
    const QString key = QStringLiteral("value") + QString::number(choices.selected(box));
    return profile.readString(EncodingChoices::sectionName(box), key, defaultValue);
}

QString frameSize(const IniFile& profile, const EncodingChoices& choices) {
    if (choices.sizeMode == SizeMode::SelectSize)
        return profileValue(profile, choices, SettingBox::VideoSize, QStringLiteral("640:480"));
    return choices.width % QLatin1Char(':') % choices.height;
}

bool isMp2(const EncodingChoices& choices) {
    return choices.text(SettingBox::Acodec) == QLatin1String("MP2");
}

// MP2 streams cannot carry more than 128 kbit/s.
QString limitedAudioBitrate(const EncodingChoices& choices) {
    const QString text = choices.text(SettingBox::Abitrate);
    int bitrate = 0;
    if (isMp2(choices) && IniFile::parseDecimal(text, &bitrate) && bitrate > 128)
        return QStringLiteral("128");
    return text;
}

} // namespace

QString GetVideoSizeValue(const QString& profilePath, const EncodingChoices& choices) {
    return frameSize(IniFile(profilePath), choices);
}

bool AudioBitrateUsable(const EncodingChoices& choices) {
    int bitrate = 0;
    return !isMp2(choices) || IniFile::parseDecimal(choices.text(SettingBox::Abitrate), &bitrate);
}

QString BuildEncoderOptions(const QString& profilePath, const EncodingChoices& choices) {
    const IniFile profile(profilePath);
    const QString videoCodec =
        profileValue(profile, choices, SettingBox::Vcodec, QStringLiteral("mpeg4"));
    const QString videoBitrate = choices.text(SettingBox::Vbitrate);

    // Entry 0 of the aspect list means "let the encoder decide"; no selection
    // at all still names an aspect, normally the default 16:9.
    const bool autoAspect = choices.selected(SettingBox::Aspect) == 0;
    const QString aspectOption =
        autoAspect ? QStringLiteral("autoaspect")
                   : QStringLiteral("aspect=") +
                         profileValue(profile, choices, SettingBox::Aspect, QStringLiteral("16:9"));
    const QString videoOptions = QStringLiteral("vcodec=") % videoCodec %
                                 QStringLiteral(":vbitrate=") % videoBitrate %
                                 QStringLiteral(":mbd=2:") % aspectOption;

    const QString audioCodecName =
        profileValue(profile, choices, SettingBox::Acodec, QStringLiteral("ac3"));
    const QString channels =
        profileValue(profile, choices, SettingBox::Channels, QStringLiteral("2"));

    // The caption, compared exactly, decides the audio encoder.
    const QString caption = choices.text(SettingBox::Acodec);
    QString audioEncoder;
    QString audioSwitch;
    QString audioOptions;
    if (caption == QLatin1String("MP3")) {
        audioEncoder = QStringLiteral("mp3lame");
        audioSwitch = QStringLiteral("-lameopts");
        const QString mode =
            profileValue(profile, choices, SettingBox::EncodeTo, QStringLiteral("vbr"));
        if (mode == QLatin1String("vbr")) {
            audioOptions = QStringLiteral("vbr=2:q=") %
                           profileValue(profile, choices, SettingBox::Quality, QStringLiteral("6"));
        } else {
            // The bitrate of the selected list entry; typed text is not used.
            audioOptions =
                mode % QStringLiteral(":br=") %
                profileValue(profile, choices, SettingBox::Bitrate, QStringLiteral("224"));
        }
    } else if (caption == QLatin1String("PCM")) {
        audioEncoder = QStringLiteral("pcm");
    } else {
        audioEncoder = QStringLiteral("lavc");
        audioSwitch = QStringLiteral("-lavcopts");
        audioOptions = QStringLiteral("acodec=") % audioCodecName % QStringLiteral(":abitrate=") %
                       limitedAudioBitrate(choices);
    }

    const QChar blank = QLatin1Char(' ');
    // Every separator is written even next to an empty piece: the encoder
    // splits at blanks and ignores empty arguments.
    return QStringLiteral(" -ovc lavc -lavcopts ") % videoOptions % QStringLiteral(" -oac ") %
           audioEncoder % blank % audioSwitch % blank % audioOptions %
           QStringLiteral(" -channels ") % channels % QStringLiteral(" -vf scale=") %
           frameSize(profile, choices) % QStringLiteral(" -srate ") %
           choices.text(SettingBox::Srate);
}
