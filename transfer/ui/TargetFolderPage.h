// A page of the Import/Export sheet that imports into one folder: its tree
// with check boxes keeps at most one box ticked (a click on a box clears
// every box, then ticks the one clicked), and the ticked folder is the target.
#pragma once

#include <string>
#include <vector>

#include "transfer/ui/FolderCheckTree.h"
#include "transfer/ui/TransferContext.h"
#include "uikit/MessageMap.h"
#include "uikit/PropertySheet.h"

namespace kv {

class CTargetFolderPage : public ui::Mapped<CTargetFolderPage, ui::PropertyPage> {
public:
    CTargetFolderPage(UINT templateId, TransferContext& context);

    static const ui::MessageMap<CTargetFolderPage>& Messages();

protected:
    bool OnInitDialog() override;

    // The ticked folder; when there is none, says so and gives -1.
    int Target() const;
    // Reads the file an import chose; nothing (after a message) when that fails.
    std::optional<std::string> ReadFile(const std::string& path, const char* openFailed) {
        return ReadImportFile(context_, path, openFailed);
    }
    // Tells the context of an import that changed the folders.
    void Imported(const std::string& label, const std::vector<Folder>& before) const;

    TransferContext& context_;

private:
    LRESULT OnTreeClick(NMHDR& header);
    LRESULT OnTreeKey(NMHDR& header);
    LRESULT OnTickOnly(WPARAM, LPARAM);

    FolderCheckTree tree_;
};

}  // namespace kv
