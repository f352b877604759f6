#pragma once

#include <QObject>
#include <QString>

namespace zm {

// One desktop notification through org.freedesktop.Notifications, titled
// with the program's name, with its icon and the action "開く".
class DesktopNotice : public QObject {
    Q_OBJECT
public:
    // False when no notification service takes it.
    bool send(const QString& body);
    // The service offers actions: "開く" may still come.
    bool hasActions() const { return actions_; }

signals:
    void opened();
    void closed();

private slots:
    void onAction(uint id, const QString& key);
    void onClosed(uint id, uint reason);

private:
    uint id_ = 0;
    bool actions_ = false;
};

}  // namespace zm
