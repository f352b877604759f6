// A desktop notification service for tests, on a private session bus:
//   dbus-run-session -- zumeri_fake_notifications <log> <close|open> <program> [arguments...]
// takes the name org.freedesktop.Notifications, runs the program with its
// output passed through and ends with its exit status. Each notification adds
// one line to <log>: app name, summary, body (line ends as "\n"), icon,
// actions and the desktop-entry hint, separated by tabs. Each is answered at
// once: closed, or with its first action chosen.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QVariantMap>

class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    FakeNotifications(QString log, bool open) : log_(std::move(log)), open_(open) {}

public slots:
    QStringList GetCapabilities() { return {"actions", "body"}; }
    uint Notify(const QString& app, uint, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int) {
        const uint id = ++last_;
        QFile log(log_);
        if (log.open(QIODevice::Append)) {
            const QStringList fields{
                app,  summary,           QString(body).replace("\n", "\\n"),
                icon, actions.join(','), hints.value("desktop-entry").toString()};
            log.write((fields.join('\t') + '\n').toUtf8());
        }
        const QString first = actions.value(0);
        QTimer::singleShot(50, this, [this, id, first] {
            if (open_ && !first.isEmpty()) emit ActionInvoked(id, first);
            emit NotificationClosed(id, open_ ? 2 : 1);
        });
        return id;
    }
    void CloseNotification(uint id) { emit NotificationClosed(id, 3); }

signals:
    void NotificationClosed(uint id, uint reason);
    void ActionInvoked(uint id, const QString& actionKey);

private:
    QString log_;
    bool open_;
    uint last_ = 0;
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) return 2;
    FakeNotifications server(args[1], args[2] == "open");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject("/org/freedesktop/Notifications", &server,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) ||
        !bus.registerService("org.freedesktop.Notifications")) {
        return 125;
    }
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedChannels);
    QObject::connect(&program, &QProcess::finished, &app,
                     [&app](int code, QProcess::ExitStatus how) {
                         app.exit(how == QProcess::NormalExit ? code : 128);
                     });
    program.start(args[3], args.mid(4));
    if (!program.waitForStarted()) return 126;
    return QCoreApplication::exec();
}

#include "fakenotifications.moc"
