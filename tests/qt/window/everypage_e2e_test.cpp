#include <qcustomplot.h>
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPalette>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unordered_map>

#include "qt/shell/style.h"
#include "window.h"

namespace zm::test {
namespace {

// The shipped sample, without the help tour.
void putSample(Window& win) {
    for (const auto& entry : std::filesystem::directory_iterator(ZUMERI_SAMPLE_DIR)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        win.w.dir.write(entry.path().filename().string(), bytes.str());
    }
    win.w.putInstallation();
}

// Each page on screen in turn, by its button, filled as the user sees it.
void forEveryPage(Window& win, const std::function<void(QWidget* page)>& check) {
    for (const auto& [button, frame] : kPages) {
        SCOPED_TRACE(frame);
        win.click(button);
        QApplication::processEvents();
        auto* page = win.find<QWidget>(frame);
        EXPECT_TRUE(page->isVisible());
        check(page);
    }
}

QPalette darkDesktop() {
    QPalette p(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
    const QColor text(0xee, 0xee, 0xec);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Active, role, text);
        p.setColor(QPalette::Inactive, role, text);
    }
    p.setColor(QPalette::Base, QColor(0x2d, 0x2d, 0x2d));
    p.setColor(QPalette::AlternateBase, QColor(0x3a, 0x3a, 0x3a));
    p.setColor(QPalette::Highlight, QColor(0x15, 0x53, 0x9e));
    p.setColor(QPalette::HighlightedText, Qt::white);
    return p;
}

// What is drawn behind a text of that colour: of the rectangle's pixels that
// are not the text's, the shade most of them show (a header's gradient
// counts as one shade).
QColor behind(const QImage& shot, const QRect& rect, const QColor& text) {
    struct Shade {
        int n = 0;
        long r = 0, g = 0, b = 0;
    };
    std::unordered_map<QRgb, Shade> shades;
    const QRect area = rect.intersected(shot.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (contrastRatio(c, text) < 1.5) continue;
            Shade& s = shades[qRgb(c.red() & 0xf0, c.green() & 0xf0, c.blue() & 0xf0)];
            ++s.n, s.r += c.red(), s.g += c.green(), s.b += c.blue();
        }
    }
    Shade most;
    for (const auto& [key, s] : shades) {
        if (s.n > most.n) most = s;
    }
    if (most.n == 0) return text;
    return QColor(int(most.r / most.n), int(most.g / most.n), int(most.b / most.n));
}

QColor brushOr(const QVariant& brush, const QColor& otherwise) {
    return brush.canConvert<QBrush>() && brush.value<QBrush>().style() != Qt::NoBrush
               ? brush.value<QBrush>().color()
               : otherwise;
}

// Every text of the page on screen, with its colour and the pixels behind it.
struct Text {
    std::string what;
    QColor colour;
    QRect rect;  // in the page's picture
};

void cellTexts(QTableView* view, QWidget* page, std::vector<Text>& out) {
    QAbstractItemModel* model = view->model();
    const QRect shown = view->viewport()->rect();
    for (int r = 0; r < model->rowCount(); ++r) {
        for (int c = 0; c < model->columnCount(); ++c) {
            const QModelIndex index = model->index(r, c);
            const QRect cell = view->visualRect(index);
            if (!cell.intersects(shown) || index.data().toString().isEmpty()) continue;
            const bool chosen = view->selectionModel()->isSelected(index);
            const QColor own = view->palette().color(chosen ? QPalette::HighlightedText
                                                            : QPalette::Text);
            out.push_back({index.data().toString().toStdString(),
                           chosen ? own : brushOr(index.data(Qt::ForegroundRole), own),
                           QRect(view->viewport()->mapTo(page, cell.topLeft()), cell.size())
                               .intersected(QRect(view->viewport()->mapTo(page, QPoint(0, 0)),
                                                  shown.size()))});
        }
    }
    QHeaderView* header = view->horizontalHeader();
    if (!header->isVisible()) return;
    for (int c = 0; c < model->columnCount(); ++c) {
        if (header->isSectionHidden(c)) continue;
        const QString text = model->headerData(c, Qt::Horizontal).toString();
        if (text.isEmpty()) continue;
        const QRect section(header->sectionViewportPosition(c), 0, header->sectionSize(c),
                            header->height());
        out.push_back({text.toStdString(),
                       brushOr(model->headerData(c, Qt::Horizontal, Qt::ForegroundRole),
                               header->palette().color(QPalette::ButtonText)),
                       QRect(header->viewport()->mapTo(page, section.topLeft()),
                             section.size().shrunkBy(QMargins(2, 2, 2, 2)))
                           .intersected(QRect(header->viewport()->mapTo(page, QPoint(0, 0)),
                                              header->viewport()->size()))});
    }
}

