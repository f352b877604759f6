#include "qt/help/chmcontents.h"

#include <QRegularExpression>

#include "qt/help/chmtext.h"

namespace zm {

namespace {

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

}  // namespace

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

}  // namespace zm
