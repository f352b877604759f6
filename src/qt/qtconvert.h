#pragma once

#include <QByteArray>
#include <QString>
#include <Qt>
#include <filesystem>
#include <string>
#include <string_view>

#include "ui/ledgertable.h"

namespace zm {

// Texts cross between the logic (UTF-8) and Qt here.
inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string ss(const QString& s) {
    return s.toStdString();
}

// A path the user named, in the file system's encoding (UTF-8).
inline std::filesystem::path pathOf(const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// And back: a path for Qt, from the file system's encoding (UTF-8).
inline QString qsPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()),
                             static_cast<qsizetype>(utf8.size()));
}

// The bytes of a QByteArray, as the logic writes them.
inline std::string_view bytesOf(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// Widths are given in twips: 15 to a pixel at 96 DPI.
constexpr int kTwipsPerPixel = 15;
constexpr int pixelsOfTwips(int twips) {
    return twips / kTwipsPerPixel;
}

// A column's alignment as Qt draws it; text is left-aligned by default.
inline Qt::Alignment qtAlign(Align a) {
    switch (a) {
        case Align::Centre:
            return Qt::AlignCenter;
        case Align::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Align::Left:
        case Align::Default:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

}  // namespace zm
