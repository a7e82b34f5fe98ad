// The Import/Export sheet opened from the editor's commands and driven
// through its real controls: the order lists, the one-box rule, the skip
// spin, exporting a real file and importing real files (one undo level).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/Locale.h"
#include "resources/resource.h"
#include "transfer/ColumnNames.h"
#include "transfer/CsvExport.h"
#include "tests/ui/support/EditorFixture.h"
#include "tests/ui/support/UiHarness.h"

namespace kv {
namespace {

using namespace uitest;

constexpr int kPassCardPage = 2;

std::vector<std::string> ListTexts(HWND page, int id) {
    std::vector<std::string> texts;
    HWND list = GetDlgItem(page, id);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0)), '\0');
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        texts.push_back(text);
    }
    return texts;
}

void SelectEntry(HWND page, int list, int index) {
    SendDlgItemMessageA(page, list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// A click of a button as the mouse gives it (a disabled button ignores it).
void Click(HWND page, int id) {
    SendDlgItemMessageA(page, id, BM_CLICK, 0, 0);
    Pump(20);
}

// The texts of a record's fields 0, 1 and 2 (description, user name, password).
std::vector<std::string> FirstFields(const Record& record) {
    return {record.fields[0], record.fields[1], record.fields[2]};
}

bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class TransferSheetTest : public EditorFixture {
protected:
    // Starts the editor on a file of these folders, each with one record
    // whose description is the folder's name.
    CEditorDlg& StartOn(const std::vector<std::string>& folders) {
        PasswordDatabase db;
        for (const std::string& path : folders) {
            const int index = AddFolder(db, path, 1);
            Record record;
            record.fields[0] = path;
            db.Folders[static_cast<std::size_t>(index)].records.write().push_back(record);
        }
        WriteDatabase(PathOf("Transfer.kv"), "", db);
        CEditorDlg& editor = StartEditorOn(PathOf("Transfer.kv"));
        editor.view().SetTransferChooser([this](HWND, const ui::FileDialogOptions& options, FileChoice) {
            asked_.push_back(options.title);
            return chosen_;
        });
        return editor;
    }

    // Runs `command`, drives the sheet's current page and closes the sheet;
    // the dialogs named in `then` (opened while driving) are answered with OK.
    void RunSheet(CEditorDlg& editor, int command, const std::function<void(HWND sheet, HWND page)>& drive,
                  const std::vector<std::string>& then = {}) {
        DialogAnswerer answerer;
        answerer.Expect("Import/Export", IDCANCEL, [&](HWND sheet) {
            sheet_ = sheet;
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, IDOK)));
            EXPECT_EQ(ItemText(sheet, IDCANCEL), "&Close");
            drive(sheet, reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)));
        });
        for (const std::string& caption : then) answerer.Expect(caption, IDOK);
        Command(editor, command);
        EXPECT_TRUE(answerer.AllAnswered());
    }

    static HWND ShowPage(HWND sheet, int index) {
        SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        Pump(20);
        return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    }

    // The tree item of the page's folder tree with this label.
    static HTREEITEM TreeItem(HWND page, const std::string& label) {
        HWND tree = GetDlgItem(page, IDC_TRANSFER_TREE);
        ui::TreeView view(tree);
        for (HTREEITEM item = view.Root(); item != nullptr; item = view.NextInPreOrder(item)) {
            if (view.ItemText(item) == label) return item;
        }
        return nullptr;
    }

    static bool Ticked(HWND page, const std::string& label) {
        const auto state = SendDlgItemMessageA(page, IDC_TRANSFER_TREE, TVM_GETITEMSTATE,
                                               reinterpret_cast<WPARAM>(TreeItem(page, label)), TVIS_STATEIMAGEMASK);
        return (static_cast<UINT>(state) & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
    }

    // A click of the mouse on the check box of a folder's tree item.
    static void ClickCheckBox(HWND page, const std::string& label) {
        HWND tree = GetDlgItem(page, IDC_TRANSFER_TREE);
        HTREEITEM item = TreeItem(page, label);
        const RECT rect = ui::TreeView(tree).ItemTextRect(item);
        ASSERT_LT(rect.left, rect.right);
        // The box stands just left of the item's text.
        POINT box{rect.left - 8, (rect.top + rect.bottom) / 2};
        TVHITTESTINFO hit{};
        hit.pt = box;
        SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        ASSERT_TRUE(hit.flags & TVHT_ONITEMSTATEICON);
        PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
        PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
        Pump(100);
    }

    const Folder& FolderNamed(const std::string& path) const {
        for (const Folder& folder : app_->Database.Folders) {
            if (folder.path == path) return folder;
        }
        ADD_FAILURE() << "no folder " << path;
        return app_->Database.Folders.front();
    }

    std::optional<std::string> chosen_;
    std::vector<std::string> asked_;
    HWND sheet_ = nullptr;
};

