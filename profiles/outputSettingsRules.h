#pragma once

#include "profiles/encodingChoices.h"

#include <QString>

#include <optional>

// The rules of the output settings dialog that do not need a window: which
// panels show, and the checks of its OK button.

// The MP3 panel ("Encode To:") replaces the audio bitrate panel exactly when
// the audio codec's caption is "MP3", compared exactly as written.
bool ShowsMp3Panel(const QString& audioCodecText);

// The VBR quality box replaces the ABR/CBR bitrate box exactly when the first
// "MP3 Encode" entry, variable bitrate, is selected.
bool ShowsQuality(int encodeToSelected);

// A whole number as the dialog accepts it: decimal digits with an optional
// sign that fit a signed 32-bit integer, and nothing else. Blanks are refused
// because the text goes unchanged into the encoder's options, which are split
// at blanks.
bool IsWholeNumber(const QString& text, int* value = nullptr);

enum class SettingsField { Vbitrate, Width, Height, Srate, Abitrate };

// The first OK check that fails: what the message box says, where the focus
// goes, and for the MP2 limit the text the audio bitrate box is set to first.
struct SettingsCheckFailure final {
    int check = 0; // 1 to 6, in the order the checks run
    QString title;
    QString text;
    SettingsField focus = SettingsField::Vbitrate;
    QString correctedAudioBitrate; // "128" for the MP2 limit, else empty
};

// Runs OK's checks in order on the choices; nothing when all pass.
std::optional<SettingsCheckFailure> CheckOutputSettings(const EncodingChoices& choices);
