// Seeded mutation fuzzing of everything that reads text from outside: the
// record-line splitter, each typed data file reader, the CP932 codec and the
// amount parsers. Every input must be read, or refused with a FileError that
// names the file and one of its lines. Anything else fails: another
// exception, a crash or sanitizer report, a hang, a message that quotes too
// much, a file read that does not read back the same once written.
//
//   zumeri_fuzz <target> <inputs> <corpus folder> [seed]
//
// The corpus files of the target (<corpus folder>/<target>/*) are run first,
// then <inputs> mutations of them. A failing input is written to
// fuzz-<target>-failure.bin in the working folder; keep it in the corpus.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/money.h"
#include "store/cp932.h"
#include "store/datafolder.h"
#include "store/datedamount.h"
#include "store/everyhistoryfile.h"
#include "store/everyledgerfile.h"
#include "store/fieldlength.h"
#include "store/filecalls.h"
#include "store/fileerror.h"
#include "store/filenames.h"
#include "store/goalsfile.h"
#include "store/itemlistfile.h"
#include "store/kozeniledgerfile.h"
#include "store/recordline.h"
#include "store/settingsfile.h"
#include "store/splitfields.h"
#include "store/targetdaysfile.h"
#include "store/themeledgerfile.h"
#include "store/themenamefile.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace fs = std::filesystem;
using namespace zm;