TEST_F(TransferSheetTest, ExportAndImportCommandsOpenTheirPages) {
    CEditorDlg& editor = StartOn({"Web"});
    RunSheet(editor, ID_EXPORT_BUTTON, [](HWND sheet, HWND page) {
        EXPECT_EQ(TextOf(sheet), "Import/Export");
        EXPECT_NE(GetDlgItem(page, IDC_EXPORT_HEADING), nullptr);
        TCITEMA tab{};
        char text[64] = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = text;
        tab.cchTextMax = sizeof text;
        HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
        std::vector<std::string> names;
        for (int i = 0; i < 3; ++i) {
            SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
            names.emplace_back(text);
        }
        EXPECT_EQ(names, (std::vector<std::string>{"Export", "Import", "Import RoboForm"}));
    });
    RunSheet(editor, ID_IMPORT, [](HWND, HWND page) { EXPECT_NE(GetDlgItem(page, IDC_ORDER_LIST), nullptr); });
    RunSheet(editor, ID_EXPORT, [](HWND, HWND page) { EXPECT_NE(GetDlgItem(page, IDC_EXPORT_UTF8), nullptr); });
    RunSheet(editor, ID_IMPORT_BUTTON, [](HWND, HWND page) { EXPECT_NE(GetDlgItem(page, IDC_SKIP_SPIN), nullptr); });
}

TEST_F(TransferSheetTest, OrderListButtonsMoveEntriesBetweenTheLists) {
    CEditorDlg& editor = StartOn({"Web"});
    RunSheet(editor, ID_IMPORT, [](HWND, HWND page) {
        const std::vector<std::string> all = ListTexts(page, IDC_ITEMS_LIST);
        ASSERT_EQ(all.size(), 15u);
        EXPECT_EQ(all[0], "Skip field");
        EXPECT_EQ(all[1], "Description");
        EXPECT_EQ(all[14], "Notes");
        EXPECT_TRUE(ListTexts(page, IDC_ORDER_LIST).empty());
        EXPECT_FALSE(Enabled(page, IDC_TRANSFER_FILE));

        SelectEntry(page, IDC_ITEMS_LIST, 3);  // Password
        Click(page, IDC_ORDER_ADD);
        EXPECT_TRUE(Enabled(page, IDC_TRANSFER_FILE));
        SelectEntry(page, IDC_ITEMS_LIST, 0);
        Click(page, IDC_ORDER_ADD);
        SelectEntry(page, IDC_ITEMS_LIST, 0);
        Click(page, IDC_ORDER_ADD);
        SelectEntry(page, IDC_ITEMS_LIST, 1);  // Description
        Click(page, IDC_ORDER_ADD);
        EXPECT_EQ(ListTexts(page, IDC_ORDER_LIST),
                  (std::vector<std::string>{"Password", "Skip field", "Skip field", "Description"}));
        // The added entry is selected there; a field left the items, "Skip field" stayed.
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_ORDER_LIST, LB_GETCURSEL, 0, 0), 3);
        EXPECT_EQ(ListTexts(page, IDC_ITEMS_LIST).size(), 13u);
        EXPECT_EQ(ListTexts(page, IDC_ITEMS_LIST)[0], "Skip field");

        Click(page, IDC_ORDER_DOWN);  // at the end: nothing
        Click(page, IDC_ORDER_UP);
        Click(page, IDC_ORDER_UP);
        Click(page, IDC_ORDER_UP);
        Click(page, IDC_ORDER_UP);  // at the top: nothing
        EXPECT_EQ(ListTexts(page, IDC_ORDER_LIST),
                  (std::vector<std::string>{"Description", "Password", "Skip field", "Skip field"}));
        Click(page, IDC_ORDER_DOWN);
        EXPECT_EQ(ListTexts(page, IDC_ORDER_LIST),
                  (std::vector<std::string>{"Password", "Description", "Skip field", "Skip field"}));

        // Back to the items in field order; "Skip field" is not put back twice.
        Click(page, IDC_ORDER_REMOVE);
        EXPECT_EQ(ListTexts(page, IDC_ITEMS_LIST)[1], "Description");
        SelectEntry(page, IDC_ORDER_LIST, 1);
        Click(page, IDC_ORDER_REMOVE);
        EXPECT_EQ(ListTexts(page, IDC_ORDER_LIST), (std::vector<std::string>{"Password", "Skip field"}));
        EXPECT_EQ(ListTexts(page, IDC_ITEMS_LIST).size(), 14u);
        SelectEntry(page, IDC_ORDER_LIST, 0);
        Click(page, IDC_ORDER_REMOVE);
        Click(page, IDC_ORDER_REMOVE);
        EXPECT_TRUE(ListTexts(page, IDC_ORDER_LIST).empty());
        EXPECT_EQ(ListTexts(page, IDC_ITEMS_LIST), all);
        EXPECT_FALSE(Enabled(page, IDC_TRANSFER_FILE));
    });
}