std::vector<Text> textsOf(QWidget* page) {
    std::vector<Text> out;
    auto at = [page](QWidget* w, const QRect& r) {
        return QRect(w->mapTo(page, r.topLeft()), r.size());
    };
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(page) || !w->isEnabled()) continue;
        const QColor own = w->palette().color(w->foregroundRole());
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
            out.push_back({label->text().toStdString(), own, at(w, label->contentsRect())});
        } else if (auto* button = qobject_cast<QAbstractButton*>(w);
                   button && !button->text().isEmpty()) {
            out.push_back({button->text().toStdString(), own, at(w, w->rect())});
        } else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && !edit->text().isEmpty()) {
            out.push_back({edit->text().toStdString(), w->palette().color(QPalette::Text),
                           at(w, w->rect().marginsRemoved(QMargins(3, 3, 3, 3)))});
        } else if (auto* box = qobject_cast<QGroupBox*>(w); box && !box->title().isEmpty()) {
            out.push_back({box->title().toStdString(), own,
                           at(w, QRect(8, 0, box->fontMetrics().horizontalAdvance(box->title()),
                                       box->fontMetrics().height()))});
        } else if (auto* view = qobject_cast<QTableView*>(w)) {
            cellTexts(view, page, out);
        }
    }
    return out;
}

// A chart's texts are drawn by the plot: its axes' and legend's colours
// against the plot's background.
void chartTexts(QWidget* page, std::vector<std::string>& faults) {
    for (QCustomPlot* plot : page->findChildren<QCustomPlot*>()) {
        const QImage drawn = plot->grab().toImage();
        const QColor back = behind(drawn, drawn.rect(), plot->legend->textColor());
        for (QCPAxis* axis : plot->axisRect()->axes()) {
            if (!axis->visible()) continue;
            for (const QColor& c : {axis->labelColor(), axis->tickLabelColor()}) {
                if (contrastRatio(c, back) < kLeastContrast) {
                    faults.push_back("axis " + axis->label().toStdString() + " " +
                                     c.name().toStdString() + " on " + back.name().toStdString());
                }
            }
        }
        if (contrastRatio(plot->legend->textColor(), back) < kLeastContrast) {
            faults.push_back("legend " + plot->legend->textColor().name().toStdString());
        }
    }
}

// Every text of every page keeps 4.5:1 against what is drawn behind it,
// under the light look and under a dark desktop.
TEST(EveryPage, EveryTextIsReadableInALightAndADarkScheme) {
    const QPalette light = QApplication::palette();
    for (const auto& [name, palette] : {std::pair{"light", light}, {"dark", darkDesktop()}}) {
        SCOPED_TRACE(name);
        QApplication::setPalette(palette);
        {
            Window win;
            putSample(win);
            win.start();
            win.window->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(win.window.get()));
            std::size_t checked = 0;
            forEveryPage(win, [&](QWidget* page) {
                const QImage shot = page->grab().toImage();
                std::vector<std::string> faults;
                const std::vector<Text> texts = textsOf(page);
                checked += texts.size();
                for (const Text& t : texts) {
                    // A cell scrolled almost out of view shows no text to read.
                    if (t.rect.width() < 8 || t.rect.height() < 8) continue;
                    const QColor back = behind(shot, t.rect, t.colour);
                    const double ratio = contrastRatio(t.colour, back);
                    if (ratio < kLeastContrast) {
                        faults.push_back(t.what + " " + t.colour.name().toStdString() + " on " +
                                         back.name().toStdString() + " at " +
                                         std::to_string(t.rect.x()) + "," +
                                         std::to_string(t.rect.y()) + " " +
                                         std::to_string(t.rect.width()) + "x" +
                                         std::to_string(t.rect.height()));
                    }
                }
                chartTexts(page, faults);
                for (const std::string& f : faults) ADD_FAILURE() << f;
            });
            EXPECT_GT(checked, 300u);
        }
        QApplication::setPalette(light);
    }
}

