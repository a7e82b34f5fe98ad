// The Report dialog driven through its real controls, its preview, and the
// report drawn on printer-sized device contexts.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>

#include "desktop/MessageBox.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "tests/support/FixedLocale.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/Records.h"
#include "tests/ui/support/UiHarness.h"
#include "transfer/ColumnNames.h"
#include "transfer/ui/PrintSetup.h"
#include "transfer/ui/ReportDlg.h"
#include "transfer/ui/ReportPreviewDlg.h"
#include "transfer/ui/ReportPrinter.h"
#include "views/GridColumns.h"

namespace kv {
namespace {

using namespace uitest;

constexpr char kCaption[] = "Report";
constexpr char kPreviewCaption[] = "Report preview";

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
HWND TreeOf(HWND dialog) { return GetDlgItem(dialog, IDC_REPORT_FOLDERS); }

HTREEITEM NextInPreOrder(HWND tree, HTREEITEM item) {
    if (HTREEITEM child = TreeView_GetChild(tree, item)) return child;
    for (HTREEITEM at = item; at != nullptr; at = TreeView_GetParent(tree, at)) {
        if (HTREEITEM sibling = TreeView_GetNextSibling(tree, at)) return sibling;
    }
    return nullptr;
}

std::string LabelOf(HWND tree, HTREEITEM item) {
    char text[260] = {};
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return text;
}

HTREEITEM ItemLabelled(HWND tree, const std::string& label) {
    for (HTREEITEM item = TreeView_GetRoot(tree); item != nullptr; item = NextInPreOrder(tree, item)) {
        if (LabelOf(tree, item) == label) return item;
    }
    return nullptr;
}

bool Ticked(HWND dialog, const std::string& label) {
    return TreeView_GetCheckState(TreeOf(dialog), ItemLabelled(TreeOf(dialog), label)) == 1;
}

// A click of the mouse on the check box of a folder, left of its label.
void ClickBox(HWND dialog, const std::string& label) {
    const HWND tree = TreeOf(dialog);
    RECT text{};
    TreeView_GetItemRect(tree, ItemLabelled(tree, label), &text, TRUE);
    const LPARAM at = MAKELPARAM(text.left - 8, (text.top + text.bottom) / 2);
    PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(tree, WM_LBUTTONUP, 0, at);
    Pump(200);
}

// The space bar on the selected folder.
void PressSpaceOn(HWND dialog, const std::string& label) {
    const HWND tree = TreeOf(dialog);
    TreeView_SelectItem(tree, ItemLabelled(tree, label));
    SendMessageA(tree, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(tree, WM_KEYUP, VK_SPACE, 0);
    Pump(200);
}

Record LongRecord(int n) {
    Record record = test::LoginRecord("Record " + std::to_string(n), "user" + std::to_string(n),
                                      "a long password that wraps onto a second line of its cell " +
                                          std::to_string(n));
    record.fields[kEmail] = "user" + std::to_string(n) + "@example.com";
    record.fields[kNotes] = "First line of notes\r\nSecond line of notes";
    return record;
}

class ReportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&controls);
    }

    ReportTest() {
        ResetColumnSets(settings_);
        ResetColumnNames(settings_);
        ResetCategoryNames(settings_);
        AddFolder("Web", 2, {test::LoginRecord("Mail", "ann", "p1"), test::LoginRecord("Shop", "ann", "p2")});
        AddFolder("Web~Mail", 2, {test::LoginRecord("Work mail", "ann", "p3")});
        AddFolder("Web~Mail~Old", 2, {test::LoginRecord("Old mail", "ann", "p4")});
        AddFolder("Bank", 3, {test::LoginRecord("Savings", "ann", "p5")});
        SetMessageScript([this](const std::string& text, UINT) {
            told_.push_back(text);
            return IDOK;
        });
    }
    ~ReportTest() override { SetMessageScript(nullptr); }

    void AddFolder(const std::string& path, Category category, std::vector<Record> records) {
        Folder folder;
        folder.path = path;
        folder.category = category;
        folder.records.write() = std::move(records);
        folders_.push_back(folder);
    }

