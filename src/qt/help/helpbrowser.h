#pragma once

#include <QTextBrowser>

namespace zm {

class ChmArchive;

// Shows the topics of an archive; links, style sheets and pictures are read
// from inside it through the "chm" URL scheme.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    void setArchive(const ChmArchive* archive) { archive_ = archive; }
    static QUrl urlOf(const QString& path);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    const ChmArchive* archive_ = nullptr;
};

}  // namespace zm
