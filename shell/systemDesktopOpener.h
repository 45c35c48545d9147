#pragma once

#include "shell/desktopOpener.h"

// Opens through QDesktopServices (xdg-open on Linux desktops).
class SystemDesktopOpener final : public DesktopOpener {
public:
    void openPath(const QString& localPath) override;
    void openAddress(const QString& address) override;
};
