#include "support/startedform.h"

namespace zm::test {

StartedForm::StartedForm(const StartSetup& setup) {
    w.putInstallation(setup.helpTour);
    for (const auto& [name, text] : setup.files) w.put(name, text);
    if (setup.load) form.Form_Load();
}

}  // namespace zm::test
