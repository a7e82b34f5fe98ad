#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/FixedLocale.h"
#include "tests/support/Records.h"
#include "transfer/ReportLayout.h"

namespace kv {
namespace {

struct Drawn {
    std::string text;
    int x = 0;
    int y = 0;
    ReportFont font;
};

struct Page {
    std::vector<Drawn> texts;
    std::vector<std::pair<int, int>> bars;  // top, bottom
    int rules = 0;
};

// Every character 10 dots wide, every line 20 dots high.
class FakeCanvas : public ReportCanvas {
public:
    TextSize Measure(const ReportFont&, std::string_view text) const override {
        return {10 * static_cast<int>(text.size()), 20};
    }
    void StartPage() override { pages.emplace_back(); }
    void EndPage() override { ++ended; }
    void WriteText(const ReportFont& font, int x, int y, std::string_view text) override {
        pages.back().texts.push_back({std::string(text), x, y, font});
    }
    void DrawBar(int, int top, int, int bottom) override { pages.back().bars.emplace_back(top, bottom); }
    void DrawRule(int, int, int) override { ++pages.back().rules; }

    std::vector<Page> pages;
    int ended = 0;
};

class ReportLayoutTest : public ::testing::Test {
protected:
    ReportLayoutTest() { names = CurrentFieldNames(AppSettings()); }

    // A frame 600 dots wide and 400 high: 20 lines of 20 dots.
    void Print() {
        canvas = FakeCanvas();
        DrawReport(LayOutReport(sections, options, names, canvas, {0, 0, 600, 400}, locale), canvas);
    }

    ReportSection& AddSection(const std::string& name, int topLevel, std::vector<int> columns,
                              std::vector<Record> records) {
        folders.push_back(std::make_unique<Folder>());
        folders.back()->records.write() = std::move(records);
        sections.push_back({folders.back().get(), name, topLevel, std::move(columns)});
        return sections.back();
    }

    std::vector<std::string> TextsOf(std::size_t page) const {
        std::vector<std::string> texts;
        for (const Drawn& d : canvas.pages.at(page).texts) texts.push_back(d.text);
        return texts;
    }

    bool Printed(const std::string& text) const {
        for (std::size_t p = 0; p < canvas.pages.size(); ++p) {
            const auto texts = TextsOf(p);
            if (std::find(texts.begin(), texts.end(), text) != texts.end()) return true;
        }
        return false;
    }

