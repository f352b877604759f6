#include "qt/export/dataexport.h"

#include "app/mainform.h"
#include "core/datetime.h"

namespace zm {

std::string DataExport::fileName(std::string_view title, std::string_view extension) const {
    return form_.outFileName(title, extension);
}

std::string DataExport::today() const {
    return dateText(form_.today());
}

bool DataExport::save(const std::filesystem::path& path, std::string_view bytes) {
    return form_.saveOutFile(path, bytes);
}

bool DataExport::saveCsv(const std::filesystem::path& path, const OutTable& table) {
    return form_.saveCsv(path, table);
}

}  // namespace zm
