#include "store/fileerror.h"

#include <utility>

namespace zm {

namespace {

std::string message(const std::string& file, int line, const std::string& reason) {
    std::string text = "ファイル「" + file + "」";
    if (line > 0) text += "の " + std::to_string(line) + " 行目";
    return text + "：" + reason;
}

}  // namespace

FileError::FileError(std::string file, int line, std::string reason)
    : std::runtime_error(message(file, line, reason)),
      file_(std::move(file)),
      line_(line),
      reason_(std::move(reason)) {}

}  // namespace zm