namespace {

constexpr std::size_t kMaxInput = 64 * 1024;
constexpr unsigned kSecondsPerInput = 10;

// The input under test, kept where the handlers of a crash or a hang find it.
std::string current;
char failurePath[512] = "fuzz-failure.bin";

void saveCurrent() {
    const int fd = ::open(failurePath, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    for (std::size_t done = 0; done < current.size();) {
        const ssize_t n = ::write(fd, current.data() + done, current.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

// Undefined behaviour ends the run through abort(), where the input is saved.
extern "C" const char* __ubsan_default_options() {
    return "abort_on_error=1:print_stacktrace=1";
}

void onCrash(int) {
    saveCurrent();
    static const char msg[] = "fuzz: the input that crashed is saved\n";
    [[maybe_unused]] const ssize_t n = ::write(2, msg, sizeof msg - 1);
    ::_exit(1);
}

void onHang(int) {
    saveCurrent();
    static const char msg[] = "fuzz: an input took too long (saved)\n";
    [[maybe_unused]] const ssize_t n = ::write(2, msg, sizeof msg - 1);
    ::_exit(1);
}

[[noreturn]] void fail(const std::string& why) {
    saveCurrent();
    std::cerr << "fuzz: " << why << "\nfuzz: the input is in " << failurePath << " ("
              << current.size() << " bytes)\n";
    std::exit(1);
}

// ---- Mutations ----

struct Mutator {
    std::mt19937_64 rng;
    std::vector<std::string> tokens;

    std::size_t below(std::size_t n) { return n == 0 ? 0 : rng() % n; }

    std::string mutate(std::string s) {
        const int rounds = 1 + static_cast<int>(below(4));
        for (int r = 0; r < rounds; ++r) {
            const std::size_t at = below(s.size() + 1);
            const std::size_t kind = below(20);
            if (kind < 3) {  // flip a bit
                if (!s.empty()) s[below(s.size())] ^= static_cast<char>(1u << below(8));
            } else if (kind < 5) {  // a random byte
                if (!s.empty()) s[below(s.size())] = static_cast<char>(rng());
            } else if (kind < 7) {  // insert random bytes
                s.insert(at, 1 + below(4), static_cast<char>(rng()));
            } else if (kind < 9) {  // delete a range
                if (!s.empty()) s.erase(below(s.size()), 1 + below(16));
            } else if (kind < 11) {  // duplicate a range elsewhere
                if (!s.empty()) {
                    const std::string piece = s.substr(below(s.size()), 1 + below(64));
                    s.insert(std::min(at, s.size()), piece);
                }
            } else if (kind < 17) {  // a token that means something to the readers
                s.insert(at, tokens[below(tokens.size())]);
            } else if (kind < 19) {  // cut
                s.resize(below(s.size() + 1));
            } else if (!s.empty()) {  // repeat a piece: long fields, many lines
                const std::string piece = s.substr(below(s.size()), 1 + below(32));
                std::string many;
                for (std::size_t k = 1 + below(800); k > 0; --k) many += piece;
                s.insert(std::min(at, s.size()), many);
            }
        }
        if (s.size() > kMaxInput) s.resize(kMaxInput);
        return s;
    }
};

std::string cp932(std::string_view utf8) {
    auto b = utf8ToCp932(utf8);
    if (!b) fail("a token is not CP932");
    return *b;
}

// ---- Checks ----

int lineCount(std::string_view bytes) {
    return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
}

// A FileError is a proper refusal when it names the file, a line of it (or
// none, for a file whose only fault is to be empty), and quotes little.
void checkRefusal(const FileError& e, std::string_view name, std::string_view bytes) {
    if (e.file() != name) fail("the error names " + e.file() + " instead of " + std::string(name));
    if (e.line() < 0 || e.line() > lineCount(bytes))
        fail("the error names line " + std::to_string(e.line()));
    if (e.line() == 0 && e.reason().find("がありません") == std::string::npos)
        fail("the error names no line: " + e.reason());
    if (std::string_view(e.what()).size() > 600)
        fail("the message quotes too much: " + std::to_string(std::strlen(e.what())) + " bytes");
}

// A folder for the write-and-read-back checks. Flushes are skipped: only the
// contents matter here.
struct Scratch {
    fs::path dir;
    struct NoFlush final : FileCalls {
        int fsync(int) override { return 0; }
    } calls;
    UsingFileCalls using_{calls};
    Scratch() {
        std::string tmpl = (fs::temp_directory_path() / "zumeri-fuzz-XXXXXX").native();
        if (!::mkdtemp(tmpl.data())) fail("no scratch folder");
        dir = tmpl;
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

Scratch* scratch = nullptr;
std::uint64_t readBacks = 0;

// Read or refused; what is read has a checked total, holds no more records
// than allowed, and (for every 16th) writes back to a file that reads the same.
template <class File>
void recordFile(const std::string& bytes, std::uint64_t n) {
    const DataFolder none{fs::path()};
    const File file = [&] {
        if constexpr (std::is_constructible_v<File, const DataFolder&, int>) {
            return File(none, 1);
        } else {
            return File(none);
        }
    }();
    // Read straight from the bytes, the file must give what its decoded text gives.
    std::optional<decltype(file.parse(""))> viaBytes;
    std::string bytesRefused;
    std::vector<DatedAmount> dated;
    try {
        viaBytes = file.parseBytes(bytes);
        dated = file.parseDatedBytes(bytes);
    } catch (const FileError& e) {
        bytesRefused = e.what();
    }
    try {
        const auto loaded = file.parse(DataFolder::decode(file.name(), bytes));
        if (!viaBytes || viaBytes->records != loaded.records || viaBytes->total != loaded.total)
            fail("the bytes read otherwise than the decoded text: " + bytesRefused);
        if constexpr (requires { loaded.records.front().date; }) {
            bool same = dated.size() == loaded.records.size();
            for (std::size_t i = 0; same && i < dated.size(); ++i) {
                const auto& r = loaded.records[i];
                same = dated[i].date == r.date && dated[i].amount == r.amount;
            }
            if (!same) fail("the dates and amounts alone read otherwise");
        }
        if (file.maxRecords() > 0 && static_cast<int>(loaded.records.size()) > file.maxRecords())
            fail("more records than the limit");
        if (n % 16 != 0) return;
        const DataFolder folder(scratch->dir);
        const File there = [&] {
            if constexpr (std::is_constructible_v<File, const DataFolder&, int>) {
                return File(folder, 1);
            } else {
                return File(folder);
            }
        }();
        there.rewrite(loaded.records);
        const auto again = there.read();
        ++readBacks;
        if (again.records != loaded.records || again.total != loaded.total)
            fail("what was read does not read back the same once written");
    } catch (const FileError& e) {
        checkRefusal(e, file.name(), bytes);
        if (bytesRefused != e.what()) fail("the bytes are refused otherwise: " + bytesRefused);
    }
}

void themeName(const std::string& bytes, std::uint64_t n) {
    const DataFolder none{fs::path()};
    try {
        const std::string name =
            ThemeNameFile(none, 0).parse(DataFolder::decode(files::kThemeName[0], bytes));
        if (n % 16 != 0) return;
        const DataFolder folder(scratch->dir);
        ThemeNameFile(folder, 0).write(name);
        ++readBacks;
        if (ThemeNameFile(folder, 0).read() != name) fail("the theme name does not read back");
    } catch (const FileError& e) {
        checkRefusal(e, files::kThemeName[0], bytes);
    }
}

void targetDays(const std::string& bytes, std::uint64_t n) {
    try {
        const int days = TargetDaysFile::parse(DataFolder::decode(files::kEveryTarget, bytes));
        if (days > TargetDaysFile::kLimit || days < -TargetDaysFile::kLimit)
            fail("days out of range");
        if (n % 16 != 0) return;
        const DataFolder folder(scratch->dir);
        TargetDaysFile(folder).write(days);
        ++readBacks;
        if (TargetDaysFile(folder).read() != days) fail("the target days do not read back");
    } catch (const FileError& e) {
        checkRefusal(e, files::kEveryTarget, bytes);
    }
}

void settings(const std::string& bytes, std::uint64_t) {
    try {
        const int tour = SettingsFile::parseHelpTour(DataFolder::decode(files::kSettings, bytes));
        if (tour != 0 && tour != 1) fail("a help-tour setting other than 0 or 1");
    } catch (const FileError& e) {
        checkRefusal(e, files::kSettings, bytes);
    }
}

// The splitter on any line; what the writer makes of fields reads back.
void recordLine(const std::string& input, std::uint64_t) {
    constexpr int kCap = 8;
    FieldView fields[kCap];
    std::string error;
    const int n = splitFields(input, fields, kCap, error);
    if (n < 0) {
        if (error.empty()) fail("a refusal without a reason");
        if (error.size() > 300) fail("the reason quotes too much");
        return;
    }
    RecordLine written;
    for (int i = 0; i < std::min(n, kCap); ++i) {
        const std::string_view t = fields[i].text;
        if (t.data() < input.data() || t.data() + t.size() > input.data() + input.size())
            fail("a field outside its line");
        if (!fitsFieldLength(t)) fail("a field over the limit");
        if (fields[i].quoted && t.find('"') != std::string_view::npos)
            fail("a quoted field holding a quote");
        written.str(t);
    }
    // Fields as strings, written and split again: the same texts.
    if (n > kCap) return;
    FieldView again[kCap];
    std::string error2;
    const int m = splitFields(written.text(), again, kCap, error2);
    if (m != n) fail("written fields split into " + std::to_string(m) + ": " + error2);
    for (int i = 0; i < n; ++i) {
        if (again[i].text != fields[i].text) fail("a field does not read back");
    }
}

void codec(const std::string& input, std::uint64_t) {
    // What decodes can be written back, to the same text.
    if (const auto text = cp932ToUtf8(input)) {
        const auto bytes = utf8ToCp932(*text);
        if (!bytes) fail("decoded text that cannot be encoded");
        const auto again = cp932ToUtf8(*bytes);
        if (!again || *again != *text) fail("decoded text that does not read back");
    }
    // The input as UTF-8: what encodes decodes, and is then stable (the code
    // page folds some look-alikes, such as the wave dash, into one).
    if (const auto bytes = utf8ToCp932(input)) {
        const auto text = cp932ToUtf8(*bytes);
        if (!text) fail("encoded text that cannot be decoded");
        if (utf8ToCp932(*text) != bytes) fail("encoded text that changes on a second trip");
    }
}

void amounts(const std::string& input, std::uint64_t) {
    const auto plain = parsePlainMoney(input);
    const auto typed = parseAmount(input);
    const double lead = leadingNumber(input);
    if (std::isnan(lead)) fail("leadingNumber gave NaN");
    if (plain && parsePlainMoney(plain->plainText()) != plain)
        fail("plain money does not read back");
    if (typed && parseAmount(typed->plainText()) != typed)
        fail("a typed amount does not read back");
    // Any Money, written plainly, is read back by both parsers.
    std::int64_t raw = 0;
    std::memcpy(&raw, input.data(), std::min(input.size(), sizeof raw));
    const Money m = Money::fromRaw(raw);
    if (parsePlainMoney(m.plainText()) != m) fail("Money " + m.plainText() + " does not read back");
    if (parseAmount(m.plainText()) != m) fail("parseAmount misreads " + m.plainText());
    (void)m.currencyText();
}

// ---- Targets ----

struct Target {
    std::function<void(const std::string&, std::uint64_t)> check;
    std::vector<std::string> tokens;
};

std::map<std::string, Target> targets() {
    const std::vector<std::string> fileTokens = {"\"",
                                                 ",",
                                                 "\r\n",
                                                 "\n",
                                                 "\r",
                                                 " ",
                                                 "\t",
                                                 std::string(1, '\0'),
                                                 "\\",
                                                 "-",
                                                 ".",
                                                 "e",
                                                 "E+",
                                                 "0",
                                                 "9",
                                                 "1e308",
                                                 "9223372036854775807",
                                                 "922337203685477.5807",
                                                 "32767",
                                                 "-32768",
                                                 "0.5",
                                                 cp932("年"),
                                                 cp932("月"),
                                                 cp932("日"),
                                                 cp932("\"2005年01月01日\""),
                                                 cp932("\"2026年02月29日\""),
                                                 "\"09:26:01\"",
                                                 "\"24:00:00\"",
                                                 ":",
                                                 cp932("ヘルプツアー"),
                                                 cp932("缶コーヒー"),
                                                 std::string("\x81"),
                                                 std::string("\x82\xA0"),
                                                 std::string("\xFF"),
                                                 std::string("\x83\x5C"),
                                                 std::string("\x80"),
                                                 std::string("\xA0"),
                                                 std::string("\xFD")};
    const std::vector<std::string> amountTokens = {"¥",
                                                   "￥",
                                                   "\\",
                                                   "-",
                                                   "－",
                                                   "+",
                                                   "＋",
                                                   ",",
                                                   "，",
                                                   ".",
                                                   "．",
                                                   "　",
                                                   " ",
                                                   "１",
                                                   "９",
                                                   "0",
                                                   "9",
                                                   "e",
                                                   "E+",
                                                   "1e308",
                                                   "922337203685477.5807",
                                                   "9223372036854775807",
                                                   "99999999999999999999",
                                                   "0.00005",
                                                   "円",
                                                   std::string(1, '\0'),
                                                   std::string("\xC3"),
                                                   std::string("\xEF\xBC")};
    std::vector<std::string> textTokens = fileTokens;
    for (const char* t : {"\"", "¥", "～", "①", "髙", "ｱ", "\xE2\x80\x94", "\xC2\xA5", "\xC2\x80"})
        textTokens.push_back(t);
    return {
        {"recordline", {recordLine, textTokens}},
        {"every", {recordFile<EveryLedgerFile>, fileTokens}},
        {"history", {recordFile<EveryHistoryFile>, fileTokens}},
        {"kozeni", {recordFile<KozeniLedgerFile>, fileTokens}},
        {"theme", {recordFile<ThemeLedgerFile>, fileTokens}},
        {"items", {recordFile<ItemListFile>, fileTokens}},
        {"goals", {recordFile<GoalsFile>, fileTokens}},
        {"themename", {themeName, fileTokens}},
        {"targetdays", {targetDays, fileTokens}},
        {"settings", {settings, fileTokens}},
        {"cp932", {codec, textTokens}},
        {"amounts", {amounts, amountTokens}},
    };
}

std::vector<std::string> loadCorpus(const fs::path& dir) {
    std::vector<std::string> seeds;
    std::vector<fs::path> paths;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        paths.push_back(it->path());
    std::sort(paths.begin(), paths.end());
    for (const auto& p : paths) {
        std::ifstream in(p, std::ios::binary);
        seeds.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return seeds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: zumeri_fuzz <target> <inputs> <corpus folder> [seed]\n";
        return 2;
    }
    const std::string name = argv[1];
    const auto all = targets();
    const auto found = all.find(name);
    if (found == all.end()) {
        std::cerr << "fuzz: no target " << name << "\n";
        return 2;
    }
    const Target& target = found->second;
    const std::uint64_t inputs = std::strtoull(argv[2], nullptr, 10);
    std::snprintf(failurePath, sizeof failurePath, "fuzz-%s-failure.bin", name.c_str());
    std::vector<std::string> seeds = loadCorpus(fs::path(argv[3]) / name);
    if (seeds.empty()) {
        std::cerr << "fuzz: no corpus for " << name << " in " << argv[3] << "\n";
        return 2;
    }

    ::signal(SIGALRM, onHang);
    ::signal(SIGABRT, onCrash);
    ::signal(SIGSEGV, onCrash);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(saveCurrent);
#endif
    Scratch folder;
    scratch = &folder;

    std::uint64_t seed = std::hash<std::string>{}(name);
    if (argc > 4) seed ^= std::strtoull(argv[4], nullptr, 10);
    Mutator mutator{std::mt19937_64(seed), target.tokens};

    const auto run = [&](const std::string& input, std::uint64_t n) {
        current = input;
        ::alarm(kSecondsPerInput);
        try {
            target.check(current, n);
        } catch (const std::exception& e) {
            fail(std::string("an exception that is no refusal: ") + e.what());
        }
        ::alarm(0);
    };

    const auto start = std::chrono::steady_clock::now();
    std::uint64_t n = 0;
    std::uint64_t bytes = 0;
    for (const std::string& s : seeds) run(s, n++);
    // Mutants of the corpus and of recent mutants, so that damage piles up.
    std::vector<std::string> pool = seeds;
    for (std::uint64_t i = 0; i < inputs; ++i) {
        const std::string& parent = mutator.below(2) == 0 ? seeds[mutator.below(seeds.size())]
                                                          : pool[mutator.below(pool.size())];
        std::string input = mutator.mutate(parent);
        bytes += input.size();
        run(input, n++);
        // Small mutants breed on; the pool would otherwise fill with the longest.
        if (input.size() > 4096) continue;
        if (pool.size() < seeds.size() + 256) {
            pool.push_back(std::move(input));
        } else {
            pool[seeds.size() + mutator.below(256)] = std::move(input);
        }
    }
    const double secs =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "fuzz " << name << ": " << n << " inputs (" << seeds.size()
              << " from the corpus), " << bytes / std::max<std::uint64_t>(inputs, 1)
              << " bytes on average, " << readBacks << " written and read back, " << secs
              << " s, no failure\n";
    return 0;
}