    test::FixedLocale locale;
    FieldNames names;
    ReportOptions options;
    std::vector<std::unique_ptr<Folder>> folders;
    std::vector<ReportSection> sections;
    FakeCanvas canvas;
};

TEST_F(ReportLayoutTest, FontSizeLimits) {
    EXPECT_EQ(ClampReportFontSize(4), 6);
    EXPECT_EQ(ClampReportFontSize(5), 6);
    EXPECT_EQ(ClampReportFontSize(6), 6);
    EXPECT_EQ(ClampReportFontSize(12), 12);
    EXPECT_EQ(ClampReportFontSize(45), 30);
}

TEST_F(ReportLayoutTest, TheFrameLiesHalfAnInchInsideThePaper) {
    const ReportFrame frame = FrameOfPaper(5100, 6600, 600, 300);
    EXPECT_EQ(frame.left, 300);
    EXPECT_EQ(frame.top, 150);
    EXPECT_EQ(frame.right, 4800);
    EXPECT_EQ(frame.bottom, 6450);
}

TEST_F(ReportLayoutTest, HeaderHasTheDateTitleAndPageNOfN) {
    EXPECT_EQ(FormatReportDate({2026, 3, 0, 5, 0, 0, 0, 0}), "March 05, 2026");
    options.title = "Kelvandor - Secrets.kv";
    std::vector<Record> many(30, test::LoginRecord("r"));
    AddSection("Web", 1, {kDescription}, many);
    Print();
    ASSERT_GE(canvas.pages.size(), 2u);
    EXPECT_EQ(canvas.ended, static_cast<int>(canvas.pages.size()));
    const std::string total = std::to_string(canvas.pages.size());
    const Drawn& number = canvas.pages[1].texts[0];
    EXPECT_EQ(number.text, "Page 2 of " + total);
    EXPECT_EQ(number.x + 10 * static_cast<int>(number.text.size()), 600);
    EXPECT_EQ(canvas.pages[1].texts[1].text, "December 07, 2026");
    EXPECT_EQ(canvas.pages[1].texts[2].text, options.title);
    EXPECT_TRUE(canvas.pages[1].texts[2].font.italic);
    EXPECT_EQ(canvas.pages[1].rules, 1);
}

TEST_F(ReportLayoutTest, OnePageDrawnAloneIsThatPageAsTheWholeReportDrawsIt) {
    AddSection("Web", 1, {kDescription}, std::vector<Record>(30, test::LoginRecord("r")));
    Print();
    const std::vector<Page> whole = canvas.pages;
    ASSERT_GE(whole.size(), 2u);
    FakeCanvas one;
    DrawReportPage(LayOutReport(sections, options, names, one, {0, 0, 600, 400}, locale), 1, one);
    ASSERT_EQ(one.pages.size(), 1u);
    EXPECT_EQ(one.ended, 1);
    ASSERT_EQ(one.pages[0].texts.size(), whole[1].texts.size());
    for (std::size_t i = 0; i < whole[1].texts.size(); ++i) {
        EXPECT_EQ(one.pages[0].texts[i].text, whole[1].texts[i].text);
        EXPECT_EQ(one.pages[0].texts[i].y, whole[1].texts[i].y);
    }
    FakeCanvas beyond;
    DrawReportPage(LayOutReport(sections, options, names, beyond, {0, 0, 600, 400}, locale), whole.size(), beyond);
    EXPECT_TRUE(beyond.pages.empty());
}

TEST_F(ReportLayoutTest, LongCellsWrapOntoFurtherLinesOfTheirRowInsteadOfBeingCut) {
    const std::string password = "correct horse battery staple 0123456789ABCDEFGHIJ";
    AddSection("Web", 1, {kDescription, kPassword}, {test::LoginRecord("Mail", "", password)});
    options.passwords = true;
    Print();
    // Columns of 300 dots less one "X": 29 characters a line.
    std::string joined;
    for (const Drawn& d : canvas.pages[0].texts) {
        if (d.x == 300 && d.font.points == 8 && !d.font.bold) joined += d.text + "|";
        EXPECT_LE(d.x + 10 * static_cast<int>(d.text.size()), d.x == 300 ? 590 : 600) << d.text;
        EXPECT_EQ(d.text.find("..."), std::string::npos);
    }
    EXPECT_EQ(joined, "correct horse battery staple|0123456789ABCDEFGHIJ|");
}

TEST_F(ReportLayoutTest, ARowTallerThanThePageRestBreaksAcrossPages) {
    Record record;
    for (int i = 0; i < 40; ++i) record.fields[kDescription] += "line" + std::to_string(i) + "\r\n";
    AddSection("Web", 1, {kDescription}, {record});
    Print();
    ASSERT_GE(canvas.pages.size(), 3u);
    for (int i = 0; i < 40; ++i) EXPECT_TRUE(Printed("line" + std::to_string(i))) << i;
    for (const Page& page : canvas.pages) {
        for (const Drawn& d : page.texts) EXPECT_LE(d.y + 20, 400);
    }
    // The page that continues the row repeats the column headings.
    EXPECT_EQ(TextsOf(1)[3], "Description");
}

TEST_F(ReportLayoutTest, PageBreakPerTopLevelFolderCarriesThatGroupsHeadings) {
    options.pageBreakPerTopLevelFolder = true;
    AddSection("Internet", 1, {kDescription, kUsername}, {test::LoginRecord("a", "u")});
    AddSection("Mail", 1, {kDescription, kUsername}, {test::LoginRecord("b", "v")});
    AddSection("Banking", 2, {kDescription, kAccount}, {test::LoginRecord("c")});
    Print();
    ASSERT_EQ(canvas.pages.size(), 2u);
    const auto first = TextsOf(0);
    EXPECT_NE(std::find(first.begin(), first.end(), "Mail"), first.end());
    EXPECT_EQ(first[3], "Description");
    EXPECT_EQ(first[4], "Username");
    const auto second = TextsOf(1);
    EXPECT_EQ(second[4], "Account");
    EXPECT_EQ(second[5], "Banking");
}

TEST_F(ReportLayoutTest, APasswordOnlyLayoutPrintsOnlyWithPasswords) {
    AddSection("Secret", 1, {kPassword}, {test::LoginRecord("d", "", "pw")});
    Print();
    EXPECT_FALSE(Printed("Secret"));
    options.passwords = true;
    Print();
    EXPECT_TRUE(Printed("pw"));
}

TEST_F(ReportLayoutTest, ExpiredOnlySkipsRecordsWithoutAnExpiryDate) {
    Record expired = test::LoginRecord("old");
    expired.dateExpires = {2020, 1, 0, 1, 0, 0, 0, 0};
    AddSection("F", 1, {kDescription}, {test::LoginRecord("undated"), expired});
    options.expiredOnly = true;
    Print();
    EXPECT_TRUE(Printed("old"));
    EXPECT_FALSE(Printed("undated"));
}

TEST_F(ReportLayoutTest, AFolderEmptyInItsColumnsPrintsNothing) {
    AddSection("Quiet", 1, {kBank}, {test::LoginRecord("has only a description")});
    Print();
    EXPECT_FALSE(Printed("Quiet"));
    EXPECT_FALSE(Printed("Bank"));
}

TEST_F(ReportLayoutTest, TheEmailLineIsPrintedEvenWhenEmpty) {
    options.email = true;
    options.comments = true;
    Record record = test::LoginRecord("a");
    record.fields[kNotes] = "one\ttab\r\ntwo";
    AddSection("F", 1, {kDescription}, {record});
    Print();
    EXPECT_TRUE(Printed("Email: "));
    EXPECT_TRUE(Printed("one     tab"));
    EXPECT_TRUE(Printed("two"));
}

TEST_F(ReportLayoutTest, BarsAlternateFromTheFolderNameLine) {
    options.bars = true;
    AddSection("F", 1, {kDescription}, {test::LoginRecord("1"), test::LoginRecord("2"), test::LoginRecord("3")});
    Print();
    const Page& page = canvas.pages[0];
    // The name line, then the second record: two bars, each under its own line.
    ASSERT_EQ(page.bars.size(), 2u);
    const auto rowOf = [&](const std::string& text) {
        for (const Drawn& d : page.texts) {
            if (d.text == text) return d.y;
        }
        return -1;
    };
    EXPECT_EQ(page.bars[0], std::make_pair(rowOf("F") + 2, rowOf("F") + 18));
    EXPECT_EQ(page.bars[1], std::make_pair(rowOf("2") + 2, rowOf("2") + 18));
}

}  // namespace
}  // namespace kv
