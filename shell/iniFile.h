#pragma once

#include <QString>

// An INI file read and written one key at a time, with the semantics Windows
// gives its private-profile functions, which Corvane's preference and profile
// files rely on:
// - section and key names match without regard to case;
// - a missing file, section or key gives the caller's default;
// - a value arrives trimmed, stripped of one pair of enclosing quotes, and cut
//   to at most 2047 characters;
// - a key write replaces the value where the key stands, or appends the key to
//   its section, or appends the section (creating the file), and leaves every
//   other line of the file byte for byte as it was.
// The file is opened for each operation and closed at its end.
class IniFile final {
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}

    const QString& path() const { return m_path; }

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;

    // A whole number in decimal with an optional sign; anything else counts as missing.
    int readInteger(const QString& section, const QString& key, int defaultValue) const;

    // A number in decimal with an optional sign, or hexadecimal introduced by
    // "$", "0x" or "0X"; anything else, an empty value included, gives the default.
    int readNumber(const QString& section, const QString& key, int defaultValue) const;

    // A flag is a number: non-zero is true.
    bool readFlag(const QString& section, const QString& key, bool defaultValue) const;

    // Writes one key. On failure returns false and errorString() is
    // "Unable to write to " + the file's full path.
    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeFlag(const QString& section, const QString& key, bool value);
    bool writeInteger(const QString& section, const QString& key, int value);

    QString errorString() const { return m_error; }

    // The number forms on their own, for callers that hold a text already.
    static bool parseDecimal(const QString& text, int* value);
    static bool parseNumber(const QString& text, int* value);

private:
    QString m_path;
    QString m_error;
};
