#pragma once

#include <QString>
#include <QStringList>

// One encoder command in two forms built from the same pieces: the text a
// person reads (it begins with a blank and quotes every path, as a log shows
// it) and the argument list the process really gets (each path one argument,
// unquoted and unsplit; the option text split at blanks, empty pieces dropped).
// Nothing goes through a shell.
struct EncoderCommand {
    QString text;
    QStringList arguments;
};

// The fixed options of every conversion run: MP3 audio, the general video
// encoder, 30 frames per second, then the scale filter whose argument follows.
inline constexpr char ConversionOptions[] = " -oac mp3lame -ovc lavc -ofps 30 -vf scale=";

// Converts one input into an intermediate file at the output frame size.
EncoderCommand ConversionCommand(const QString& inputFile, const QString& intermediateFile,
                                 const QString& frameSize);

// Joins the intermediates, in order, into the output file with the profile's
// options (which begin with a blank).
EncoderCommand JoinCommand(const QStringList& intermediateFiles, const QString& outputFile,
                           const QString& options);

// Splits an option text at blanks, dropping empty pieces.
QStringList SplitOptions(const QString& options);
