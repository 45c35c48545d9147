#include "engine/powerOff.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// LogindPowerOff against a mock logind (python3-dbusmock's template) on a
// private bus of this test's own. The machine's system bus is never used:
// the connection is made to the private address only, and the mock is told
// that address for both of its bus kinds.
class TestPowerOff final : public QObject {
    Q_OBJECT

    QProcess m_bus;
    QProcess m_logind;
    QString m_address;
    QTemporaryDir m_dir;

    static QString python() {
        // dbusmock comes from Debian, so the system's interpreter is the one that has it.
        const QString system = QStringLiteral("/usr/bin/python3");
        return QFile::exists(system) ? system
                                     : QStandardPaths::findExecutable(QStringLiteral("python3"));
    }

private slots:
    void initTestCase() {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("dbus-daemon is not installed");
        QProcess probe;
        probe.start(python(), {QStringLiteral("-c"), QStringLiteral("import dbusmock")});
        if (!probe.waitForFinished(20000) || probe.exitCode() != 0)
            QSKIP("python3-dbusmock is not installed");

        m_bus.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                             QStringLiteral("--print-address=1")});
        QVERIFY(m_bus.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(m_bus.canReadLine() || m_bus.waitForReadyRead(100), 10000);
        m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
        QVERIFY(m_address.startsWith(QLatin1String("unix:")));
    }

    void cleanupTestCase() {
        for (QProcess* process : {&m_logind, &m_bus}) {
            if (process->state() != QProcess::NotRunning) {
                process->terminate();
                if (!process->waitForFinished(5000))
                    process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    void requestsPowerOffWithoutInteraction() {
        QVERIFY(m_dir.isValid());
        const QString log = m_dir.filePath(QStringLiteral("logind.log"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_address);
        m_logind.setProcessEnvironment(env);
        m_logind.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_logind.start(python(), {QStringLiteral("-m"), QStringLiteral("dbusmock"),
                                  QStringLiteral("--session"), QStringLiteral("--template"),
                                  QStringLiteral("logind"), QStringLiteral("--logfile"), log});
        QVERIFY(m_logind.waitForStarted());

        QDBusConnection bus =
            QDBusConnection::connectToBus(m_address, QStringLiteral("corvane-test-private"));
        QVERIFY(bus.isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(
            bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.login1")), 20000);

        LogindPowerOff powerOff(bus);
        powerOff.powerOff();

        auto logged = [&log] {
            QFile file(log);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QTRY_VERIFY_WITH_TIMEOUT(logged().contains("PowerOff False"), 10000);
        QDBusConnection::disconnectFromBus(QStringLiteral("corvane-test-private"));
    }
};

QTEST_GUILESS_MAIN(TestPowerOff)
#include "test_powerOff.moc"
