#include "store/filestamp.h"

#include <sys/stat.h>

namespace zm {

std::optional<FileStamp> FileStamp::of(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return of(st);
}

FileStamp FileStamp::of(const struct ::stat& st) {
    return FileStamp{static_cast<std::uint64_t>(st.st_dev),
                     static_cast<std::uint64_t>(st.st_ino),
                     static_cast<std::int64_t>(st.st_size),
                     {st.st_mtim.tv_sec, st.st_mtim.tv_nsec},
                     {st.st_ctim.tv_sec, st.st_ctim.tv_nsec}};
}

}  // namespace zm
