#include "qt/shell/mainwindow.h"

#include <new>

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "qt/binding/lazypage.h"
#include "qt/help/helpviewer.h"
#include "qt/pages/pageviews.h"
#include "qt/shell/filewatch.h"
#include "qt/shell/guidewindows.h"
#include "qt/shell/pagemarks.h"
#include "qt/shell/pagescroll.h"
#include "qt/shell/restoredialog.h"
#include "qt/shell/style.h"
#include "qt/shell/undokeys.h"
#include "store/fileerror.h"

namespace zm {

MainWindow::MainWindow(MainForm& form, Dialogs& dialogs, QtShell& shell)
    : form_(form),
      dialogs_(dialogs),
      shell_(shell),
      // Every action of the user's: the line of the last undo goes first.
      runner_([this](const std::function<void()>& h) {
          run([this, &h] {
              form_.actionBegins();
              h();
          });
      }),
      out_(form),
      context_{runner_, out_} {
    initPictures();
    setObjectName("frmMain");
    setWindowTitle("ズメリ貯金Ｐｒｏ");
    shell_.setMainWindow(this);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);

    auto* bar = new QHBoxLayout;
    struct PageButton {
        Button& button;
        void (MainForm::*click)();
    };
    const PageButton pageButtons[] = {
        {form.cmdCyokin1, &MainForm::cmdCyokin1_Click},
        {form.cmdCyokin2, &MainForm::cmdCyokin2_Click},
        {form.cmdCyokin3, &MainForm::cmdCyokin3_Click},
        {form.cmdCyokin4, &MainForm::cmdCyokin4_Click},
        {form.cmdCyokin5, &MainForm::cmdCyokin5_Click},
        {form.cmdMaster, &MainForm::cmdMaster_Click},
        {form.cmdData_Sort, &MainForm::cmdData_Sort_Click},
        {form.cmdDay, &MainForm::cmdDay_Click},
        {form.cmdMonth, &MainForm::cmdMonth_Click},
    };
    int key = Qt::Key_1;
    std::vector<QAbstractButton*> pageButtonWidgets;
    for (const PageButton& pb : pageButtons) {
        auto* b = new QPushButton;
        pageButtonWidgets.push_back(b);
        b->setMinimumSize(84, 34);
        bindButton(pb.button, b, runner_, [&form, click = pb.click] { (form.*click)(); });
        bar->addWidget(b);
        // Ctrl+1 .. Ctrl+9, as the buttons' tooltips say.
        connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(key++)), this),
                &QShortcut::activated, b, &QPushButton::click);
    }
    bar->addStretch();
    auto* chk = new QCheckBox;
    chk->setAccessibleName("ヘルプツアー");
    styleHelpTourBox(chk);
    bindCheckBox(form.chkHelp, chk, runner_, [&form] { form.chkHelp_Click(); });
    bar->addWidget(chk);
    for (auto [button, click] : {std::pair{&form.cmdUndo, &MainForm::cmdUndo_Click},
                                 std::pair{&form.cmdRedo, &MainForm::cmdRedo_Click}}) {
        auto* b = new QPushButton;
        bindButton(*button, b, runner_, [&form, click = click] { (form.*click)(); });
        bar->addWidget(b);
    }
    auto* help = new QPushButton;
    bindButton(form.cmdHelp, help, runner_, [&form] { form.cmdHelp_Click(); });
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, help,
            &QPushButton::click);
    bar->addWidget(help);
    auto* end = new QPushButton;
    bindButton(form.cmdEnd, end, runner_, [&form] { form.cmdEnd_Click(); });
    bar->addWidget(end);
    layout->addLayout(bar);

    pages_ = new QGridLayout;
    layout->addLayout(pages_, 1);
    addPage(makeStepPageView(form.every, context_));
    addPage(makeSmallChangePageView(form.kozeni, context_));
    for (ThemePage& theme : form.themes) addPage(makeThemePageView(theme, context_));
    addPage(makeGoalsPageView(
        form.goals, form.fraMokuhyo, context_, [&form] { form.cmdNewStart_Click(); },
        [this, &form] { openRestoreDialog(form, runner_, this); }));
    addPage(makeAnalysisPageView(form.analysis, form.fraDataSort, context_));
    addPage(makeDayHistoryView(form, context_));
    addPage(makeMonthHistoryView(form, context_));

    // Larger text or a smaller screen than the pages need: the window fits
    // the screen and the pages scroll instead of being cut off.
    setCentralWidget(new PageScroll(central, [this] {
        // The frame is known once the window is on screen; none before.
        const QSize frame = frameGeometry().size() - geometry().size();
        return frame + QSize(0, statusBar()->sizeHint().height());
    }));
    body_ = central;
    // What the last undo or redo did, until the next action: the window's
    // status line, where a desktop program says such things.
    auto* undone = new QLabel;
    setTextStyle(undone, points::kText, false, scheme().note);
    const QMargins margins = layout->contentsMargins();
    undone->setContentsMargins(margins.left(), 0, 0, 0);
    // As high empty as with its Japanese text, so that the pages keep their size.
    undone->setText(QStringLiteral("元に戻しました"));
    undone->setMinimumHeight(undone->sizeHint().height());
    // The line takes the place of the margin below the pages.
    layout->setContentsMargins(margins.left(), margins.top(), margins.right(), 0);
    bindLabel(form.lblUndo, undone);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(undone, 1);
    // The pages not on screen are made once the window is first painted, in
    // the moments before the user can click.
    central->installEventFilter(this);
    fitScreen(QSize(1180, 720));
    installGuideWindows(shell_, this, context_);
    installHelpViewer(shell_, this, dialogs_, form.dataFolder());
    std::vector<std::pair<QAbstractButton*, QWidget*>> marked;
    for (int i = 0; i < pages_->count(); ++i) {
        marked.emplace_back(pageButtonWidgets[static_cast<std::size_t>(i)],
                            pages_->itemAt(i)->widget());
    }
    new PageMarks(std::move(marked), this);
    new UndoKeys(
        this, [this, &form] { runner_([&form] { form.cmdUndo_Click(); }); },
        [this, &form] { runner_([&form] { form.cmdRedo_Click(); }); });
    new FileWatch(
        form.dataFolder().dir(), [&form] { return form.dataFilePaths(); },
        [this, &form] {
            if (running_ > 0) return false;
            run([&form] { form.followFiles(); });
            return true;
        },
        this);
}

