#pragma once

#include <QIdentityProxyModel>

namespace zm {

// The file dialog's list as a Japanese desktop shows it, whatever the
// desktop's locale: Qt's own list names a folder "Folder", gives sizes in
// "bytes" and dates as "9 Dec 2026" outside a Japanese locale, and its
// translation has no word for the first.
class FileListInJapanese : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};

}  // namespace zm
