#include "shell/systemDesktopOpener.h"

#include <QDesktopServices>
#include <QUrl>

void SystemDesktopOpener::openPath(const QString& localPath) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(localPath));
}

void SystemDesktopOpener::openAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}