bool interactive(QAccessible::Role role) {
    switch (role) {
        case QAccessible::Button:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::EditableText:
        case QAccessible::SpinBox:
        case QAccessible::ComboBox:
        case QAccessible::Table:
        case QAccessible::List:
        case QAccessible::Tree:
        case QAccessible::Graphic:
        case QAccessible::Chart:
            return true;
        default:
            return false;
    }
}

// What a screen reader walks: every control that can be used has a name;
// sentences shown in pieces are read whole; the band counts are a table; a
// chart's description follows its data.
TEST(EveryPage, AScreenReaderNamesEveryControlAndReadsSentencesWhole) {
    Window win;
    putSample(win);
    win.start();
    win.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(win.window.get()));
    auto said = [](QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).toStdString();
    };
    std::size_t named = 0;
    forEveryPage(win, [&](QWidget* page) {
        std::size_t controls = 0;
        for (QWidget* w : page->findChildren<QWidget*>()) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            if (!w->isVisibleTo(page) || !a || a->state().invisible) continue;
            // Qt leaves a spin box's own line edit out of what a reader walks.
            if (w->objectName() == "qt_spinbox_lineedit") continue;
            // A chart is a control too: it zooms, drags and has a menu.
            const bool used = interactive(a->role()) || (w->focusPolicy() & Qt::TabFocus) ||
                              qobject_cast<QCustomPlot*>(w);
            if (!used) continue;
            ++controls;
            EXPECT_FALSE(a->text(QAccessible::Name).isEmpty())
                << w->metaObject()->className() << " " << w->objectName().toStdString();
        }
        EXPECT_GE(controls, 2u);
        named += controls;
    });
    EXPECT_GT(named, 50u);

    win.click("cmdCyokin1");
    const auto plan = win.find<QLabel>("lblCmnt1_0");
    EXPECT_EQ(said(plan), win.text("lblCmnt1_0") + win.text("lblEvery_Kingaku") +
                              win.text("lblCmnt1_1"));
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(win.find<QLabel>("lblEvery_Kingaku"))
                    ->state()
                    .invisible);
    for (QLabel* l : win.find<QWidget>("fraCyokin1")->findChildren<QLabel*>()) {
        if (l->text() == "合計") {
            EXPECT_EQ(said(l), "合計 " + win.text("lblEvery_zen"));
        }
    }
    auto* chart = win.find<QWidget>("mctEvery")->findChild<QCustomPlot*>();
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->accessibleDescription().toStdString(), "入金のグラフ：24回、合計 ¥406");
    win.w.dialogs.answer(Answer::Ok);  // the sample's hint to start afresh
    win.click("cmdEveryHozon");
    EXPECT_NE(win.text("lblEvery_zen"), "¥406");
    EXPECT_EQ(chart->accessibleDescription().toStdString(),
              "入金のグラフ：25回、合計 " + win.text("lblEvery_zen"));

    win.click("cmdData_Sort");
    QAccessibleInterface* bands =
        QAccessible::queryAccessibleInterface(win.find<QWidget>("bandTable"));
    ASSERT_EQ(bands->role(), QAccessible::Table);
    QAccessibleTableInterface* table = bands->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->columnCount(), 8);
    QAccessibleInterface* cell = table->cellAt(0, 0);
    ASSERT_NE(cell, nullptr);
    QAccessibleTableCellInterface* place = cell->tableCellInterface();
    ASSERT_NE(place, nullptr);
    ASSERT_EQ(place->columnHeaderCells().size(), 1);
    EXPECT_EQ(place->columnHeaderCells()[0]->text(QAccessible::Name).toStdString(), "1");
    EXPECT_EQ(place->rowHeaderCells()[0]->text(QAccessible::Name).toStdString(), "３６５歩");
    EXPECT_EQ(table->rowDescription(5).toStdString(), "合計");
}

}  // namespace
}  // namespace zm::test
