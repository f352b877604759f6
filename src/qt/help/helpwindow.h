#pragma once

#include <QWidget>
#include <memory>

#include "qt/help/chmarchive.h"

class QListWidget;

namespace zm {

class HelpBrowser;

// The help window: the contents on the left, the topic on the right.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow(std::unique_ptr<ChmArchive> archive, QWidget* owner);
    ~HelpWindow() override;

    // Back to the default topic, as when the help was opened.
    void showDefaultTopic();
    HelpBrowser* browser() const { return browser_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<ChmArchive> archive_;
    HelpBrowser* browser_;
    QListWidget* contents_;
};

}  // namespace zm
