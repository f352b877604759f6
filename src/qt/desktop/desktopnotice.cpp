#include "qt/desktop/desktopnotice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>

namespace zm {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kOpen = QStringLiteral("open");
constexpr const char* kTitle = "ズメリ貯金Ｐｒｏ";
}  // namespace

bool DesktopNotice::send(const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    // Listening first: the answer may come at once.
    bus.connect(kService, kPath, kService, "ActionInvoked", this, SLOT(onAction(uint, QString)));
    bus.connect(kService, kPath, kService, "NotificationClosed", this, SLOT(onClosed(uint, uint)));

    const QDBusReply<QStringList> caps =
        bus.call(QDBusMessage::createMethodCall(kService, kPath, kService, "GetCapabilities"));
    actions_ = caps.isValid() && caps.value().contains("actions");

    QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kService, "Notify");
    const QVariantMap hints{{"desktop-entry", QStringLiteral("zumeri")}};
    notify << QString::fromUtf8(kTitle) << uint{0} << QStringLiteral("zumeri")
           << QString::fromUtf8(kTitle) << body << QStringList{kOpen, QStringLiteral("開く")}
           << hints << -1;
    const QDBusReply<uint> id = bus.call(notify);
    if (!id.isValid()) return false;
    id_ = id.value();
    return true;
}

void DesktopNotice::onAction(uint id, const QString& key) {
    if (id == id_ && id_ != 0 && key == kOpen) emit opened();
}

void DesktopNotice::onClosed(uint id, uint) {
    if (id == id_ && id_ != 0) emit closed();
}

}  // namespace zm
