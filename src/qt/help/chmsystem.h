#pragma once

#include <QByteArray>
#include <QString>

namespace zm {

// What the #SYSTEM file of a compiled help file says about it.
struct ChmSystem {
    QString contentsFile;  // "/ZumexHelp.hhc"
    QString defaultTopic;  // "/index.html"
    QString title;
};
ChmSystem parseChmSystem(const QByteArray& data);

}  // namespace zm
