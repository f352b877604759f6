#pragma once

#include "qt/binding/bind.h"

namespace zm {

class DataExport;

// What every page view is built with: the runner of its handlers, which
// reports file failures, and the ways its tables, charts and report are
// written out.
struct PageContext {
    Runner run;
    DataExport& out;
};

}  // namespace zm
