#pragma once

#include "qt/bind.h"

class QWidget;

namespace zm {

class StepPage;
class SmallChangePage;

// One widget per page, bound to its page object.
QWidget* makeStepPageView(StepPage& page, const Runner& run);
QWidget* makeSmallChangePageView(SmallChangePage& page, const Runner& run);

}  // namespace zm
