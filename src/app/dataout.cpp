#include "app/mainform.h"
#include "store/datafolder.h"
#include "store/fileerror.h"
#include "store/outfiles.h"
#include "ui/dialogs.h"

namespace zm {

bool MainForm::saveOutFile(const std::filesystem::path& path, std::string_view bytes) {
    const std::u8string u8 = path.filename().u8string();
    const std::string name(u8.begin(), u8.end());
    try {
        writeOutFile(s_.folder, path, bytes, name);
        return true;
    } catch (const FileError& e) {
        s_.dialogs.msgBox("「" + name + "」を保存できませんでした。\r\n" + e.reason(), "保存エラー",
                          Icon::Critical, Buttons::Ok);
        return false;
    }
}

std::string MainForm::outFileName(std::string_view title, std::string_view extension) const {
    return zm::outFileName(title, s_.clock.today(), extension);
}

Date MainForm::today() const {
    return s_.clock.today();
}

}  // namespace zm
