#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/ledgertable.h"
#include "ui/shell.h"

namespace zm {

// One of the three guide windows that explain a savings page while its ledger
// is empty: fixed captions, a picture, example tables and the one button
// cmdModori that closes it.
class GuideForm {
public:
    // A table with the heading shown above it (empty where there is none).
    struct Example {
        std::string heading;
        std::unique_ptr<LedgerTable> table;
    };

    explicit GuideForm(Guide which);

    Guide which() const { return which_; }

    // Named frmSub1..frmSub3, captioned with the window title; it turns
    // invisible when the window is closed.
    Frame frm;
    // The first caption is the window's heading, the others its lines.
    std::vector<std::string> captions;
    Button cmdModori;
    // frmSub1: msgEverySub; frmSub3: msgTemaSub1..msgTemaSub3; frmSub2: none.
    std::vector<Example> examples;

    // Fills the tables.
    void Form_Load();
    void cmdModori_Click();

    // The table of that name, or nullptr.
    LedgerTable* table(const std::string& name);

private:
    Guide which_;
};

}  // namespace zm
