// The Import RoboForm page of the Import/Export sheet (template 106): the
// target folder and "Import..." that reads an HTML list of PassCards into it.
#pragma once

#include "transfer/ui/TargetFolderPage.h"

namespace kv {

class CPassCardPage : public ui::Mapped<CPassCardPage, CTargetFolderPage> {
public:
    explicit CPassCardPage(TransferContext& context);

    // Asks for the file and imports its PassCards into the ticked folder.
    void ImportPassCards();

    static const ui::MessageMap<CPassCardPage>& Messages();
};

}  // namespace kv
