// The About dialog (template 100): the program's name and version.
#pragma once

#include "uikit/Dialog.h"

namespace kv {

class CAboutDlg : public ui::Dialog {
public:
    CAboutDlg();

protected:
    bool OnInitDialog() override;
};

}  // namespace kv
