#pragma once

#include <QByteArray>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "qt/help/chmcontents.h"
#include "qt/help/chmsystem.h"

struct chmFile;

namespace zm {

// A compiled help file (.chm) read with chmlib. Paths inside it are absolute
// ("/index.html") and matched without regard to case.
class ChmArchive {
public:
    // nullptr when the file cannot be read as a compiled help file.
    static std::unique_ptr<ChmArchive> open(const std::filesystem::path& file);
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    std::optional<QByteArray> read(const QString& path) const;
    bool contains(const QString& path) const;
    // The topic the help opens at: the one #SYSTEM names, else index.html, else
    // the first topic of the contents; empty when there is none of them.
    QString defaultTopic() const;
    QString title() const { return system_.title; }
    std::vector<ChmTopic> contents() const;

private:
    explicit ChmArchive(chmFile* handle);
    QString firstFileEndingWith(const QString& suffix) const;

    chmFile* handle_;
    ChmSystem system_;
};

}  // namespace zm
