#pragma once

#include "qt/bind.h"

class QWidget;

namespace zm {

class MainForm;
class SmallChangePage;
class StepPage;
class ThemePage;

// One widget per page, bound to its page object.
QWidget* makeStepPageView(StepPage& page, const Runner& run);
QWidget* makeSmallChangePageView(SmallChangePage& page, const Runner& run);
// Any of the three theme pages.
QWidget* makeThemePageView(ThemePage& page, const Runner& run);
// The history pages, whose handlers are the main form's.
QWidget* makeDayHistoryView(MainForm& form, const Runner& run);
QWidget* makeMonthHistoryView(MainForm& form);

}  // namespace zm
