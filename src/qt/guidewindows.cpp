#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <array>

#include "guide/guideform.h"
#include "qt/guideviews.h"
#include "qt/helpviewer.h"
#include "qt/ledgerview.h"
#include "qt/qtshell.h"
#include "qt/style.h"
#include "store/datafolder.h"

namespace zm {

namespace {

const char* pictureOf(Guide which) {
    switch (which) {
        case Guide::Sub1:
            return ":/images/guide1.png";
        case Guide::Sub2:
            return ":/images/guide2.png";
        case Guide::Sub3:
            break;
    }
    return ":/images/guide3.png";
}

// The widths in twips were made for a narrower system font: a column never
// cuts its texts short.
void widenToContents(LedgerView* view) {
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        const int width = view->columnWidth(c);
        view->resizeColumnToContents(c);
        if (view->columnWidth(c) < width) view->setColumnWidth(c, width);
    }
}

// A table that shows all its rows without scrolling.
void fitRows(LedgerView* view, int rows) {
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int width = view->horizontalHeader()->length() + 2 * view->frameWidth();
    const int height = view->horizontalHeader()->sizeHint().height() +
                       rows * view->verticalHeader()->defaultSectionSize() + 2 * view->frameWidth();
    view->setFixedSize(width, height);
}

// A guide window: the picture and heading on top, the example tables on the
// left, the explanation on the right and cmdModori at the bottom.
class GuideDialog : public QDialog {
public:
    GuideDialog(Guide which, QWidget* owner, const Runner& run)
        : QDialog(owner), form_(which), body_(new QWidget(this)) {
        setObjectName(qs(form_.frm.name()));
        setWindowTitle(qs(form_.frm.caption()));
        form_.Form_Load();

        auto* picture = new QLabel;
        picture->setPixmap(QPixmap(pictureOf(which)));
        picture->setAccessibleName("ガイドの絵");
        auto* top = new QHBoxLayout;
        top->addWidget(picture);
        top->addWidget(makePageTitle(form_.captions.front().c_str()), 1);

        auto* tables = new QVBoxLayout;
        for (GuideForm::Example& example : form_.examples) {
            auto* view = new LedgerView(*example.table, run, {});
            widenToContents(view);
            if (example.heading.empty()) {
                view->setAccessibleName("３６５日の貯金額");
                view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
                view->setFixedWidth(view->horizontalHeader()->length() + 2 * view->frameWidth() +
                                    view->verticalScrollBar()->sizeHint().width());
                tables->addWidget(view, 1);
            } else {
                auto* heading = new QLabel(qs(example.heading));
                heading->setStyleSheet("font-weight: bold;");
                view->setAccessibleName(qs(example.heading));
                view->setFocusPolicy(Qt::NoFocus);
                tables->addWidget(heading);
                fitRows(view, example.table->recordCount());
                tables->addWidget(view);
            }
        }
        if (!form_.examples.empty() && !form_.examples.front().heading.empty()) {
            tables->addStretch();
        }

        auto* lines = new QVBoxLayout;
        for (std::size_t i = 1; i < form_.captions.size(); ++i) {
            auto* line = new QLabel(qs(form_.captions[i]));
            line->setStyleSheet("font-size: 12pt;");
            lines->addWidget(line);
        }
        lines->addStretch();

        auto* middle = new QHBoxLayout;
        middle->addLayout(tables);
        middle->addSpacing(12);
        middle->addLayout(lines, 1);

        auto* modori = new QPushButton;
        bindButton(form_.cmdModori, modori, run, [this] { form_.cmdModori_Click(); });
        styleMainButton(modori);
        modori->setDefault(true);
        modori_ = modori;
        form_.frm.bind([this] {
            if (!form_.frm.visible()) close();
        });

        auto* layout = new QVBoxLayout(body_);
        layout->addLayout(top);
        layout->addLayout(middle, 1);
        layout->addWidget(modori, 0, Qt::AlignHCenter);
        auto* outer = new QVBoxLayout(this);
        outer->setContentsMargins(0, 0, 0, 0);
        outer->addWidget(body_);
        if (which == Guide::Sub1) resize(760, 560);
    }

    ~GuideDialog() override {
        // The widgets go first: they read the tables of form_.
        delete body_;
    }

protected:
    // Enter closes the window; the tables are there to be looked at.
    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        modori_->setFocus();
    }

private:
    GuideForm form_;
    QWidget* body_;
    QPushButton* modori_ = nullptr;
};

class GuideWindows : public QObject {
public:
    GuideWindows(QWidget* owner, Runner run)
        : QObject(owner), owner_(owner), run_(std::move(run)) {}

    void open(Guide which, bool modal) {
        QPointer<QDialog>& slot = open_[static_cast<std::size_t>(which)];
        if (slot) {
            slot->raise();
            slot->activateWindow();
            return;
        }
        if (modal) {
            GuideDialog dialog(which, owner_, run_);
            slot = &dialog;
            dialog.exec();
            return;
        }
        auto* dialog = new GuideDialog(which, owner_, run_);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        slot = dialog;
        dialog->show();
    }

private:
    QWidget* owner_;
    Runner run_;
    std::array<QPointer<QDialog>, 3> open_;
};

}  // namespace

void installGuideWindows(QtShell& shell, QWidget* owner, const Runner& run) {
    QPointer<GuideWindows> guides = new GuideWindows(owner, run);
    shell.guideOpener = [guides](Guide which, bool modal) {
        if (guides) guides->open(which, modal);
    };
}

HelpViewer* installHelpViewer(QtShell& shell, QWidget* owner, Dialogs& dialogs,
                              const DataFolder& folder) {
    QPointer<HelpViewer> viewer = new HelpViewer(
        owner, dialogs, [&folder](const std::string& name) { return folder.resolve(name); });
    shell.helpOpener = [viewer](const std::string& helpFile) {
        if (viewer) viewer->open(helpFile);
    };
    shell.helpCloser = [viewer] {
        if (viewer) viewer->closeAll();
    };
    return viewer;
}

void styleHelpTourBox(QCheckBox* box) {
    box->setStyleSheet(
        "QCheckBox::indicator { width: 24px; height: 24px; }"
        "QCheckBox::indicator:checked { image: url(:/images/smiley.png); }"
        "QCheckBox::indicator:unchecked { image: url(:/images/smiley_off.png); }");
    box->setCursor(Qt::PointingHandCursor);
}

}  // namespace zm
