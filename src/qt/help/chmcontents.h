#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace zm {

// One entry of the table of contents (.hhc), in the order it is listed.
struct ChmTopic {
    QString name;
    QString path;  // "/step365.html"
};
std::vector<ChmTopic> parseChmContents(const QByteArray& hhc);

}  // namespace zm
