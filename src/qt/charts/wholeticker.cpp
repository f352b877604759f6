#include "qt/charts/wholeticker.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

#include "qt/qtconvert.h"

namespace zm {

WholeTicker::WholeTicker(bool yen, const std::vector<std::string>* labels)
    : yen_(yen), labels_(labels) {}

double WholeTicker::getTickStep(const QCPRange& range) {
    return std::max(1.0, QCPAxisTicker::getTickStep(range));
}

QString WholeTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
    const auto whole = static_cast<qlonglong>(std::llround(tick));
    if (labels_ && whole >= 1 && whole <= static_cast<qlonglong>(labels_->size())) {
        return qs((*labels_)[static_cast<std::size_t>(whole - 1)]);
    }
    const QString digits = QLocale(QLocale::Japanese, QLocale::Japan).toString(std::abs(whole));
    if (!yen_) return (whole < 0 ? "-" : "") + digits;
    return (whole < 0 ? QStringLiteral("-¥") : QStringLiteral("¥")) + digits;
}

}  // namespace zm
