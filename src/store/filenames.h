#pragma once

#include <string_view>
#include <vector>

namespace zm {

// The file names as the program writes them.
namespace files {
inline constexpr std::string_view kEvery = "３６５歩のマーチ.TXT";
inline constexpr std::string_view kEveryTarget = "目標３６５歩のマーチ.txt";
inline constexpr std::string_view kEveryHistory = "３６５歩履歴.txt";
inline constexpr std::string_view kSettings = "設定.txt";
inline constexpr std::string_view kKozeni = "小銭清算.txt";
inline constexpr std::string_view kTheme[3] = {"テーマ１.txt", "テーマ２.txt", "テーマ３.txt"};
inline constexpr std::string_view kItems[3] = {"項目１.txt", "項目２.txt", "項目３.txt"};
inline constexpr std::string_view kThemeName[3] = {"テーマ名１.txt", "テーマ名２.txt",
                                                   "テーマ名３.txt"};
inline constexpr std::string_view kGoals = "貯金目標.txt";
inline constexpr std::string_view kHelp = "ZumexHelp.chm";
// Every data file of the program, the settings included.
inline std::vector<std::string_view> allData() {
    return {kEvery,    kEveryTarget,  kEveryHistory, kSettings,     kKozeni,
            kTheme[0], kTheme[1],     kTheme[2],     kItems[0],     kItems[1],
            kItems[2], kThemeName[0], kThemeName[1], kThemeName[2], kGoals};
}
}  // namespace files

// True when the names differ at most in the case of ASCII letters: the
// files' old writers spelled extensions either way.
bool sameIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace zm
