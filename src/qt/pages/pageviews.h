#pragma once

#include <functional>

#include "qt/pages/pagecontext.h"
#include "ui/controls.h"

class QWidget;

namespace zm {

class AnalysisPage;
class GoalsPage;
class MainForm;
class SmallChangePage;
class StepPage;
class ThemePage;

// One widget per page, bound to its page object, filled when first shown.
QWidget* makeStepPageView(StepPage& page, const PageContext& context);
QWidget* makeSmallChangePageView(SmallChangePage& page, const PageContext& context);
// Any of the three theme pages.
QWidget* makeThemePageView(ThemePage& page, const PageContext& context);
// The goals page in `frame`; `onNewStart` is the main form's new start,
// `onRestore` opens the list of copies.
QWidget* makeGoalsPageView(GoalsPage& page, Frame& frame, const PageContext& context,
                           std::function<void()> onNewStart, std::function<void()> onRestore);
// The analysis page in `frame`.
QWidget* makeAnalysisPageView(AnalysisPage& page, Frame& frame, const PageContext& context);
// The history pages, whose handlers are the main form's.
QWidget* makeDayHistoryView(MainForm& form, const PageContext& context);
QWidget* makeMonthHistoryView(MainForm& form, const PageContext& context);

}  // namespace zm
