#include "qt/export/savedialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QSplitter>
#include <QStandardPaths>
#include <QTreeView>

#include "qt/export/filelistinjapanese.h"
#include "qt/qtconvert.h"

namespace zm {

QString offeredPath(const std::string& name) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) dir = QDir::homePath();
    return QDir(dir).filePath(qs(name));
}

QString askSaveName(QWidget* parent, const QString& caption, const QString& offered,
                    const QStringList& filters) {
    QFileDialog dialog(parent ? parent->window() : nullptr, caption, offered);
    dialog.setObjectName("saveDialog");
    dialog.setProxyModel(new FileListInJapanese(&dialog));
    // Room for the names, sizes, kinds and dates of the list, and for the
    // places beside it.
    dialog.resize(dialog.sizeHint().expandedTo({800, 500}));
    if (auto* list = dialog.findChild<QTreeView*>("treeView")) {
        const QFontMetrics fm(list->font());
        const int pad = 3 * fm.averageCharWidth();
        int column = 1;
        for (const char* widest : {"999.9 KB", "CSV ファイル", "2026/12/31 23:59"}) {
            list->header()->resizeSection(column++, fm.horizontalAdvance(qs(widest)) + pad);
        }
    }
    if (auto* places = dialog.findChild<QSplitter*>("splitter")) places->setSizes({190, 610});
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QFileInfo(offered).suffix());
    // The suffix follows the kind picked, so that a bare name gets it.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        dialog.setDefaultSuffix(f.contains("*.pdf") ? "pdf" : f.contains("*.png") ? "png" : "csv");
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace zm
