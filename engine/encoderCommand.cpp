#include "engine/encoderCommand.h"

namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + path + QLatin1Char('"');
}

} // namespace

QStringList SplitOptions(const QString& options) {
    return options.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

EncoderCommand ConversionCommand(const QString& inputFile, const QString& intermediateFile,
                                 const QString& frameSize) {
    const QString options = QLatin1String(ConversionOptions) + frameSize;
    EncoderCommand command;
    command.text = QLatin1Char(' ') + quoted(inputFile) + QStringLiteral(" -o ") +
                   quoted(intermediateFile) + options;
    command.arguments << inputFile << QStringLiteral("-o") << intermediateFile
                      << SplitOptions(options);
    return command;
}

EncoderCommand JoinCommand(const QStringList& intermediateFiles, const QString& outputFile,
                           const QString& options) {
    EncoderCommand command;
    for (const QString& file : intermediateFiles) {
        command.text += QLatin1Char(' ') + quoted(file);
        command.arguments << file;
    }
    command.text += QStringLiteral(" -o ") + quoted(outputFile) + QLatin1Char(' ') + options;
    command.arguments << QStringLiteral("-o") << outputFile << SplitOptions(options);
    return command;
}
