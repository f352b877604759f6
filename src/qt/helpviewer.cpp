#include "qt/helpviewer.h"

#include <chm_lib.h>

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QStringDecoder>
#include <QVBoxLayout>
#include <system_error>

#include "qt/bind.h"
#include "store/cp932.h"
#include "ui/dialogs.h"

namespace zm {

namespace {

// Help files made on Windows carry the Japanese code page, ours UTF-8.
QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) return text;
    if (auto converted = cp932ToUtf8(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
        return qs(*converted);
    }
    return QString::fromLatin1(bytes);
}

// A name inside the archive as an absolute path: "index.html" -> "/index.html".
QString archivePath(QString name) {
    name.replace(u'\\', u'/');
    if (!name.isEmpty() && !name.startsWith(u'/')) name.prepend(u'/');
    return name;
}

QString withoutFragment(const QString& path) {
    return path.left(path.indexOf(u'#'));
}

unsigned le16(const QByteArray& data, qsizetype pos) {
    return static_cast<unsigned char>(data[pos]) |
           (static_cast<unsigned>(static_cast<unsigned char>(data[pos + 1])) << 8);
}

QString unescapeHtml(QString text) {
    static const QRegularExpression numeric("&#(x?)([0-9a-fA-F]+);");
    QRegularExpressionMatch m;
    qsizetype from = 0;
    while ((m = numeric.match(text, from)).hasMatch()) {
        bool ok = false;
        const char32_t code = m.captured(2).toUInt(&ok, m.captured(1).isEmpty() ? 10 : 16);
        const QString ch = ok ? QString::fromUcs4(&code, 1) : m.captured(0);
        text.replace(m.capturedStart(), m.capturedLength(), ch);
        from = m.capturedStart() + ch.size();
    }
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
    return text.replace("&amp;", "&");
}

// Qt's rich text reads a linked style sheet only when the link says
// type="text/css", which help pages often leave out.
QString withStyleSheetTypes(QString html) {
    static const QRegularExpression link(
        R"re(<link\b(?![^>]*\btype\s*=)([^>]*\brel\s*=\s*["']?stylesheet\b[^>]*)>)re",
        QRegularExpression::CaseInsensitiveOption);
    return html.replace(link, R"(<link type="text/css"\1>)");
}

QString notFoundPage(const QString& path) {
    return QStringLiteral(
               "<html><body><h2>ページが見つかりません</h2>"
               "<p>ヘルプファイルの中に「%1」がありません。</p></body></html>")
        .arg(path.toHtmlEscaped());
}

}  // namespace

ChmSystem parseChmSystem(const QByteArray& data) {
    enum Code { kContents = 0, kDefaultTopic = 2, kTitle = 3 };
    ChmSystem system;
    qsizetype pos = 4;  // past the version
    while (pos + 4 <= data.size()) {
        const unsigned code = le16(data, pos);
        const auto length = static_cast<qsizetype>(le16(data, pos + 2));
        pos += 4;
        if (pos + length > data.size()) break;
        QByteArray value = data.mid(pos, length);
        pos += length;
        if (const qsizetype end = value.indexOf('\0'); end >= 0) value.truncate(end);
        switch (code) {
            case kContents:
                system.contentsFile = archivePath(decodeText(value));
                break;
            case kDefaultTopic:
                system.defaultTopic = archivePath(decodeText(value));
                break;
            case kTitle:
                system.title = decodeText(value);
                break;
            default:
                break;
        }
    }
    return system;
}