    std::vector<FolderVisit> Tree() const {
        std::vector<FolderVisit> tree;
        for (std::size_t i = 0; i < folders_.size(); ++i) tree.push_back({static_cast<int>(i), folders_[i].path});
        return tree;
    }

    // Opens the dialog; `act` works in it, then Close ends it.
    void Run(const std::function<void(HWND)>& act) {
        CReportDlg dialog({folders_, Tree(), settings_, "Home.kv"}, storage_);
        DialogAnswerer answerer;
        answerer.Expect(kCaption, IDCANCEL, [&](HWND window) {
            act(window);
            sections_ = dialog.Sections();
            options_ = dialog.Options();
        });
        dialog.DoModal(nullptr);
        EXPECT_TRUE(answerer.AllAnswered());
    }

    std::vector<std::string> PrintedNames() const {
        std::vector<std::string> names;
        for (const ReportSection& section : sections_) names.push_back(section.name);
        return names;
    }

    ReportContent Content() { return {sections_, options_, names_, locale_}; }

    AppSettings settings_;
    std::vector<Folder> folders_;
    test::MemorySettings storage_;
    test::FixedLocale locale_;
    FieldNames names_ = CurrentFieldNames(AppSettings());
    std::vector<std::string> told_;
    std::vector<ReportSection> sections_;
    ReportOptions options_;
};

TEST_F(ReportTest, TheControlsStartAsTheyShould) {
    Run([](HWND dialog) {
        const HWND tree = TreeOf(dialog);
        EXPECT_EQ(TreeView_GetCount(tree), 4u);
        for (const char* label : {"Web", "Mail", "Old", "Bank"}) EXPECT_TRUE(Ticked(dialog, label)) << label;
        EXPECT_EQ(TreeView_GetSelection(tree), TreeView_GetRoot(tree));
        EXPECT_EQ(TreeView_GetParent(tree, ItemLabelled(tree, "Old")), ItemLabelled(tree, "Mail"));
        for (const int id : {IDC_REPORT_PASSWORDS, IDC_REPORT_WEB_ADDRESS, IDC_REPORT_EMAIL, IDC_REPORT_COMMENTS}) {
            EXPECT_FALSE(Checked(dialog, id)) << id;
        }
        EXPECT_EQ(ItemText(dialog, IDC_REPORT_HEADING), "Kelvandor - Home.kv");
        const HWND sizes = GetDlgItem(dialog, IDC_REPORT_FONT_SIZE);
        ASSERT_EQ(SendMessageA(sizes, CB_GETCOUNT, 0, 0), 7);
        char entry[8] = {};
        SendMessageA(sizes, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
        EXPECT_STREQ(entry, "6");
        SendMessageA(sizes, CB_GETLBTEXT, 6, reinterpret_cast<LPARAM>(entry));
        EXPECT_STREQ(entry, "12");
        EXPECT_EQ(ItemText(dialog, IDC_REPORT_FONT_SIZE), "8");
        EXPECT_FALSE(Checked(dialog, IDC_REPORT_EXPIRED_ONLY));
        EXPECT_FALSE(Checked(dialog, IDC_REPORT_BARS));
        EXPECT_TRUE(Checked(dialog, IDC_REPORT_PAGE_BREAK));
        EXPECT_EQ(ItemText(dialog, IDCANCEL), "Close");
        EXPECT_EQ(ItemText(dialog, IDC_REPORT_PRINT), "Print &report");
    });
    EXPECT_EQ(storage_.Text("ReportHeading"), "Kelvandor - Home.kv");
    ASSERT_EQ(PrintedNames(), (std::vector<std::string>{"Web", "Mail", "Old", "Bank"}));
    EXPECT_EQ(sections_[2].columns, GridColumns(settings_, 2));
    EXPECT_EQ(sections_[3].columns, GridColumns(settings_, 3));
}

TEST_F(ReportTest, TheOptionsAreStoredAsSoonAsTheyAreClickedAndShownNextTime) {
    Run([this](HWND dialog) {
        Click(dialog, IDC_REPORT_BARS);
        EXPECT_EQ(storage_.Number("ReportBars"), 1u);
        Click(dialog, IDC_REPORT_EXPIRED_ONLY);
        EXPECT_EQ(storage_.Number("ReportExpiredOnly"), 1u);
        Click(dialog, IDC_REPORT_PAGE_BREAK);
        EXPECT_EQ(storage_.Number("ReportPageBreak"), 0u);
    });
    EXPECT_TRUE(options_.bars);
    EXPECT_TRUE(options_.expiredOnly);
    EXPECT_FALSE(options_.pageBreakPerTopLevelFolder);
    storage_.values["ReportFontSize"] = std::uint32_t{11};
    Run([](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_REPORT_BARS));
        EXPECT_TRUE(Checked(dialog, IDC_REPORT_EXPIRED_ONLY));
        EXPECT_FALSE(Checked(dialog, IDC_REPORT_PAGE_BREAK));
        EXPECT_EQ(ItemText(dialog, IDC_REPORT_FONT_SIZE), "11");
    });
}

