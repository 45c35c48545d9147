#include "engine/powerOff.h"

#include <QDBusMessage>

void LogindPowerOff::powerOff() {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PowerOff"));
    call << false; // interactive: no password prompt; a refusal is simply not followed
    m_bus.send(call);
}
