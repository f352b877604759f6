#include "qt/help/helpviewer.h"

#include <system_error>

#include "qt/shell/qtshell.h"
#include "store/datafolder.h"
#include "ui/dialogs.h"

namespace zm {

HelpViewer::HelpViewer(QWidget* owner, Dialogs& dialogs,
                       std::function<std::filesystem::path(const std::string&)> locate)
    : QObject(owner), owner_(owner), dialogs_(dialogs), locate_(std::move(locate)) {}

void HelpViewer::open(const std::string& helpFile) {
    if (window_) {
        window_->showDefaultTopic();
        window_->show();
        window_->raise();
        window_->activateWindow();
        return;
    }
    const std::filesystem::path path = locate_(helpFile);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        dialogs_.msgBox(
            "ヘルプファイル「" + helpFile +
                "」が見つかりません。\r\nプログラムのデータと同じフォルダーに置いてから、"
                "もう一度ヘルプボタンを押してください。",
            "ヘルプ", Icon::Exclamation, Buttons::Ok);
        return;
    }
    auto archive = ChmArchive::open(path);
    if (!archive || archive->defaultTopic().isEmpty()) {
        dialogs_.msgBox(
            "ヘルプファイル「" + helpFile +
                "」を開けません。\r\nファイルが壊れているか、ヘルプファイルではありません。",
            "ヘルプ", Icon::Exclamation, Buttons::Ok);
        return;
    }
    window_ = new HelpWindow(std::move(archive), owner_);
    window_->show();
}

void HelpViewer::closeAll() {
    if (window_) window_->close();
}

HelpViewer* installHelpViewer(QtShell& shell, QWidget* owner, Dialogs& dialogs,
                              const DataFolder& folder) {
    QPointer<HelpViewer> viewer = new HelpViewer(
        owner, dialogs, [&folder](const std::string& name) { return folder.resolve(name); });
    shell.helpOpener = [viewer](const std::string& helpFile) {
        if (viewer) viewer->open(helpFile);
    };
    shell.helpCloser = [viewer] {
        if (viewer) viewer->closeAll();
    };
    return viewer;
}

}  // namespace zm
