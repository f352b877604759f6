#pragma once

#include <string>
#include <string_view>

#include "ui/dialogs.h"

namespace zm {

// When a table of `count` records has no room for one more under `limit`,
// shows `text` (what is full and what to do) and returns true: the deposit is
// refused before anything is written, so no file grows past what it can read.
inline bool refuseWhenFull(Dialogs& dialogs, int count, int limit, const std::string& text) {
    if (count < limit) return false;
    dialogs.msgBox(text, "記録の上限", Icon::Exclamation, Buttons::Ok);
    return true;
}

// Refusal of a text the data files cannot carry: "<what>に保存できない文字が
// 含まれています。" + CR LF + this hint, under this title.
inline constexpr const char* kUnwritableHint =
    "ダブルクォーテーション（\"）、改行、絵文字などの記号は保存できません。";
inline constexpr const char* kUnwritableTitle = "使用できない文字";
inline constexpr const char* kTooLongTitle = "文字数の上限";

// Refuses a typed text that a data file could not carry as one string field,
// telling why, and returns true; nothing is written then. `what` names the
// text ("テーマ名"); `writable` and `shortEnough` are the store's verdicts
// (fitsStringField, fitsFieldLength), so input and reader share one rule.
inline bool refuseFieldText(Dialogs& dialogs, std::string_view what, bool writable,
                            bool shortEnough) {
    if (!writable) {
        dialogs.msgBox(
            std::string(what) + "に保存できない文字が含まれています。\r\n" + kUnwritableHint,
            kUnwritableTitle, Icon::Exclamation, Buttons::Ok);
        return true;
    }
    if (!shortEnough) {
        dialogs.msgBox(std::string(what) + "は 4,096 文字までです。", kTooLongTitle,
                       Icon::Exclamation, Buttons::Ok);
        return true;
    }
    return false;
}

}  // namespace zm
