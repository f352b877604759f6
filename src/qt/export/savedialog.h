#pragma once

#include <QString>
#include <QStringList>
#include <string>

class QWidget;

namespace zm {

// A path in the user's documents folder, or the home folder where there is
// none: never the data folder, which the dialog falls back to otherwise.
QString offeredPath(const std::string& name);

// Asks for a file name to save under, offering `offered`; empty on Cancel.
// The list is in Japanese whatever the desktop's locale.
QString askSaveName(QWidget* parent, const QString& caption, const QString& offered,
                    const QStringList& filters);

}  // namespace zm
