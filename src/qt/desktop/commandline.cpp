#include "qt/desktop/commandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <system_error>
#include <vector>

#include "app/csvexport.h"
#include "core/datetime.h"
#include "qt/desktop/remindmode.h"
#include "qt/qtconvert.h"
#include "store/datafolder.h"
#include "store/fileerror.h"

namespace zm {

namespace {

// The launcher starts the program in the data folder; a relative folder on
// its command line means one below where the user typed it, which the
// launcher passes on. Started without it, that is the current folder.
std::filesystem::path callerDir() {
    const char* caller = std::getenv("ZUMERI_CALLER_DIR");
    if (caller && std::filesystem::path(caller).is_absolute()) return caller;
    std::error_code ec;
    return std::filesystem::current_path(ec);
}

std::filesystem::path fromCaller(std::filesystem::path folder, const std::filesystem::path& caller) {
    if (folder.is_relative()) folder = caller / folder;
    return folder.lexically_normal();
}

// Takes --data-dir and its value out of the arguments the window's
// application reads, which would refuse them as unknown.
void dropDataDir(int& argc, char* argv[]) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--data-dir" || arg == "-data-dir") {
            ++i;
            continue;
        }
        if (arg.starts_with("--data-dir=") || arg.starts_with("-data-dir=")) continue;
        argv[kept++] = argv[i];
    }
    argv[kept] = nullptr;
    argc = kept;
}

