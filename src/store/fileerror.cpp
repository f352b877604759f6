#include "store/fileerror.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace zm {

namespace {

std::string message(const std::string& file, int line, const std::string& reason) {
    std::string text = "ファイル「" + file + "」";
    if (line > 0) text += "の " + std::to_string(line) + " 行目";
    return text + "：" + reason;
}

}  // namespace

std::string systemReason(int err) {
    switch (err) {
        case EACCES:
        case EPERM:
            return "アクセスが許可されていません";
        case ENOSPC:
        case EDQUOT:
            return "ディスクに空きがありません";
        case EROFS:
            return "読み取り専用のファイルシステムです";
        case ENOENT:
            return "見つかりません";
        case ELOOP:
            return "シンボリックリンクが多すぎるか、循環しています";
        case EISDIR:
            return "フォルダです";
        case ENOTDIR:
            return "フォルダではないものが途中にあります";
        case EIO:
            return "入出力エラーが起きました";
        case ENAMETOOLONG:
            return "名前が長すぎます";
        case EEXIST:
            return "すでに存在します";
        default:
            return std::strerror(err);
    }
}

std::string withSystemReason(std::string_view what, int err) {
    return std::string(what) + "（" + systemReason(err) + "）";
}

void throwReadError(std::string_view name, int err) {
    if (err == ENOENT) throw FileError(std::string(name), 0, "ファイルがありません");
    throw FileError(std::string(name), 0, withSystemReason("読み込めません", err));
}

void throwWriteError(std::string_view name, int err) {
    throw FileError(std::string(name), 0, withSystemReason("書き込めません", err));
}

FileError::FileError(std::string file, int line, std::string reason)
    : std::runtime_error(message(file, line, reason)),
      file_(std::move(file)),
      line_(line),
      reason_(std::move(reason)) {}

}  // namespace zm
