#pragma once

#include <QString>

// Hands a file, a folder or an address to the desktop, which picks the program
// that shows it (player, file manager, help viewer, browser, mail program).
// The result is not examined. Tests record the calls instead of opening anything.
class DesktopOpener {
public:
    virtual ~DesktopOpener() = default;

    virtual void openPath(const QString& localPath) = 0;  // a file or a folder
    virtual void openAddress(const QString& address) = 0; // a web or mailto: address
};
