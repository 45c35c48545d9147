#pragma once

#include <QString>

// What the media library tells about one file: its play time as a time text
// ("Length" column) and the frame size of its first video stream ("Size").
struct MediaInfoResult {
    bool ok = false;
    QString lengthText; // e.g. "00:03:25.4"
    QString sizeText;   // width + "x" + height as the library gives them; "x" without video
    QString error;      // why the file could not be read, when !ok
};

// Asks libmediainfo about the file. Fails when no play time can be read (the
// file cannot be opened, is no media file, or its duration is unknown), since
// a file without a play time cannot take part in a join.
MediaInfoResult ReadMediaInfo(const QString& path);

// The Length text for a play time given in milliseconds as the library writes
// it ("205400", "1000.5"); fails with a reason naming the offending text.
bool PlayTimeToLengthText(const QString& milliseconds, QString* lengthText, QString* error);
