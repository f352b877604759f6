#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/mainform.h"
#include "support/world.h"

namespace zm::test {

// What the data folder holds when the program starts, besides the files of
// the installation.
struct StartSetup {
    // File names and their UTF-8 text, put after the installation's files
    // and so in place of any of them.
    std::vector<std::pair<std::string_view, std::string>> files = {};
    int helpTour = 0;
    // False for a test that acts before start-up, or sees it refused: it
    // calls form.Form_Load() itself.
    bool load = true;
};

// The program started over a fresh World, as the tests of the logic drive
// it: `auto& [w, form] = started;`.
struct StartedForm {
    explicit StartedForm(const StartSetup& setup = {});

    World w;
    MainForm form{w.services()};
};

}  // namespace zm::test
