#pragma once

#include "shell/desktopOpener.h"

#include <QStringList>

// Records what would have been opened through the desktop.
class RecordingOpener final : public DesktopOpener {
public:
    QStringList paths;
    QStringList addresses;

    void openPath(const QString& localPath) override { paths << localPath; }
    void openAddress(const QString& address) override { addresses << address; }
};
