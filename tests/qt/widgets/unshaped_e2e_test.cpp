#include <gtest/gtest.h>
#include <QFont>
#include <QImage>
#include <QPainter>

#include "qt/shell/style.h"

namespace zm::test {
namespace {

// The grids draw amounts, dates, times and positions without shaping them:
// in the program's font, at the grids' sizes, they must look as shaped text.
TEST(UnshapedCells, LookAsShapedTextInTheProgramsFont) {
    const auto draw = [](const QString& text, int points, bool shaped) {
        QImage image(400, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QFont font = programFont();
        font.setPointSize(points);
        if (!shaped) font.setStyleStrategy(QFont::PreferNoShaping);
        painter.setFont(font);
        painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
        return image;
    };
    for (const int points : {10, 11, 12, 14, 16}) {
        for (const char* text : {"-¥1,234,567,890", "¥0.5", "2026年03月05日", "2026年03月",
                                 "23:59:59", "32766", "0123456789"}) {
            const QString t = QString::fromUtf8(text);
            EXPECT_TRUE(draw(t, points, true) == draw(t, points, false)) << text << " " << points;
        }
    }
}

}  // namespace
}  // namespace zm::test
