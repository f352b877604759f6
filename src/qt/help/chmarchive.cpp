#include "qt/help/chmarchive.h"

#include <chm_lib.h>

#include "qt/help/chmtext.h"

namespace zm {

std::unique_ptr<ChmArchive> ChmArchive::open(const std::filesystem::path& file) {
    chmFile* handle = chm_open(file.c_str());
    if (!handle) return nullptr;
    return std::unique_ptr<ChmArchive>(new ChmArchive(handle));
}

ChmArchive::ChmArchive(chmFile* handle) : handle_(handle) {
    if (auto data = read("/#SYSTEM")) system_ = parseChmSystem(*data);
}

ChmArchive::~ChmArchive() {
    chm_close(handle_);
}

std::optional<QByteArray> ChmArchive::read(const QString& path) const {
    chmUnitInfo unit{};
    const QByteArray name = path.toUtf8();
    if (chm_resolve_object(handle_, name.constData(), &unit) != CHM_RESOLVE_SUCCESS) return {};
    QByteArray data(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
    if (unit.length == 0) return data;
    const LONGINT64 got =
        chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(data.data()), 0,
                            static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length)) return {};
    return data;
}

bool ChmArchive::contains(const QString& path) const {
    chmUnitInfo unit{};
    const QByteArray name = withoutFragment(path).toUtf8();
    return chm_resolve_object(handle_, name.constData(), &unit) == CHM_RESOLVE_SUCCESS;
}

QString ChmArchive::defaultTopic() const {
    if (!system_.defaultTopic.isEmpty() && contains(system_.defaultTopic)) {
        return system_.defaultTopic;
    }
    if (contains("/index.html")) return "/index.html";
    for (const ChmTopic& topic : contents()) {
        if (contains(topic.path)) return topic.path;
    }
    return {};
}

std::vector<ChmTopic> ChmArchive::contents() const {
    QString hhc = system_.contentsFile;
    if (hhc.isEmpty() || !contains(hhc)) hhc = firstFileEndingWith(".hhc");
    if (hhc.isEmpty()) return {};
    const auto data = read(hhc);
    return data ? parseChmContents(*data) : std::vector<ChmTopic>{};
}

QString ChmArchive::firstFileEndingWith(const QString& suffix) const {
    struct Search {
        QByteArray suffix;
        QString found;
    } search{suffix.toUtf8().toLower(), {}};
    chm_enumerate(
        handle_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
        [](chmFile*, chmUnitInfo* unit, void* context) -> int {
            auto* s = static_cast<Search*>(context);
            const QByteArray path(unit->path);
            if (!path.toLower().endsWith(s->suffix)) return CHM_ENUMERATOR_CONTINUE;
            s->found = decodeText(path);
            return CHM_ENUMERATOR_SUCCESS;
        },
        &search);
    return search.found;
}

}  // namespace zm
