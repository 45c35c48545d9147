#pragma once

#include <QDBusConnection>

// Asks the system to switch the computer off. Whether the system agrees is not
// reported: the program closes either way.
class PowerOff {
public:
    virtual ~PowerOff() = default;
    virtual void powerOff() = 0;
};

// Through systemd-logind: org.freedesktop.login1.Manager.PowerOff, not
// interactive, so no authentication dialog is raised. The bus is given by the
// caller (the system bus in the program); the call does not wait for a reply.
class LogindPowerOff final : public PowerOff {
public:
    explicit LogindPowerOff(QDBusConnection bus) : m_bus(std::move(bus)) {}
    void powerOff() override;

private:
    QDBusConnection m_bus;
};

// The machine's own logind, reached on the system bus only when the request
// is made, so a program that never powers off never connects to that bus.
class SystemPowerOff final : public PowerOff {
public:
    void powerOff() override { LogindPowerOff(QDBusConnection::systemBus()).powerOff(); }
};
