#include "qt/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "app/csvexport.h"
#include "core/datetime.h"
#include "qt/remind.h"
#include "store/datafolder.h"
#include "store/fileerror.h"

namespace zm {

namespace {

std::filesystem::path toPath(const QString& name) {
    const QByteArray utf8 = name.toUtf8();
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The launcher starts the program in the data folder; a relative folder on
// its command line means one below where the user typed it.
std::filesystem::path fromCaller(std::filesystem::path folder) {
    const char* caller = std::getenv("ZUMERI_CALLER_DIR");
    if (folder.is_relative() && caller && *caller) folder = std::filesystem::path(caller) / folder;
    return std::filesystem::absolute(folder).lexically_normal();
}

int exportCsv(const QString& folder) {
    try {
        const std::filesystem::path out = fromCaller(toPath(folder));
        const SystemClock clock;
        // Only read: the folder's lock is not taken, so that a window open on
        // the same folder does not stop it; every write there is whole.
        const auto written =
            exportCsvFiles(DataFolder(std::filesystem::current_path()), out, clock);
        const std::u8string where = out.u8string();
        std::cout << written.size()
                  << " 個のCSVファイルを書き出しました: " << std::string(where.begin(), where.end())
                  << '\n';
        return 0;
    } catch (const FileError& e) {
        std::cerr << "zumeri: CSVファイルを書き出せませんでした。\n" << e.what() << '\n';
    } catch (const std::exception& e) {
        std::cerr << "zumeri: CSVファイルを書き出せませんでした。\n" << e.what() << '\n';
    }
    return 1;
}

}  // namespace

std::optional<int> runCommandLine(int argc, char* argv[]) {
    // A plain start, the common case, costs the window's start-up nothing.
    if (argc < 2) return std::nullopt;
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("zumeri");
    QCoreApplication::setApplicationVersion(ZUMERI_VERSION);
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtJapanese);
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "ズメリ貯金Ｐｒｏ: ３６５歩のマーチ貯金・小銭清算貯金・テーマ貯金の貯金帳");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption exportCsvOption(
        "export-csv",
        "データフォルダの各台帳と日別・月別の履歴をCSVファイルとしてFOLDERに書き出して終了します。",
        "FOLDER");
    parser.addOption(exportCsvOption);
    const QCommandLineOption remindOption(
        "remind",
        "本日の３６５歩のマーチ貯金の入金がまだなら、入金予定をデスクトップに通知して終了します。");
    parser.addOption(remindOption);

    // Without an option of ours the window starts, and its own options
    // (-style, -platform ...) are left to it.
    const bool parsed = parser.parse(QCoreApplication::arguments());
    const bool ours = !parser.optionNames().isEmpty();
    if (!parsed && (ours || parser.unknownOptionNames().isEmpty())) {
        std::cerr << "zumeri: " << parser.errorText().toStdString() << "\n";
        return 2;
    }
    if (!ours) return std::nullopt;
    if (parser.isSet(help) || parser.isSet("help-all")) {
        std::cout << parser.helpText().toStdString();
        return 0;
    }
    if (parser.isSet(version)) {
        std::cout << "zumeri " << ZUMERI_VERSION << '\n';
        return 0;
    }
    if (parser.isSet(exportCsvOption)) return exportCsv(parser.value(exportCsvOption));
    if (parser.isSet(remindOption)) return runRemind();
    return std::nullopt;
}

}  // namespace zm