std::vector<ChmTopic> parseChmContents(const QByteArray& hhc) {
    static const QRegularExpression object(
        R"re(<object[^>]*type\s*=\s*"text/sitemap"[^>]*>(.*?)</object>)re",
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression param(
        R"re(<param\s+name\s*=\s*"([^"]*)"\s+value\s*=\s*"([^"]*)")re",
        QRegularExpression::CaseInsensitiveOption);
    std::vector<ChmTopic> topics;
    const QString text = decodeText(hhc);
    for (const auto& obj : object.globalMatch(text)) {
        ChmTopic topic;
        for (const auto& p : param.globalMatch(obj.captured(1))) {
            const QString key = p.captured(1).toLower();
            if (key == "name" && topic.name.isEmpty()) topic.name = unescapeHtml(p.captured(2));
            if (key == "local" && topic.path.isEmpty()) {
                topic.path = archivePath(unescapeHtml(p.captured(2)));
            }
        }
        if (!topic.path.isEmpty()) topics.push_back(std::move(topic));
    }
    return topics;
}

std::unique_ptr<ChmArchive> ChmArchive::open(const std::filesystem::path& file) {
    chmFile* handle = chm_open(file.c_str());
    if (!handle) return nullptr;
    return std::unique_ptr<ChmArchive>(new ChmArchive(handle));
}

ChmArchive::ChmArchive(chmFile* handle) : handle_(handle) {
    if (auto data = read("/#SYSTEM")) system_ = parseChmSystem(*data);
}

ChmArchive::~ChmArchive() {
    chm_close(handle_);
}

std::optional<QByteArray> ChmArchive::read(const QString& path) const {
    chmUnitInfo unit{};
    const QByteArray name = path.toUtf8();
    if (chm_resolve_object(handle_, name.constData(), &unit) != CHM_RESOLVE_SUCCESS) return {};
    QByteArray data(static_cast<qsizetype>(unit.length), Qt::Uninitialized);
    if (unit.length == 0) return data;
    const LONGINT64 got =
        chm_retrieve_object(handle_, &unit, reinterpret_cast<unsigned char*>(data.data()), 0,
                            static_cast<LONGINT64>(unit.length));
    if (got != static_cast<LONGINT64>(unit.length)) return {};
    return data;
}

bool ChmArchive::contains(const QString& path) const {
    chmUnitInfo unit{};
    const QByteArray name = withoutFragment(path).toUtf8();
    return chm_resolve_object(handle_, name.constData(), &unit) == CHM_RESOLVE_SUCCESS;
}

QString ChmArchive::defaultTopic() const {
    if (!system_.defaultTopic.isEmpty() && contains(system_.defaultTopic)) {
        return system_.defaultTopic;
    }
    if (contains("/index.html")) return "/index.html";
    for (const ChmTopic& topic : contents()) {
        if (contains(topic.path)) return topic.path;
    }
    return {};
}

std::vector<ChmTopic> ChmArchive::contents() const {
    QString hhc = system_.contentsFile;
    if (hhc.isEmpty() || !contains(hhc)) hhc = firstFileEndingWith(".hhc");
    if (hhc.isEmpty()) return {};
    const auto data = read(hhc);
    return data ? parseChmContents(*data) : std::vector<ChmTopic>{};
}

QString ChmArchive::firstFileEndingWith(const QString& suffix) const {
    struct Search {
        QByteArray suffix;
        QString found;
    } search{suffix.toUtf8().toLower(), {}};
    chm_enumerate(
        handle_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES,
        [](chmFile*, chmUnitInfo* unit, void* context) -> int {
            auto* s = static_cast<Search*>(context);
            const QByteArray path(unit->path);
            if (!path.toLower().endsWith(s->suffix)) return CHM_ENUMERATOR_CONTINUE;
            s->found = decodeText(path);
            return CHM_ENUMERATOR_SUCCESS;
        },
        &search);
    return search.found;
}

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent) {
    // Links inside the help file are followed here, others go to the desktop.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.scheme() == "chm") {
            setSource(url);
        } else {
            QDesktopServices::openUrl(url);
        }
    });
}

