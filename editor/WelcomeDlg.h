// The "Welcome" dialog (template 219), shown on the first run before the
// first password file is made.
#pragma once

#include "uikit/Dialog.h"

namespace kv {

class CWelcomeDlg : public ui::Dialog {
public:
    CWelcomeDlg();

protected:
    bool OnInitDialog() override;
};

}  // namespace kv
