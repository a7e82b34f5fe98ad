// Which folders the report prints, in which order, with which columns.
#include <gtest/gtest.h>

#include "settings/AppSettings.h"
#include "settings/Settings.h"
#include "transfer/ReportSections.h"
#include "views/GridColumns.h"

namespace kv {
namespace {

class ReportSectionsTest : public ::testing::Test {
protected:
    ReportSectionsTest() {
        ResetColumnSets(settings);
        layout = [this](Category category) { return GridColumns(settings, category); };
    }

    void AddFolder(const std::string& path, Category category, bool ticked = true) {
        Folder folder;
        folder.path = path;
        folder.category = category;
        folders.push_back(folder);
        tree.push_back({{static_cast<int>(folders.size()) - 1, path}, ticked});
    }

    std::vector<std::string> Names(const std::vector<ReportSection>& sections) const {
        std::vector<std::string> names;
        for (const ReportSection& section : sections) names.push_back(section.name);
        return names;
    }

    AppSettings settings;
    CategoryLayout layout;
    std::vector<Folder> folders;
    std::vector<ReportTreeItem> tree;
};

TEST_F(ReportSectionsTest, TickedFoldersInTheTreesOrderByTheirOwnNames) {
    AddFolder("Web", 2);
    AddFolder("Web~Mail", 2);
    AddFolder("Web~Mail~Old", 2, false);
    AddFolder("Bank", 3);
    const auto sections = BuildReportSections(folders, tree, layout);
    EXPECT_EQ(Names(sections), (std::vector<std::string>{"Web", "Mail", "Bank"}));
    EXPECT_EQ(sections[1].folder, &folders[1]);
}

TEST_F(ReportSectionsTest, SubfoldersTakeTheirTopLevelFoldersGroupAndColumns) {
    AddFolder("Web", 2);
    AddFolder("Web~Bank account", 3);
    AddFolder("Bank", 3);
    const auto sections = BuildReportSections(folders, tree, layout);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].topLevel, sections[1].topLevel);
    EXPECT_NE(sections[1].topLevel, sections[2].topLevel);
    EXPECT_EQ(sections[1].columns, GridColumns(settings, 2));
    EXPECT_EQ(sections[2].columns, GridColumns(settings, 3));
    EXPECT_NE(GridColumns(settings, 2), GridColumns(settings, 3));
}

TEST_F(ReportSectionsTest, ACategoryOutsideOneToFourCountsAsOne) {
    AddFolder("Odd", 7);
    AddFolder("Odd~Child", 2);
    const auto sections = BuildReportSections(folders, tree, layout);
    ASSERT_EQ(sections.size(), 2u);
    EXPECT_EQ(sections[0].columns, GridColumns(settings, 1));
    EXPECT_EQ(sections[1].columns, GridColumns(settings, 1));
}

TEST_F(ReportSectionsTest, AnUntickedTopLevelFolderStillGovernsItsTickedSubfolders) {
    AddFolder("Soft", 4, false);
    AddFolder("Soft~Games", 1);
    const auto sections = BuildReportSections(folders, tree, layout);
    ASSERT_EQ(sections.size(), 1u);
    EXPECT_EQ(sections[0].columns, GridColumns(settings, 4));
}

TEST_F(ReportSectionsTest, ALevelWithoutAFolderPrintsNothingAndGovernsAsOne) {
    tree.push_back({{-1, "Gap"}, true});
    AddFolder("Gap~Inside", 3);
    const auto sections = BuildReportSections(folders, tree, layout);
    EXPECT_EQ(Names(sections), (std::vector<std::string>{"Inside"}));
    EXPECT_EQ(sections[0].columns, GridColumns(settings, 1));
}

}  // namespace
}  // namespace kv
