#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <vector>

namespace zm {

// Follows the data folder while the window is open: a change to a data file,
// by another program or by this one, is handed on a moment later, once no
// dialog is open and no action runs. Whether it was an outside change is for
// the form to tell, from the stamps its pages keep.
class FileWatch : public QObject {
    Q_OBJECT
public:
    // `files` gives the data files' paths as they are now; `follow` is called
    // after a change, and says false when it cannot take it yet.
    FileWatch(std::filesystem::path dir, std::function<std::vector<std::filesystem::path>()> files,
              std::function<bool()> follow, QObject* parent);

private:
    // The folder and every data file in it. A file replaced by a rename is a
    // new file: its watch is set again.
    void arm();
    void noticed();
    void settle();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    std::filesystem::path dir_;
    std::function<std::vector<std::filesystem::path>()> files_;
    std::function<bool()> follow_;
};

}  // namespace zm
