#include "qt/help/chmsystem.h"

#include "qt/help/chmtext.h"

namespace zm {

namespace {

unsigned le16(const QByteArray& data, qsizetype pos) {
    return static_cast<unsigned char>(data[pos]) |
           (static_cast<unsigned>(static_cast<unsigned char>(data[pos + 1])) << 8);
}

}  // namespace

ChmSystem parseChmSystem(const QByteArray& data) {
    enum Code { kContents = 0, kDefaultTopic = 2, kTitle = 3 };
    ChmSystem system;
    qsizetype pos = 4;  // past the version
    while (pos + 4 <= data.size()) {
        const unsigned code = le16(data, pos);
        const auto length = static_cast<qsizetype>(le16(data, pos + 2));
        pos += 4;
        if (pos + length > data.size()) break;
        QByteArray value = data.mid(pos, length);
        pos += length;
        if (const qsizetype end = value.indexOf('\0'); end >= 0) value.truncate(end);
        switch (code) {
            case kContents:
                system.contentsFile = archivePath(decodeText(value));
                break;
            case kDefaultTopic:
                system.defaultTopic = archivePath(decodeText(value));
                break;
            case kTitle:
                system.title = decodeText(value);
                break;
            default:
                break;
        }
    }
    return system;
}

}  // namespace zm