TEST_F(TransferSheetTest, SkipLinesEnablesADigitsOnlyCountWithASpinOfZeroToTen) {
    CEditorDlg& editor = StartOn({"Web"});
    RunSheet(editor, ID_IMPORT, [](HWND, HWND page) {
        EXPECT_FALSE(Enabled(page, IDC_SKIP_COUNT));
        Click(page, IDC_SKIP_LINES);
        EXPECT_TRUE(IsDlgButtonChecked(page, IDC_SKIP_LINES));
        EXPECT_TRUE(Enabled(page, IDC_SKIP_COUNT));
        EXPECT_TRUE(Enabled(page, IDC_SKIP_SPIN));
        EXPECT_EQ(ItemText(page, IDC_SKIP_COUNT), "0");
        HWND edit = GetDlgItem(page, IDC_SKIP_COUNT);
        SendMessageA(edit, WM_CHAR, 'x', 0);
        EXPECT_EQ(ItemText(page, IDC_SKIP_COUNT), "0");
        HWND spin = GetDlgItem(page, IDC_SKIP_SPIN);
        for (int i = 0; i < 12; ++i) {
            SendMessageA(edit, WM_KEYDOWN, VK_UP, 0);
            SendMessageA(edit, WM_KEYUP, VK_UP, 0);
        }
        EXPECT_EQ(ItemText(page, IDC_SKIP_COUNT), "10");
        int low = -1;
        int high = -1;
        SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 0);
        EXPECT_EQ(high, 10);
        Click(page, IDC_SKIP_LINES);
        EXPECT_FALSE(Enabled(page, IDC_SKIP_COUNT));
    });
}

TEST_F(TransferSheetTest, AClickOnABoxOfTheImportTreeLeavesOnlyThatBoxTicked) {
    CEditorDlg& editor = StartOn({"Web", "Bank", "Bank~Cards"});
    RunSheet(editor, ID_IMPORT, [](HWND sheet, HWND page) {
        EXPECT_FALSE(Ticked(page, "Web"));
        EXPECT_FALSE(Ticked(page, "Cards"));
        ClickCheckBox(page, "Web");
        EXPECT_TRUE(Ticked(page, "Web"));
        ClickCheckBox(page, "Cards");
        EXPECT_FALSE(Ticked(page, "Web"));
        EXPECT_TRUE(Ticked(page, "Cards"));
        EXPECT_FALSE(Ticked(page, "Bank"));
        // A second click on the ticked box keeps it the one ticked.
        ClickCheckBox(page, "Cards");
        EXPECT_TRUE(Ticked(page, "Cards"));
        // The space bar on the selected item is a click on its box.
        HWND tree = GetDlgItem(page, IDC_TRANSFER_TREE);
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(TreeItem(page, "Web")));
        PostMessageA(tree, WM_KEYDOWN, VK_SPACE, 1);
        PostMessageA(tree, WM_KEYUP, VK_SPACE, 0xC0000001);
        Pump(100);
        EXPECT_TRUE(Ticked(page, "Web"));
        EXPECT_FALSE(Ticked(page, "Cards"));

        HWND cards = ShowPage(sheet, kPassCardPage);
        ClickCheckBox(cards, "Web");
        ClickCheckBox(cards, "Bank");
        EXPECT_FALSE(Ticked(cards, "Web"));
        EXPECT_TRUE(Ticked(cards, "Bank"));
    });
    // On the export page every box is ticked and stays so when another is clicked.
    RunSheet(editor, ID_EXPORT, [](HWND, HWND page) {
        EXPECT_TRUE(Ticked(page, "Web"));
        EXPECT_TRUE(Ticked(page, "Cards"));
        ClickCheckBox(page, "Web");
        EXPECT_FALSE(Ticked(page, "Web"));
        EXPECT_TRUE(Ticked(page, "Bank"));
        Click(page, IDC_TREE_SELECT_NONE);
        EXPECT_FALSE(Ticked(page, "Bank"));
        Click(page, IDC_TREE_SELECT_ALL);
        EXPECT_TRUE(Ticked(page, "Web"));
    });
}