TEST_F(ReportTest, TheSizeIsKeptBetweenSixAndThirtyAndStoredWhenThePagesAreMade) {
    for (const auto& [typed, kept] : {std::pair<const char*, int>{"4", 6}, {"45", 30}, {"14", 14}}) {
        Run([&](HWND dialog) {
            SetItemText(dialog, IDC_REPORT_FONT_SIZE, typed);
            DialogAnswerer preview;
            preview.Expect(kPreviewCaption, IDCANCEL);
            Click(dialog, IDC_REPORT_PREVIEW);
            EXPECT_TRUE(preview.AllAnswered());
        });
        EXPECT_EQ(options_.fontSize, kept) << typed;
        EXPECT_EQ(static_cast<int>(storage_.Number("ReportFontSize")), kept) << typed;
    }
}

TEST_F(ReportTest, ClearingAFoldersBoxClearsEveryBoxBelowItAndTickingItAgainLeavesThemClear) {
    Run([](HWND dialog) {
        ClickBox(dialog, "Web");
        EXPECT_FALSE(Ticked(dialog, "Web"));
        EXPECT_FALSE(Ticked(dialog, "Mail"));
        EXPECT_FALSE(Ticked(dialog, "Old"));
        EXPECT_TRUE(Ticked(dialog, "Bank"));
        ClickBox(dialog, "Web");
        EXPECT_TRUE(Ticked(dialog, "Web"));
        EXPECT_FALSE(Ticked(dialog, "Mail"));
        EXPECT_FALSE(Ticked(dialog, "Old"));
    });
    EXPECT_EQ(PrintedNames(), (std::vector<std::string>{"Web", "Bank"}));
}

TEST_F(ReportTest, TheSpaceBarClearsAFolderAndItsSubfoldersToo) {
    Run([](HWND dialog) {
        PressSpaceOn(dialog, "Mail");
        EXPECT_TRUE(Ticked(dialog, "Web"));
        EXPECT_FALSE(Ticked(dialog, "Mail"));
        EXPECT_FALSE(Ticked(dialog, "Old"));
        EXPECT_TRUE(Ticked(dialog, "Bank"));
    });
    EXPECT_EQ(PrintedNames(), (std::vector<std::string>{"Web", "Bank"}));
}

TEST_F(ReportTest, SelectAllAndNoneSetEveryFolderAndEveryItemBox) {
    Run([](HWND dialog) {
        Click(dialog, IDC_REPORT_ITEMS_ALL);
        for (const int id : {IDC_REPORT_PASSWORDS, IDC_REPORT_WEB_ADDRESS, IDC_REPORT_EMAIL, IDC_REPORT_COMMENTS}) {
            EXPECT_TRUE(Checked(dialog, id)) << id;
        }
        Click(dialog, IDC_REPORT_FOLDERS_NONE);
        for (const char* label : {"Web", "Mail", "Old", "Bank"}) EXPECT_FALSE(Ticked(dialog, label)) << label;
        Click(dialog, IDC_REPORT_FOLDERS_ALL);
        for (const char* label : {"Web", "Mail", "Old", "Bank"}) EXPECT_TRUE(Ticked(dialog, label)) << label;
    });
    EXPECT_TRUE(options_.passwords && options_.webAddress && options_.email && options_.comments);
    Run([](HWND dialog) {
        Click(dialog, IDC_REPORT_ITEMS_ALL);
        Click(dialog, IDC_REPORT_ITEMS_NONE);
    });
    EXPECT_FALSE(options_.passwords || options_.webAddress || options_.email || options_.comments);
}

