#pragma once

#include "qt/bind.h"

class QWidget;

namespace zm {

class StepPage;

// One widget per page, bound to its page object.
QWidget* makeStepPageView(StepPage& page, const Runner& run);

}  // namespace zm
