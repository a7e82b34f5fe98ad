#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "db/CowVector.h"
#include "db/Record.h"

namespace kv {
namespace {

using Strings = std::vector<std::string>;

Strings Contents(const CowVector<std::string>& items) { return Strings(items.begin(), items.end()); }

CowVector<std::string> Make(const Strings& items) {
    CowVector<std::string> made;
    made.write() = items;
    return made;
}

TEST(CowVectorTest, ReadsWhatWasWritten) {
    const CowVector<std::string> none;
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.size(), 0u);
    EXPECT_EQ(none.begin(), none.end());
    EXPECT_TRUE(none.read().empty());

    const CowVector<std::string> items = Make({"a", "b", "c"});
    EXPECT_FALSE(items.empty());
    EXPECT_EQ(items.size(), 3u);
    EXPECT_EQ(items[1], "b");
    EXPECT_EQ(items.front(), "a");
    EXPECT_EQ(items.back(), "c");
    EXPECT_EQ(items.read(), (Strings{"a", "b", "c"}));
    EXPECT_EQ(Contents(items), (Strings{"a", "b", "c"}));
}

TEST(CowVectorTest, ChangesThroughACopyAreNotSeenByTheOriginal) {
    CowVector<std::string> original = Make({"a", "b"});
    CowVector<std::string> copy = original;
    copy.write()[0] = "changed";
    copy.write().push_back("added");
    EXPECT_EQ(Contents(original), (Strings{"a", "b"}));
    EXPECT_EQ(Contents(copy), (Strings{"changed", "b", "added"}));
}

TEST(CowVectorTest, ChangesToTheOriginalAreNotSeenByACopy) {
    CowVector<std::string> original = Make({"a", "b"});
    CowVector<std::string> copy;
    copy = original;
    original.write().clear();
    EXPECT_TRUE(original.empty());
    EXPECT_EQ(Contents(copy), (Strings{"a", "b"}));
}

TEST(CowVectorTest, ACopySharesTheStorageUntilWritten) {
    CowVector<std::string> original = Make({"a", "b"});
    const std::string* storage = original.read().data();
    CowVector<std::string> copy = original;
    EXPECT_EQ(copy.read().data(), storage);
    // Reading through either one keeps the storage shared.
    EXPECT_EQ(copy[0], "a");
    EXPECT_EQ(copy.front(), "a");
    EXPECT_EQ(Contents(copy), Contents(original));
    EXPECT_EQ(copy.read().data(), storage);
    // The one written gets storage of its own; the other keeps the old one.
    copy.write();
    EXPECT_NE(copy.read().data(), storage);
    EXPECT_EQ(original.read().data(), storage);
}

TEST(CowVectorTest, WritingUnsharedStorageDoesNotCopyIt) {
    CowVector<std::string> items = Make({"a"});
    const std::string* storage = items.read().data();
    {
        const CowVector<std::string> copy = items;
        EXPECT_EQ(copy.read().data(), storage);
    }
    items.write()[0] = "b";
    EXPECT_EQ(items.read().data(), storage);
    EXPECT_EQ(items[0], "b");
}

TEST(CowVectorTest, EqualityComparesContents) {
    const CowVector<std::string> items = Make({"a", "b"});
    EXPECT_EQ(items, Make({"a", "b"}));
    EXPECT_EQ(items, CowVector<std::string>(items));
    EXPECT_NE(items, Make({"a", "c"}));
    EXPECT_NE(items, Make({"a"}));
    EXPECT_EQ(CowVector<std::string>(), Make({}));
}

TEST(CowVectorTest, CopiedFoldersShareRecordsUntilOneChanges) {
    Folder folder;
    folder.path = "Bank";
    folder.records.write().resize(2);
    folder.records.write()[0].fields[kPassword] = "old";
    const Record* storage = folder.records.read().data();

    Folder copy = folder;
    EXPECT_EQ(copy.records.read().data(), storage);
    EXPECT_EQ(copy, folder);

    copy.records.write()[0].fields[kPassword] = "new";
    EXPECT_EQ(folder.records[0].fields[kPassword], "old");
    EXPECT_EQ(copy.records[0].fields[kPassword], "new");
    EXPECT_EQ(folder.records.read().data(), storage);
    EXPECT_FALSE(copy == folder);
}

TEST(CowVectorTest, AMovedContainerTakesTheStorageAlong) {
    CowVector<std::string> items = Make({"a"});
    const std::string* storage = items.read().data();
    const CowVector<std::string> moved = std::move(items);
    EXPECT_EQ(moved.read().data(), storage);
    EXPECT_EQ(Contents(moved), (Strings{"a"}));
}

}  // namespace
}  // namespace kv