int exportCsv(const QString& folder, const std::filesystem::path& caller) {
    std::string why;
    const auto dir = workingFolder(why);
    if (!dir) {
        std::cerr << "zumeri: CSVファイルを書き出せませんでした。\n" << why << '\n';
        return 1;
    }
    try {
        const std::filesystem::path out = fromCaller(pathOf(folder), caller.empty() ? *dir : caller);
        const SystemClock clock;
        // Only read: the folder's lock is not taken, so that a window open on
        // the same folder does not stop it; every write there is whole.
        const auto written = exportCsvFiles(DataFolder(*dir), out, clock);
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

// The options the application takes for itself when the window starts
// (QGuiApplication's, QApplication's and the X11 ones), without their dashes.
bool isQtOption(const QString& name) {
    static const QStringList names = {"platform",
                                      "platformpluginpath",
                                      "platformtheme",
                                      "plugin",
                                      "qmljsdebugger",
                                      "qwindowgeometry",
                                      "qwindowicon",
                                      "qwindowtitle",
                                      "reverse",
                                      "session",
                                      "style",
                                      "stylesheet",
                                      "widgetcount",
                                      "display",
                                      "geometry",
                                      "title",
                                      "name",
                                      "visual",
                                      "ncols",
                                      "cmap",
                                      "im",
                                      "inputstyle",
                                      "nograb",
                                      "dograb",
                                      "sync",
                                      "fn",
                                      "font",
                                      "bg",
                                      "background",
                                      "fg",
                                      "foreground",
                                      "btn",
                                      "button",
                                      "graphicssystem",
                                      "testability"};
    return names.contains(name);
}

// The argument as typed that names the option.
QString typed(const QString& name) {
    for (const QString& arg : QCoreApplication::arguments().mid(1)) {
        QString bare = arg;
        while (bare.startsWith('-')) bare.remove(0, 1);
        if (bare.section('=', 0, 0) == name) return arg;
    }
    return name;
}

// An argument the program does not know, pointing to the help.
int refuse(const QString& argument) {
    std::cerr << (argument.startsWith('-') ? "zumeri: 不明なオプションです："
                                           : "zumeri: 不明な引数です：")
              << argument.toStdString() << "\n使い方は「zumeri --help」で表示します。\n";
    return 2;
}

}  // namespace

std::optional<int> runCommandLine(int& argc, char* argv[], DataDir& dataDir) {
    const std::filesystem::path caller = callerDir();
    dataDir = DataDir::chosen(std::nullopt, std::getenv("ZUMERI_DATA_DIR"), caller);
    // A plain start, the common case, costs the window's start-up nothing.
    if (argc < 2) return std::nullopt;
    // The help names the program as the user types it, not the installed
    // file the launcher starts.
    std::vector<char*> args(argv, argv + argc);
    char name[] = "zumeri";
    args[0] = name;
    int count = argc;
    const QCoreApplication app(count, args.data());
    QCoreApplication::setApplicationName("zumeri");
    QCoreApplication::setApplicationVersion(ZUMERI_VERSION);
    QTranslator qtJapanese;
    if (qtJapanese.load(QLocale(QLocale::Japanese), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtJapanese);
    }

    QCommandLineParser parser;
    // "-style" is one option, as the application reads it, not five letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        "ズメリ貯金Ｐｒｏ: ３６５歩のマーチ貯金・小銭清算貯金・テーマ貯金の貯金帳");
    // Qt's own help and version options describe themselves in English.
    const QCommandLineOption help({"h", "help"}, "このヘルプを表示して終了します。");
    parser.addOption(help);
    const QCommandLineOption version({"v", "version"}, "バージョンを表示して終了します。");
    parser.addOption(version);
    const QCommandLineOption exportCsvOption(
        "export-csv",
        "データフォルダの各台帳と日別・月別の履歴をCSVファイルとしてFOLDERに書き出して終了します。",
        "FOLDER");
    parser.addOption(exportCsvOption);
    const QCommandLineOption remindOption(
        "remind",
        "本日の３６５歩のマーチ貯金の入金がまだなら、入金予定をデスクトップに通知して終了します。");
    parser.addOption(remindOption);
    const QCommandLineOption atOption(
        "at",
        "--remind と共に：その時刻より前に起動されたときは、その時刻まで待ってから通知します。",
        "HH:MM");
    parser.addOption(atOption);
    const QCommandLineOption dataDirOption(
        "data-dir",
        "FOLDERをデータフォルダとして使います（二冊目の貯金帳など）。"
        "環境変数 ZUMERI_DATA_DIR でも指定できます。",
        "FOLDER");
    parser.addOption(dataDirOption);

    // Without an option of ours the window starts, and its own options
    // (-style, -platform ...) are left to it; anything else is refused here,
    // where no display is needed to say so.
    const bool parsed = parser.parse(QCoreApplication::arguments());
    // --data-dir goes with the window's start as well as with ours.
    QStringList given = parser.optionNames();
    given.removeAll("data-dir");
    const bool ours = !given.isEmpty();
    const QStringList unknown = parser.unknownOptionNames();
    for (const QString& option : unknown) {
        if (ours || !isQtOption(option)) return refuse(typed(option));
    }
    if (!ours && unknown.isEmpty() && !parser.positionalArguments().isEmpty()) {
        return refuse(parser.positionalArguments().constFirst());
    }
    if (!parsed && ours) {
        std::cerr << "zumeri: " << parser.errorText().toStdString()
                  << "\n使い方は「zumeri --help」で表示します。\n";
        return 2;
    }
    if (parser.isSet(dataDirOption)) {
        const QString folder = parser.value(dataDirOption);
        if (folder.isEmpty()) {
            std::cerr << "zumeri: --data-dir にはフォルダを指定します。\n";
            return 2;
        }
        dataDir = DataDir::chosen(pathOf(folder).string(), nullptr, caller);
    }
    if (!ours) {
        dropDataDir(argc, argv);
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty())
        return refuse(parser.positionalArguments().first());
    if (parser.isSet(help)) {
        std::cout << parser.helpText().toStdString();
        return 0;
    }
    if (parser.isSet(version)) {
        std::cout << "zumeri " << ZUMERI_VERSION << '\n';
        return 0;
    }
    if (parser.isSet(exportCsvOption) || parser.isSet(remindOption)) {
        // Both only read: a named folder must be there already.
        if (const auto why = dataDir.enter(false)) {
            std::cerr << "zumeri: " << *why << '\n';
            return 1;
        }
    }
    if (parser.isSet(exportCsvOption)) return exportCsv(parser.value(exportCsvOption), caller);
    if (parser.isSet(remindOption)) {
        if (!parser.isSet(atOption)) return runRemind(dataDir);
        const QString at = parser.value(atOption);
        const auto time = parseTimeText((at.size() == 5 ? at + ":00" : at).toStdString());
        if (!time) {
            std::cerr << "zumeri: --at の時刻は HH:MM で指定します：" << at.toStdString() << "\n";
            return 2;
        }
        return runRemind(dataDir, *time);
    }
    std::cerr << "zumeri: --at は --remind と共に指定します。\n";
    return 2;
}

std::optional<int> refuseUnknownArguments() {
    const QStringList left = QCoreApplication::arguments().mid(1);
    if (left.isEmpty()) return std::nullopt;
    return refuse(left.constFirst());
}

}  // namespace zm