TEST_F(ReportTest, PrintingWithNoFolderTickedSaysSoAndShowsNoPrintDialog) {
    Run([](HWND dialog) {
        Click(dialog, IDC_REPORT_FOLDERS_NONE);
        Click(dialog, IDC_REPORT_PRINT);
    });
    EXPECT_EQ(told_, (std::vector<std::string>{"No folders are selected."}));
}

TEST_F(ReportTest, PrintingWithoutAnyPrinterSaysSoInTheProgramsOwnMessage) {
    if (AnyPrinterInstalled()) GTEST_SKIP() << "this machine has a printer";
    Run([](HWND dialog) { Click(dialog, IDC_REPORT_PRINT); });
    EXPECT_EQ(told_, (std::vector<std::string>{"No printer is installed."}));
}

TEST_F(ReportTest, ThePreviewTurnsThePagesAndSaysWhichPageItShows) {
    AddFolder("Many", 1, std::vector<Record>(150, test::LoginRecord("Row")));
    Run([](HWND) {});
    const ReportPaper paper = A4Paper(150);
    CReportPreviewDlg preview(Content(), paper);
    ASSERT_GE(preview.PageCount(), 3u);
    const std::string total = std::to_string(preview.PageCount());
    DialogAnswerer answerer;
    answerer.Expect(kPreviewCaption, IDCANCEL, [&](HWND window) {
        EXPECT_EQ(ItemText(window, IDC_PREVIEW_PAGE_NUMBER), "Page 1 of " + total);
        EXPECT_FALSE(Enabled(window, IDC_PREVIEW_PREVIOUS));
        EXPECT_TRUE(Enabled(window, IDC_PREVIEW_NEXT));
        Click(window, IDC_PREVIEW_NEXT);
        EXPECT_EQ(ItemText(window, IDC_PREVIEW_PAGE_NUMBER), "Page 2 of " + total);
        EXPECT_TRUE(Enabled(window, IDC_PREVIEW_PREVIOUS));
        for (std::size_t n = 2; n < preview.PageCount(); ++n) Click(window, IDC_PREVIEW_NEXT);
        EXPECT_EQ(ItemText(window, IDC_PREVIEW_PAGE_NUMBER), "Page " + total + " of " + total);
        EXPECT_FALSE(Enabled(window, IDC_PREVIEW_NEXT));
        Click(window, IDC_PREVIEW_PREVIOUS);
        EXPECT_EQ(preview.CurrentPage() + 2, preview.PageCount());
    });
    preview.DoModal(nullptr);
    EXPECT_TRUE(answerer.AllAnswered());
}

// A bitmap the size of a sheet of A4 paper at 150 dots per inch.
class PageBitmap {
public:
    PageBitmap() : paper_(A4Paper(150)), dc_(CreateCompatibleDC(nullptr)) {
        // 32 bits a pixel, top row first.
        header_.biSize = sizeof header_;
        header_.biWidth = paper_.width;
        header_.biHeight = -paper_.height;
        header_.biPlanes = 1;
        header_.biBitCount = 32;
        header_.biCompression = BI_RGB;
        BITMAPINFO info{};
        info.bmiHeader = header_;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~PageBitmap() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    PageBitmap(const PageBitmap&) = delete;
    PageBitmap& operator=(const PageBitmap&) = delete;

    HDC dc() const { return dc_; }
    const ReportPaper& paper() const { return paper_; }
    void Clear() const {
        GdiFlush();
        std::fill(bits_, bits_ + static_cast<std::size_t>(paper_.width) * paper_.height, 0x00FFFFFFu);
    }
    std::uint32_t Pixel(int x, int y) const { return bits_[static_cast<std::size_t>(y) * paper_.width + x] & 0xFFFFFFu; }

    // Writes the page as a 32-bit BMP file.
    void Save(const std::string& path) const {
        GdiFlush();
        const std::uint32_t size = static_cast<std::uint32_t>(paper_.width) * paper_.height * 4;
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
        file.bfSize = file.bfOffBits + size;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&header_), sizeof header_);
        out.write(reinterpret_cast<const char*>(bits_), size);
    }

