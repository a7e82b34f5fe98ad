// The warning before records are copied or moved to a folder of another
// category (CCategoryWarningDlg, template 339).
#pragma once

#include "uikit/Dialog.h"

namespace kv {

class CCategoryWarningDlg : public ui::Dialog {
public:
    CCategoryWarningDlg();
    // Whether "Suppress this warning..." was ticked when OK was pressed.
    bool suppress() const { return suppress_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    bool suppress_ = false;
};

}  // namespace kv
