#include "qt/help/helpbrowser.h"

#include <QDesktopServices>
#include <QRegularExpression>

#include "qt/help/chmarchive.h"
#include "qt/help/chmtext.h"

namespace zm {

namespace {

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

}  // namespace zm
