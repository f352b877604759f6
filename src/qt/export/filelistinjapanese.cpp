#include "qt/export/filelistinjapanese.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLocale>

namespace zm {

namespace {

enum Column { Name, Size, Type, Modified };

QString sizeText(qint64 bytes) {
    if (bytes < 1024) return QStringLiteral("%1 バイト").arg(bytes);
    return QLocale(QLocale::Japanese, QLocale::Japan)
        .formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

}  // namespace

QVariant FileListInJapanese::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || index.column() == Name) {
        return QIdentityProxyModel::data(index, role);
    }
    const QFileInfo info = files->fileInfo(mapToSource(index));
    switch (index.column()) {
        case Size:
            return info.isDir() ? QString() : sizeText(info.size());
        case Type:
            if (info.isDir()) return QStringLiteral("フォルダー");
            return info.suffix().isEmpty() ? QStringLiteral("ファイル")
                                           : info.suffix().toUpper() + QStringLiteral(" ファイル");
        case Modified:
            return info.lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
        default:
            return QIdentityProxyModel::data(index, role);
    }
}

}  // namespace zm
