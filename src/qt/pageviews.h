#pragma once

#include <functional>

#include "qt/bind.h"

class QWidget;

namespace zm {

class GoalsPage;
class SmallChangePage;
class StepPage;
class ThemePage;

// One widget per page, bound to its page object.
QWidget* makeStepPageView(StepPage& page, const Runner& run);
QWidget* makeSmallChangePageView(SmallChangePage& page, const Runner& run);
// Any of the three theme pages.
QWidget* makeThemePageView(ThemePage& page, const Runner& run);
// The goals page in `frame`; `onNewStart` is the main form's new start.
QWidget* makeGoalsPageView(GoalsPage& page, Frame& frame, const Runner& run,
                           std::function<void()> onNewStart);

}  // namespace zm
