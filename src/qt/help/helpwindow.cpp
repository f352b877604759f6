#include "qt/help/helpwindow.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QKeyEvent>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "qt/help/chmtext.h"
#include "qt/help/helpbrowser.h"

namespace zm {

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

void HelpWindow::keyPressEvent(QKeyEvent* event) {
    // Closed by Escape, as a dialog is.
    if (event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void HelpWindow::showDefaultTopic() {
    browser_->setSource(HelpBrowser::urlOf(archive_->defaultTopic()));
}

}  // namespace zm