TEST_F(TransferSheetTest, ExportWritesTheChosenFoldersAndFieldsToTheFile) {
    CEditorDlg& editor = StartOn({"Web~Mail", "Web~News", "Bank"});
    app_->Settings.ColumnNames[0] = "Site";
    Record extra;
    extra.fields[0] = "Bank \"A\"";
    extra.fields[2] = "pa,ss\r\nword \xE9";
    app_->Database.Folders[2].records.write().push_back(extra);
    chosen_ = PathOf("out.csv");
    RunSheet(
        editor, ID_EXPORT,
        [](HWND, HWND page) {
            EXPECT_EQ(ItemText(page, IDC_FIELD_BOX_FIRST), "Site");
            EXPECT_EQ(ItemText(page, IDC_FIELD_BOX_FIRST + 13), "Notes");
            EXPECT_FALSE(IsDlgButtonChecked(page, IDC_EXPORT_FOLDER_NAMES));
            EXPECT_FALSE(IsDlgButtonChecked(page, IDC_EXPORT_HEADING));
            EXPECT_TRUE(IsDlgButtonChecked(page, IDC_FIELD_BOX_FIRST + 5));
            Click(page, IDC_FIELDS_SELECT_NONE);
            EXPECT_FALSE(IsDlgButtonChecked(page, IDC_FIELD_BOX_FIRST));
            Click(page, IDC_FIELD_BOX_FIRST);
            Click(page, IDC_FIELD_BOX_FIRST + 2);
            Click(page, IDC_EXPORT_FOLDER_NAMES);
            Click(page, IDC_EXPORT_HEADING);
            Click(page, IDC_EXPORT_UTF8);
            ClickCheckBox(page, "News");
            Click(page, IDC_TRANSFER_FILE);
        },
        {"Export"});
    EXPECT_EQ(asked_, (std::vector<std::string>{"Export password file"}));
    EXPECT_TRUE(shown_.empty());
    const std::string bytes = ReadAll(PathOf("out.csv"));
    ExportOptions options;
    options.folders = {2, 0};  // Bank before the subfolder Mail
    options.fields = {0, 2};
    options.folderNames = true;
    options.heading = true;
    options.utf8 = true;
    EXPECT_EQ(bytes, ExportCsv(app_->Database, options, CurrentFieldNames(app_->Settings), SystemLocale()));
    EXPECT_EQ(bytes.rfind("\xEF\xBB\xBF\"Folder\",\"Site\",\"Password\"\r\n", 0), 0u);
    EXPECT_NE(bytes.find("\"Web\\Mail\",\"Web~Mail\""), std::string::npos);
    EXPECT_NE(bytes.find("\"Bank \"\"A\"\"\",\"pa,ss\r\nword \xC3\xA9\""), std::string::npos);
    EXPECT_EQ(bytes.find("News"), std::string::npos);
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 2);
}

TEST_F(TransferSheetTest, AnExportThatCannotCreateItsFileSaysSoAndWritesNothing) {
    CEditorDlg& editor = StartOn({"Web"});
    chosen_ = PathOf("missing\\out.csv");
    RunSheet(editor, ID_EXPORT, [](HWND, HWND page) { Click(page, IDC_TRANSFER_FILE); });
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text.rfind("Error: Could not open the file. ", 0), 0u) << shown_[0].text;
    EXPECT_NE(shown_[0].text.find(" File: " + PathOf("missing\\out.csv")), std::string::npos);
}

TEST_F(TransferSheetTest, AnExportOntoAFolderIsRefusedAndLeavesTheFolderAsItWas) {
    CEditorDlg& editor = StartOn({"Web"});
    std::filesystem::create_directory(PathOf("taken.csv"));
    chosen_ = PathOf("taken.csv");
    RunSheet(editor, ID_EXPORT, [](HWND, HWND page) { Click(page, IDC_TRANSFER_FILE); });
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, "Error: Could not open the file. The file is not a plain file (it is a folder, a pipe or a "
                              "device). File: " + PathOf("taken.csv"));
    EXPECT_TRUE(std::filesystem::is_directory(PathOf("taken.csv")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 2);
}

