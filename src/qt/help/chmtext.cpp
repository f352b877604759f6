#include "qt/help/chmtext.h"

#include <QStringDecoder>

#include "qt/qtconvert.h"
#include "store/cp932.h"

namespace zm {

QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    if (auto converted = cp932ToUtf8(bytesOf(bytes))) {
        return qs(*converted);
    }
    return QString::fromLatin1(bytes);
}

QString archivePath(QString name) {
    name.replace(u'\\', u'/');
    if (!name.isEmpty() && !name.startsWith(u'/')) name.prepend(u'/');
    return name;
}

QString withoutFragment(const QString& path) {
    return path.left(path.indexOf(u'#'));
}

}  // namespace zm
