#pragma once

#include <QString>

class EncodingChoices;

// The encoder arguments that follow from the chosen profile and the choices of
// the output settings dialog, in the encoder's (MEncoder's) option language.
// The profile file is read afresh on every call; a missing file reads as an
// empty one, so every profile value takes its default. Nothing is validated or
// escaped here: the texts go into the result as they are.

// The output frame size, width ":" height.
QString GetVideoSizeValue(const QString& profilePath, const EncodingChoices& choices);

// The whole option string of the join run; it begins with a blank.
QString BuildEncoderOptions(const QString& profilePath, const EncodingChoices& choices);

// False when the "MP2" audio codec is chosen with an audio bitrate that is not
// a whole number: the 128 kbit/s limit of that codec could not be applied, so
// a job must not start with it.
bool AudioBitrateUsable(const EncodingChoices& choices);