QUrl HelpBrowser::urlOf(const QString& path) {
    return QUrl("chm:" + path);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (url.scheme() != "chm" || !archive_) return {};
    const auto content = archive_->read(url.path());
    if (type != QTextDocument::HtmlResource) return content ? QVariant(*content) : QVariant();
    return content ? withStyleSheetTypes(decodeText(*content)) : notFoundPage(url.path());
}

HelpWindow::HelpWindow(std::unique_ptr<ChmArchive> archive, QWidget* owner)
    : QWidget(owner, Qt::Window),
      archive_(std::move(archive)),
      browser_(new HelpBrowser),
      contents_(new QListWidget) {
    setObjectName("frmHelp");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(archive_->title().isEmpty() ? QStringLiteral("ヘルプ") : archive_->title());

    browser_->setObjectName("helpTopic");
    browser_->setAccessibleName("ヘルプの本文");
    browser_->setArchive(archive_.get());
    contents_->setObjectName("helpContents");
    contents_->setAccessibleName("目次");
    for (const ChmTopic& topic : archive_->contents()) {
        auto* item = new QListWidgetItem(topic.name, contents_);
        item->setData(Qt::UserRole, topic.path);
    }
    connect(contents_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        browser_->setSource(HelpBrowser::urlOf(item->data(Qt::UserRole).toString()));
    });
    connect(contents_, &QListWidget::itemClicked, contents_, &QListWidget::itemActivated);
    // The contents follow the topic shown.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        const QString path = withoutFragment(url.path());
        for (int i = 0; i < contents_->count(); ++i) {
            if (withoutFragment(contents_->item(i)->data(Qt::UserRole).toString())
                    .compare(path, Qt::CaseInsensitive) == 0) {
                contents_->setCurrentRow(i);
                return;
            }
        }
        contents_->clearSelection();
    });

    auto* back = new QPushButton("戻る");
    back->setObjectName("helpBack");
    back->setEnabled(false);
    auto* forward = new QPushButton("進む");
    forward->setObjectName("helpForward");
    forward->setEnabled(false);
    auto* home = new QPushButton("最初のページ");
    home->setObjectName("helpHome");
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QPushButton::clicked, this, &HelpWindow::showDefaultTopic);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(home);
    bar->addStretch();

    auto* splitter = new QSplitter;
    splitter->addWidget(contents_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({270, 630});

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);
    resize(900, 640);
    showDefaultTopic();
}

HelpWindow::~HelpWindow() {
    // The browser outlives the archive by a moment.
    browser_->setArchive(nullptr);
}

void HelpWindow::showDefaultTopic() {
    browser_->setSource(HelpBrowser::urlOf(archive_->defaultTopic()));
}

HelpViewer::HelpViewer(QWidget* owner, Dialogs& dialogs,
                       std::function<std::filesystem::path(const std::string&)> locate)
    : QObject(owner), owner_(owner), dialogs_(dialogs), locate_(std::move(locate)) {}

void HelpViewer::open(const std::string& helpFile) {
    if (window_) {
        window_->showDefaultTopic();
        window_->show();
        window_->raise();
        window_->activateWindow();
        return;
    }
    const std::filesystem::path path = locate_(helpFile);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        dialogs_.msgBox(
            "ヘルプファイル「" + helpFile +
                "」が見つかりません。\r\nプログラムのデータと同じフォルダーに置いてから、"
                "もう一度ヘルプボタンを押してください。",
            "ヘルプ", Icon::Exclamation, Buttons::Ok);
        return;
    }
    auto archive = ChmArchive::open(path);
    if (!archive || archive->defaultTopic().isEmpty()) {
        dialogs_.msgBox(
            "ヘルプファイル「" + helpFile +
                "」を開けません。\r\nファイルが壊れているか、ヘルプファイルではありません。",
            "ヘルプ", Icon::Exclamation, Buttons::Ok);
        return;
    }
    window_ = new HelpWindow(std::move(archive), owner_);
    window_->show();
}

void HelpViewer::closeAll() {
    if (window_) window_->close();
}

}  // namespace zm
