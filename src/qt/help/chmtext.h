#pragma once

#include <QByteArray>
#include <QString>

namespace zm {

// The texts of a compiled help file: help files made on Windows carry the
// Japanese code page, ours UTF-8.
QString decodeText(const QByteArray& bytes);
// A name inside the archive as an absolute path: "index.html" -> "/index.html".
QString archivePath(QString name);
// A path without its "#fragment".
QString withoutFragment(const QString& path);

}  // namespace zm