private:
    ReportPaper paper_;
    BITMAPINFOHEADER header_{};
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    std::uint32_t* bits_ = nullptr;
};

// Draws the report's pages one after another into the bitmap; after each
// page `done` looks at it.
class BitmapCanvas : public GdiReportCanvas {
public:
    BitmapCanvas(const PageBitmap& page, std::function<void(int)> done)
        : GdiReportCanvas(page.dc(), page.paper().dotsPerInchY), page_(page), done_(std::move(done)) {}
    void StartPage() override { page_.Clear(); }
    void EndPage() override { done_(++pages_); }

private:
    const PageBitmap& page_;
    std::function<void(int)> done_;
    int pages_ = 0;
};

TEST_F(ReportTest, TheReportDrawnOnAnA4PageAt150DotsPerInchStaysInsideItsMargins) {
    std::vector<Record> records;
    for (int n = 1; n <= 60; ++n) records.push_back(LongRecord(n));
    AddFolder("Long", 1, records);
    Run([](HWND dialog) {
        Click(dialog, IDC_REPORT_ITEMS_ALL);
        Click(dialog, IDC_REPORT_BARS);
    });
    PageBitmap page;
    const ReportFrame frame = FrameOnDevice(page.paper());
    EXPECT_EQ(frame.left, 75);
    EXPECT_EQ(frame.top, 75);
    EXPECT_EQ(frame.right, page.paper().width - 75);
    EXPECT_EQ(frame.bottom, page.paper().height - 75);
    // KELVANDOR_REPORT_PAGES names a folder to keep the pages in, to look at them.
    const char* keep = std::getenv("KELVANDOR_REPORT_PAGES");
    int drawn = 0;
    BitmapCanvas canvas(page, [&](int number) {
        drawn = number;
        int inked = 0;
        int outside = 0;
        for (int y = 0; y < page.paper().height; ++y) {
            for (int x = 0; x < page.paper().width; ++x) {
                if (page.Pixel(x, y) == 0xFFFFFFu) continue;
                ++inked;
                if (x < frame.left || x >= frame.right || y < frame.top || y >= frame.bottom) ++outside;
            }
        }
        EXPECT_GT(inked, 1000) << "page " << number;
        EXPECT_EQ(outside, 0) << "page " << number;
        if (keep != nullptr) page.Save(std::string(keep) + "\\report-page-" + std::to_string(number) + ".bmp");
    });
    const std::vector<ReportPage> pages = LayOutForDevice(Content(), canvas, page.paper());
    ASSERT_GE(pages.size(), 3u);
    DrawReport(pages, canvas);
    EXPECT_EQ(drawn, static_cast<int>(pages.size()));
}

TEST_F(ReportTest, APrinterThatCannotStartTheDocumentIsReported) {
    Run([](HWND) {});
    PageBitmap page;
    const std::string failure = CReportPrinter(page.dc(), page.paper()).Print("Kelvandor", Content());
    EXPECT_EQ(failure.rfind("Unable to print the report: the printer did not start the document.", 0), 0u)
        << failure;
}

TEST_F(ReportTest, AReportWithoutAnyPageIsReportedRatherThanPrintedBlank) {
    folders_.clear();
    AddFolder("Empty", 1, {Record()});
    Run([](HWND) {});
    PageBitmap page;
    EXPECT_EQ(CReportPrinter(page.dc(), page.paper()).Print("Kelvandor", Content()),
              "The selected folders hold no records to print.");
}

}  // namespace
}  // namespace kv
