#pragma once

#include <QString>
#include <QStringList>

// The entries of the command line: every argument, or, when the first
// argument ends in ".tmp" (any letter case), the lines of that list file.
struct CommandLineEntries {
    QStringList entries;
    bool failed = false; // the list file could not be read
    QString error;       // then the message that says why
};

CommandLineEntries ReadCommandLine(const QStringList& arguments);
