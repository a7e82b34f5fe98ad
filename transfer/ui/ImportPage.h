// The Import page of the Import/Export sheet (template 250): the target
// folder, the order of the file's columns built from the list of fields, the
// lines to skip, and "Import file..." that reads the file into the folder.
// "From file heading..." proposes the order from a file's first line.
#pragma once

#include <string>
#include <vector>

#include "transfer/ui/TargetFolderPage.h"
#include "uikit/Controls.h"

namespace kv {

class CImportPage : public ui::Mapped<CImportPage, CTargetFolderPage> {
public:
    explicit CImportPage(TransferContext& context);

    // Asks for the file name and reads it into the ticked folder.
    void ImportRecords();

    static const ui::MessageMap<CImportPage>& Messages();

protected:
    bool OnInitDialog() override;

private:
    void OnAdd();
    void OnRemove();
    void OnUp() { MoveSelection(-1); }
    void OnDown() { MoveSelection(1); }
    void OnSkipLines();
    void OnFromHeading();
    void MoveSelection(int step);
    // Puts a field back into the items list at its place in field order.
    void ReturnToItems(const std::string& text, int field);
    // Makes `order` the order list; the items list keeps the other fields.
    void SetOrder(const std::vector<int>& order);
    std::string NameOf(int field) const;
    // The file dialog of an import, offering the file whose heading gave the order.
    std::optional<std::string> ChooseFile() const;
    std::vector<int> Order() const;
    std::size_t SkipCount() const;
    void UpdateImportButton();

    ui::ListBox items_;
    ui::ListBox order_;
    // The file whose heading gave the order: the one offered for the import.
    std::string headingFile_;
};

}  // namespace kv
