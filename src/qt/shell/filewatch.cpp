#include "qt/shell/filewatch.h"

#include <QApplication>
#include <system_error>
#include <utility>

#include "qt/qtconvert.h"

namespace zm {

namespace {

// Long enough for a sync tool's write and rename to land together; short
// enough that the page follows within a second.
constexpr int kSettleMs = 200;
// While a dialog is open, how often to look again.
constexpr int kRetryMs = 400;

}  // namespace

FileWatch::FileWatch(std::filesystem::path dir,
                     std::function<std::vector<std::filesystem::path>()> files,
                     std::function<bool()> follow, QObject* parent)
    : QObject(parent),
      dir_(std::move(dir)),
      files_(std::move(files)),
      follow_(std::move(follow)) {
    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, &FileWatch::settle);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileWatch::noticed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileWatch::noticed);
    arm();
}

void FileWatch::arm() {
    const QStringList watched = watcher_.files() + watcher_.directories();
    QStringList wanted;
    if (!watched.contains(qsPath(dir_))) wanted << qsPath(dir_);
    for (const std::filesystem::path& file : files_()) {
        std::error_code ec;
        if (std::filesystem::exists(file, ec) && !watched.contains(qsPath(file))) wanted << qsPath(file);
    }
    if (!wanted.isEmpty()) watcher_.addPaths(wanted);
}

void FileWatch::noticed() {
    arm();
    settle_.start(kSettleMs);
}

void FileWatch::settle() {
    const bool dialogOpen = QApplication::activeModalWidget() || QApplication::activePopupWidget();
    if (dialogOpen || !follow_()) settle_.start(kRetryMs);
}

}  // namespace zm
