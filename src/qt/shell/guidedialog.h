#pragma once

#include <QDialog>

#include "guide/guideform.h"
#include "qt/pages/pagecontext.h"

class QPushButton;

namespace zm {

// A guide window: the picture and heading on top, the example tables on the
// left, the explanation on the right and cmdModori at the bottom.
class GuideDialog : public QDialog {
public:
    GuideDialog(Guide which, QWidget* owner, const PageContext& context);
    ~GuideDialog() override;

protected:
    // Enter closes the window; the tables are there to be looked at.
    void showEvent(QShowEvent* event) override;

private:
    GuideForm form_;
    QWidget* body_;
    QPushButton* modori_ = nullptr;
};

}  // namespace zm