MainWindow::~MainWindow() = default;

void MainWindow::addPage(QWidget* page) {
    pages_->addWidget(page, 0, 0);
    unfilled_.push_back(page);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && watched == body_) {
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, &MainWindow::fillNextPage);
    }
    return QMainWindow::eventFilter(watched, event);
}

// The window's usual size, or the screen's room when that is less.
void MainWindow::fitScreen(QSize usual) {
    if (const QScreen* s = screen()) {
        usual = usual.boundedTo(s->availableGeometry().size());
    }
    resize(usual);
}

void MainWindow::fillNextPage() {
    while (!unfilled_.empty()) {
        QWidget* page = unfilled_.front();
        unfilled_.erase(unfilled_.begin());
        if (fillPage(page)) break;
    }
    if (!unfilled_.empty()) QTimer::singleShot(0, this, &MainWindow::fillNextPage);
}

void MainWindow::run(const std::function<void()>& handler) {
    if (shell_.ended()) return;
    std::string problem;
    ++running_;
    const struct Done {
        int& running;
        ~Done() { --running; }
    } done{running_};
    try {
        try {
            handler();
        } catch (const OutsideChange& e) {
            // Nothing was written: every page shows the file as it is now.
            form_.followOutsideChange(e.file());
        }
        return;
    } catch (const FileError& e) {
        problem = std::string("データファイルを読み書きできませんでした。\r\n\r\n") + e.what();
    } catch (const std::bad_alloc&) {
        problem = "メモリが足りなくなったため、処理を続けられませんでした。";
    } catch (const std::exception& e) {
        problem = std::string("処理を続けられませんでした。\r\n\r\n") + e.what();
    }
    dialogs_.msgBox(problem + "\r\n\r\nデータを守るため、プログラムを終了します。",
                    "ズメリ貯金Ｐｒｏ", Icon::Critical, Buttons::Ok);
    shell_.fail();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    shell_.endProgram();
    event->accept();
}

}  // namespace zm
