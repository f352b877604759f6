#pragma once

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;
class QListWidget;

namespace zm {

class Dialogs;

// What the #SYSTEM file of a compiled help file says about it.
struct ChmSystem {
    QString contentsFile;  // "/ZumexHelp.hhc"
    QString defaultTopic;  // "/index.html"
    QString title;
};
ChmSystem parseChmSystem(const QByteArray& data);

// One entry of the table of contents (.hhc), in the order it is listed.
struct ChmTopic {
    QString name;
    QString path;  // "/step365.html"
};
std::vector<ChmTopic> parseChmContents(const QByteArray& hhc);

// A compiled help file (.chm) read with chmlib. Paths inside it are absolute
// ("/index.html") and matched without regard to case.
class ChmArchive {
public:
    // nullptr when the file cannot be read as a compiled help file.
    static std::unique_ptr<ChmArchive> open(const std::filesystem::path& file);
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    std::optional<QByteArray> read(const QString& path) const;
    bool contains(const QString& path) const;
    // The topic the help opens at: the one #SYSTEM names, else index.html, else
    // the first topic of the contents; empty when there is none of them.
    QString defaultTopic() const;
    QString title() const { return system_.title; }
    std::vector<ChmTopic> contents() const;

private:
    explicit ChmArchive(chmFile* handle);
    QString firstFileEndingWith(const QString& suffix) const;

    chmFile* handle_;
    ChmSystem system_;
};

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

// The help window: the contents on the left, the topic on the right.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow(std::unique_ptr<ChmArchive> archive, QWidget* owner);
    ~HelpWindow() override;

    // Back to the default topic, as when the help was opened.
    void showDefaultTopic();
    HelpBrowser* browser() const { return browser_; }

private:
    std::unique_ptr<ChmArchive> archive_;
    HelpBrowser* browser_;
    QListWidget* contents_;
};

// The program's help viewer: opens a help file at its default topic in a
// window owned by the main window, and closes it again. A file that is
// missing or unreadable is reported in a message box, and nothing else
// happens.
class HelpViewer : public QObject {
    Q_OBJECT
public:
    // `locate` gives the path of a help file name (it lies with the data).
    HelpViewer(QWidget* owner, Dialogs& dialogs,
               std::function<std::filesystem::path(const std::string&)> locate);

    void open(const std::string& helpFile);
    void closeAll();
    HelpWindow* window() const { return window_; }

private:
    QWidget* owner_;
    Dialogs& dialogs_;
    std::function<std::filesystem::path(const std::string&)> locate_;
    QPointer<HelpWindow> window_;
};

}  // namespace zm