TEST_F(TransferSheetTest, ImportFromAHeadingFillsTheFolderAndOneUndoTakesItBack) {
    CEditorDlg& editor = StartOn({"Web", "Bank"});
    const Folder before = FolderNamed("Bank");
    ASSERT_TRUE(editor.view().tree().SelectPath("Bank"));
    Pump(50);
    HWND grid = editor.view().grid().hwnd();
    EXPECT_EQ(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0), 1);
    WriteText(PathOf("in.csv"), "Title,Login,Password,Extra,Date expires\r\nMail,alice,\"p,1\",x,5/17/2024\r\nShop,bob,p2,y,soon\r\n");
    chosen_ = PathOf("in.csv");
    RunSheet(editor, ID_IMPORT, [&](HWND, HWND page) {
        Click(page, IDC_ORDER_FROM_HEADING);
        EXPECT_EQ(ListTexts(page, IDC_ORDER_LIST),
                  (std::vector<std::string>{"Description", "Username", "Password", "Skip field", "Date expires"}));
        EXPECT_TRUE(IsDlgButtonChecked(page, IDC_SKIP_LINES));
        EXPECT_EQ(ItemText(page, IDC_SKIP_COUNT), "1");
        EXPECT_TRUE(Enabled(page, IDC_TRANSFER_FILE));
        // No folder ticked yet.
        Click(page, IDC_TRANSFER_FILE);
        ASSERT_EQ(shown_.size(), 1u);
        EXPECT_EQ(shown_[0].text, "You must select a folder to import to.");
        ClickCheckBox(page, "Bank");
        Click(page, IDC_TRANSFER_FILE);
    });
    ASSERT_EQ(shown_.size(), 2u);
    EXPECT_EQ(shown_[1].text.rfind("2 records were imported.", 0), 0u) << shown_[1].text;
    EXPECT_EQ(asked_, (std::vector<std::string>{"Import password file", "Import password file"}));
    const Folder& bank = FolderNamed("Bank");
    ASSERT_EQ(bank.records.size(), 3u);
    EXPECT_EQ(FirstFields(bank.records[1]), (std::vector<std::string>{"Mail", "alice", "p,1"}));
    EXPECT_EQ(FirstFields(bank.records[2]), (std::vector<std::string>{"Shop", "bob", "p2"}));
    // Dates are read as the user's locale writes them; text it cannot read stays text only.
    EXPECT_EQ(bank.records[1].dateExpires.wYear, 2024);
    EXPECT_EQ(bank.records[1].dateExpires.wMonth, 5);
    EXPECT_EQ(bank.records[1].dateExpires.wDay, 17);
    EXPECT_EQ(bank.records[2].fields[10], "soon");
    EXPECT_FALSE(IsDateSet(bank.records[2].dateExpires));
    EXPECT_EQ(FolderNamed("Web").records.size(), 1u);
    EXPECT_TRUE(app_->Database.Modified);
    EXPECT_EQ(app_->Undo.Count(), 1);
    // The grid shows the new records once the sheet has closed.
    EXPECT_EQ(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0), 3);

    Command(editor, ID_UNDO);
    EXPECT_EQ(FolderNamed("Bank"), before);
    EXPECT_EQ(app_->Undo.Count(), 0);
    EXPECT_EQ(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0), 1);
}

TEST_F(TransferSheetTest, PassCardsOfAnHtmlListBecomeRecordsOfTheTickedFolder) {
    CEditorDlg& editor = StartOn({"Web", "Cards"});
    WriteText(PathOf("cards.html"),
              "<html><title>RoboForm Passcards List</title><table>"
              "<tr><td class=caption>Mail &amp; more</td></tr><tr><td class=subcaption>mail.example.com</td></tr>"
              "<tr><td class=field>User ID$</td><td class=wordbreakfield>ali<WBR>ce</td></tr>"
              "<tr><td class=field>Password$</td><td class=wordbreakfield>s3cret</td></tr>"
              "</table></html>");
    chosen_ = PathOf("cards.html");
    RunSheet(editor, ID_IMPORT, [](HWND sheet, HWND) {
        HWND page = ShowPage(sheet, kPassCardPage);
        ClickCheckBox(page, "Cards");
        Click(page, IDC_TRANSFER_FILE);
    });
    EXPECT_EQ(asked_, (std::vector<std::string>{"Import RoboForm PassCards"}));
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].text, "1  RoboForm PassCards were imported.");
    const Folder& cards = FolderNamed("Cards");
    ASSERT_EQ(cards.records.size(), 2u);
    EXPECT_EQ(FirstFields(cards.records[1]), (std::vector<std::string>{"Mail & more", "alice", "s3cret"}));
    EXPECT_EQ(cards.records[1].fields[12], "mail.example.com");
    EXPECT_EQ(cards.records[1].formData.size(), 2u);
    EXPECT_EQ(app_->Undo.Count(), 1);
}

}  // namespace
}  // namespace kv
