#pragma once

#include <qcustomplot.h>
#include <string>
#include <vector>

namespace zm {

// Ticks on whole numbers only: point positions, or yen. With labels, a tick
// shows its point's label.
class WholeTicker : public QCPAxisTicker {
public:
    explicit WholeTicker(bool yen, const std::vector<std::string>* labels = nullptr);

protected:
    double getTickStep(const QCPRange& range) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                         int precision) override;

private:
    bool yen_;
    const std::vector<std::string>* labels_;
};

}  // namespace zm
