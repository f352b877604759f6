#include "qt/shell/guidedialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "qt/pages/pagepieces.h"

namespace zm {

namespace {

// In the order of Guide.
constexpr const char* kPictures[] = {":/images/guide1.png", ":/images/guide2.png",
                                     ":/images/guide3.png"};

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

}  // namespace

GuideDialog::GuideDialog(Guide which, QWidget* owner, const PageContext& context)
    : QDialog(owner), form_(which), body_(new QWidget(this)) {
    setObjectName(qs(form_.frm.name()));
    setWindowTitle(qs(form_.frm.caption()));
    form_.Form_Load();

    auto* picture = new QLabel;
    picture->setPixmap(QPixmap(kPictures[static_cast<int>(which)]));
    picture->setAccessibleName("ガイドの絵");
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(makePageTitle(form_.captions.front().c_str()), 1);

    auto* tables = new QVBoxLayout;
    for (GuideForm::Example& example : form_.examples) {
        LedgerView* view = makeLedger(*example.table, context);
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
        lines->addWidget(makeCaption(form_.captions[i].c_str()));
    }
    lines->addStretch();

    auto* middle = new QHBoxLayout;
    middle->addLayout(tables);
    middle->addSpacing(12);
    middle->addLayout(lines, 1);

    auto* modori = makeButton(form_.cmdModori, context, [this] { form_.cmdModori_Click(); });
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

GuideDialog::~GuideDialog() {
    // The widgets go first: they read the tables of form_.
    delete body_;
}

void GuideDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    modori_->setFocus();
}

}  // namespace zm
