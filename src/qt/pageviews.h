#pragma once

#include <functional>

#include "qt/bind.h"

class QWidget;

namespace zm {

class AnalysisPage;
class GoalsPage;
class MainForm;
class SmallChangePage;
class StepPage;
class ThemePage;

// One widget per page, bound to its page object.
QWidget* makeStepPageView(StepPage& page, const Runner& run);
QWidget* makeSmallChangePageView(SmallChangePage& page, const Runner& run);
// Any of the three theme pages.
QWidget* makeThemePageView(ThemePage& page, const Runner& run);
// The goals page in `frame`; `onNewStart` is the main form's new start,
// `onRestore` opens the list of copies.
QWidget* makeGoalsPageView(GoalsPage& page, Frame& frame, const Runner& run,
                           std::function<void()> onNewStart, std::function<void()> onRestore);
// The analysis page in `frame`.
QWidget* makeAnalysisPageView(AnalysisPage& page, Frame& frame, const Runner& run);
// The history pages, whose handlers are the main form's.
QWidget* makeDayHistoryView(MainForm& form, const Runner& run);
QWidget* makeMonthHistoryView(MainForm& form);

}  // namespace zm
