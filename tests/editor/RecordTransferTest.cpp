#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/RecordTransfer.h"
#include "views/UndoHistory.h"

namespace kv {
namespace {

// A folder with one record per description; an empty description gives an empty record.
Folder MakeFolder(const std::vector<std::string>& descriptions) {
    Folder folder;
    for (const std::string& description : descriptions) {
        Record record;
        record.fields[kDescription] = description;
        folder.records.write().push_back(record);
    }
    return folder;
}

std::vector<std::string> Descriptions(const Folder& folder) {
    std::vector<std::string> descriptions;
    for (const Record& record : folder.records) descriptions.push_back(record.fields[kDescription]);
    return descriptions;
}

using Texts = std::vector<std::string>;

TEST(RecordTransferTest, NotesWithoutPlainTextCountAsEmpty) {
    Record record;
    record.dateAssigned = {2026, 1, 4, 1, 0, 0, 0, 0};
    record.formData.resize(1);
    EXPECT_TRUE(IsEntirelyEmpty(record));
    record.fields[kNotes] = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 \\par\n}";
    EXPECT_TRUE(IsEntirelyEmpty(record));
    record.fields[kNotes] = "{\\rtf1 call back}";
    EXPECT_FALSE(IsEntirelyEmpty(record));
    record.fields[kNotes].clear();
    record.fields[kUrl] = "example.com";
    EXPECT_FALSE(IsEntirelyEmpty(record));
}

TEST(RecordTransferTest, DeleteQuestions) {
    const Folder folder = MakeFolder({"Mail", "", "Bank"});
    EXPECT_EQ(DeleteQuestion(folder, {0}, "Mail"), "Are you sure you want to delete the information for Mail ?");
    EXPECT_EQ(DeleteQuestion(folder, {2, 0}, "Bank"),
              "Are you sure you want to delete the information for the selected items ?");
    EXPECT_EQ(DeleteQuestion(folder, {2}, ""), "Are you sure you want to delete the selected information?");
    EXPECT_EQ(DeleteUndoLabel(1), "delete record");
    EXPECT_EQ(DeleteUndoLabel(2), "delete records");
}

TEST(RecordTransferTest, ASingleEmptyRecordIsDeletedWithoutAQuestion) {
    Folder folder = MakeFolder({"Mail", ""});
    EXPECT_EQ(DeleteQuestion(folder, {1}, ""), std::nullopt);
    // Among several rows an empty record still asks.
    EXPECT_TRUE(DeleteQuestion(folder, {1, 0}, "").has_value());
    // A record with only a user name shows an empty first column but is not empty.
    folder.records.write()[1].fields[kUsername] = "bob";
    EXPECT_EQ(DeleteQuestion(folder, {1}, ""), "Are you sure you want to delete the selected information?");
}

TEST(RecordTransferTest, DeletingKeepsTheCurrentRowWhileItExists) {
    Folder folder = MakeFolder({"a", "b", "c", "d", "e"});
    EXPECT_EQ(DeleteRecords(folder, {3, 1}, 1), 1);
    EXPECT_EQ(Descriptions(folder), (Texts{"a", "c", "e"}));
    EXPECT_EQ(DeleteRecords(folder, {2}, 2), 1);
    EXPECT_EQ(Descriptions(folder), (Texts{"a", "c"}));
    EXPECT_EQ(DeleteRecords(folder, {0, 1, 0, 7}, 0), -1);
    EXPECT_TRUE(folder.records.empty());
}

TEST(RecordTransferTest, ADragStartsOnlyOnARecordWithContent) {
    const Folder folder = MakeFolder({"Mail", ""});
    EXPECT_TRUE(CanStartDrag(folder, 0));
    EXPECT_FALSE(CanStartDrag(folder, 1));
    EXPECT_FALSE(CanStartDrag(folder, 2));
    EXPECT_FALSE(CanStartDrag(folder, -1));
}

TEST(RecordTransferTest, CopiesFillTheTargetsEmptyLastRecordFirst) {
    Folder source = MakeFolder({"one", "two", "three", "four"});
    Folder target = MakeFolder({"old", ""});
    TransferRecords(source, {2, 0, 3}, target, false);
    EXPECT_EQ(Descriptions(target), (Texts{"old", "three", "one", "four"}));
    EXPECT_EQ(Descriptions(source), (Texts{"one", "two", "three", "four"}));
}

TEST(RecordTransferTest, ACopyIsTheWholeRecord) {
    Folder source = MakeFolder({"Mail"});
    Record& record = source.records.write()[0];
    record.fields[kNotes] = "note";
    record.dateAssigned = {2026, 3, 2, 10, 0, 0, 0, 0};
    record.dateExpires = {2026, 6, 1, 8, 0, 0, 0, 0};
    FormField field;
    field.name = "user";
    field.value = "bob";
    record.formData = {field};
    Folder target = MakeFolder({"Mail"});
    TransferRecords(source, {0}, target, false);
    ASSERT_EQ(target.records.size(), 2u);
    EXPECT_EQ(target.records[1], source.records[0]);
    // An identical record is added again: there is no duplicate check.
    TransferRecords(source, {0}, target, false);
    EXPECT_EQ(target.records.size(), 3u);
}

TEST(RecordTransferTest, MovingTakesExactlyTheSelectedRecordsOnce) {
    Folder source = MakeFolder({"a", "b", "c", "d"});
    Folder target = MakeFolder({"x"});
    TransferRecords(source, {3, 1, 3}, target, true);
    EXPECT_EQ(Descriptions(source), (Texts{"a", "c"}));
    EXPECT_EQ(Descriptions(target), (Texts{"x", "d", "b"}));
}

TEST(RecordTransferTest, OneUndoRestoresBothFoldersOfAMove) {
    std::vector<Folder> folders = {MakeFolder({"a", "b", "c"}), MakeFolder({""})};
    const std::vector<Folder> before = folders;
    UndoHistory history;
    history.PushUndo(kMoveRecordsLabel, false, folders, {});
    TransferRecords(folders[0], {0, 2}, folders[1], true);
    EXPECT_EQ(Descriptions(folders[0]), (Texts{"b"}));
    EXPECT_EQ(Descriptions(folders[1]), (Texts{"a", "c"}));
    const auto restored = history.Undo(folders);
    ASSERT_TRUE(restored.has_value());
    EXPECT_EQ(restored->label, "Move records");
    EXPECT_EQ(folders, before);
    EXPECT_EQ(std::string(kCopyRecordsLabel), "Copy records");
}

}  // namespace
}  // namespace kv
