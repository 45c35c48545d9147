#pragma once

#include <QString>
#include <QStringList>

// The program's constants, fixed once at start-up from the application folder.
// Everything Corvane reads or runs is found relative to AppDir, so tests build
// one of these over a temporary folder of their own.
struct ProgramInfo final {
    QString appDir;         // ends in exactly one "/"
    QString encoderPath;    // appDir + "asapi.dll"
    QString helpFilePath;   // appDir + "CorvaneHelp.chm"
    QString preferencesPath; // appDir + "Preferences.ini"
    QString profilesDir;    // appDir + "Profiles/"
    QString programName = QStringLiteral("Corvane");
    QString programVersion = QStringLiteral("1.5"); // [Main] "Version" of Preferences.ini
    QString programYear = QStringLiteral("2009");

    // The maker: Corvane's own project.
    QString companyName = QStringLiteral("Corvane Project");
    QString webAddress = QStringLiteral("https://corvane.example.org/");
    QString techSupportMail = QStringLiteral("support@corvane.example.org");
    QString salesMail = QStringLiteral("sales@corvane.example.org");

    // Builds the constants for an application folder; reads the version text.
    static ProgramInfo forAppDir(const QString& folder);

    QString caption() const { return programName + QStringLiteral(" V") + programVersion; }
};

// Appends "/" unless the text already ends in one.
QString AddBackslash(const QString& folder);

// File types the program accepts and writes, with their dialog filters.
const QStringList& InputTypes();  // ".avi", ".mpg", ".mpeg", ".mp4", ".wmv", ".mov", ".vob", ".asf"
const QStringList& OutputTypes(); // ".avi", ".mpg", ".mp4", ".wmv", ".mov", ".vob", ".asf", ".flv"
QString InputMask();              // "*.avi;*.mpg;...;*.asf;"
QString SaveDialogFilter();       // "AVI Files (*.avi)|*.avi|...|All Files (*.*)|*.*"
QString OpenDialogFilter();       // "All Support Files(...)|...|All Files (*.*)|*.*"

// Converts a "description|pattern|..." filter into the ";;"-separated form of Qt's file dialogs.
QString ToQtFilter(const QString& filter);

// Path helpers. The folder part and the file name part split at the last "/".
QString FolderPart(const QString& path);   // text before the last "/"; "/" for a file in the root
QString FileNamePart(const QString& path); // text after the last "/"
QString ExtensionOf(const QString& path);  // from the last "." of the file name part, dot included
QString LowerAscii(const QString& text);   // lower-cases A-Z only
