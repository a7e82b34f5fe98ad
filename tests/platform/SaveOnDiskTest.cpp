// Saves over the system's real file system: planted names, links, read-only
// and odd files, two saves at once, and a failure at every step.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <sstream>
#include <thread>

#include "db/FileMessages.h"
#include "db/PasswordFile.h"
#include "platform/FileSystem.h"
#include "platform/Locale.h"
#include "tests/support/ScriptedFileUi.h"
#include "tests/support/TempFolder.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kv {
namespace {

namespace fs = std::filesystem;

// EIO on POSIX, ERROR_ACCESS_DENIED on Windows.
constexpr int kInjectedError = 5;

// Runs `action` before the steps it is given, and fails the chosen step.
class ScriptedFaults : public FileFaults {
public:
    std::function<int(FileStep, const std::string&)> action;
    int Before(FileStep step, const std::string& path) override { return action ? action(step, path) : 0; }
};

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

bool HasText(const std::vector<std::string>& messages, const std::string& text) {
    return messages.size() == 1 && messages[0].find(text) != std::string::npos;
}

class SaveOnDiskTest : public test::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        file_ = PathOf("Secrets.kv");
    }

    // Saves a database with one folder named `folder` to `path`.
    bool SaveFolder(FileSystem& files, const std::string& path, const std::string& folder,
                    test::ScriptedFileUi& told) {
        PasswordDatabase db;
        db.FilePath = path;
        db.FileLoaded = 1;
        AddFolder(db, folder, 1);
        CPasswordFile writer(db, told, files, SystemLocale());
        return writer.SaveFile(FoldersInArrayOrder(db));
    }
    bool SaveFolder(const std::string& path, const std::string& folder) {
        return SaveFolder(SystemFileSystem(), path, folder, ui);
    }

    // The name of the one folder in the file at `path`, or why it could not be read.
    std::string FolderIn(const std::string& path) {
        PasswordDatabase db;
        db.FilePath = path;
        test::ScriptedFileUi reading;
        CPasswordFile reader(db, reading, SystemFileSystem(), SystemLocale());
        if (!reader.LoadFile()) return reading.messages.empty() ? "(not read)" : reading.messages[0];
        return db.Folders.size() == 1 ? db.Folders[0].path : "(not one folder)";
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string file_;
    const std::string oldText_ = "the old file, which must survive every failed save";
    test::ScriptedFileUi ui;
};

TEST_F(SaveOnDiskTest, AFileAtTheOldFixedTemporaryNameIsLeftAlone) {
    WriteText(file_, oldText_);
    WriteText(file_ + ".saving", "someone else's file");
    fs::permissions(file_ + ".saving", fs::perms::owner_read);
    ASSERT_TRUE(SaveFolder(file_, "New"));
    EXPECT_EQ(FolderIn(file_), "New");
    EXPECT_EQ(ReadText(file_ + ".saving"), "someone else's file");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Secrets.kv", "Secrets.kv.saving"}));
    fs::permissions(file_ + ".saving", fs::perms::owner_all);
}

TEST_F(SaveOnDiskTest, ANamePlantedAtTheChosenTemporaryNameIsNeverOpened) {
    WriteText(file_, oldText_);
    ScriptedFaults faults;
    std::vector<std::string> planted;
    faults.action = [&](FileStep step, const std::string& path) {
        if (step == FileStep::Open && planted.size() < 2) {
            WriteText(path, "planted");
            planted.push_back(path);
        }
        return 0;
    };
    const std::unique_ptr<FileSystem> files = MakeSystemFileSystem(faults);
    ASSERT_TRUE(SaveFolder(*files, file_, "New", ui));
    ASSERT_EQ(planted.size(), 2u);
    EXPECT_NE(planted[0], planted[1]) << "each attempt takes a new name";
    EXPECT_EQ(fs::path(planted[0]).parent_path(), fs::path(file_).parent_path());
    EXPECT_EQ(ReadText(planted[0]), "planted");
    EXPECT_EQ(ReadText(planted[1]), "planted");
    EXPECT_EQ(FolderIn(file_), "New");
    EXPECT_EQ(Names().size(), 3u);
}

TEST_F(SaveOnDiskTest, ReadOnlyFileIsRefusedAndKept) {
    WriteText(file_, oldText_);
    fs::permissions(file_, fs::perms::owner_read | fs::perms::group_read);
    const fs::perms before = fs::status(file_).permissions();
    EXPECT_FALSE(SaveFolder(file_, "New"));
    EXPECT_TRUE(HasText(ui.messages, kReadOnlyText)) << (ui.messages.empty() ? "" : ui.messages[0]);
    EXPECT_EQ(ReadText(file_), oldText_);
    EXPECT_EQ(fs::status(file_).permissions(), before);
    EXPECT_EQ(Names(), std::vector<std::string>{"Secrets.kv"});
    fs::permissions(file_, fs::perms::owner_all);
}

TEST_F(SaveOnDiskTest, SecondSaveWhileTheFirstRunsIsRefused) {
    WriteText(file_, oldText_);
    ScriptedFaults faults;
    test::ScriptedFileUi secondUi;
    bool secondSaved = true;
    bool secondTried = false;
    faults.action = [&](FileStep step, const std::string&) {
        if (step == FileStep::Write && !secondTried) {
            secondTried = true;
            secondSaved = SaveFolder(file_, "Second");
            secondUi.messages = ui.messages;
            ui.messages.clear();
        }
        return 0;
    };
    const std::unique_ptr<FileSystem> files = MakeSystemFileSystem(faults);
    test::ScriptedFileUi firstUi;
    EXPECT_TRUE(SaveFolder(*files, file_, "First", firstUi));
    EXPECT_FALSE(secondSaved);
    EXPECT_TRUE(HasText(secondUi.messages, kSaveBusyText));
    EXPECT_TRUE(firstUi.messages.empty());
    EXPECT_EQ(FolderIn(file_), "First");
    EXPECT_EQ(Names(), std::vector<std::string>{"Secrets.kv"});
    // The lock went with the first save.
    EXPECT_TRUE(SaveFolder(file_, "Third"));
    EXPECT_EQ(FolderIn(file_), "Third");
}

TEST_F(SaveOnDiskTest, ALockFileLeftByAProgramThatEndedBlocksNothing) {
    WriteText(file_, oldText_);
    WriteText(file_ + ".lock", "");
    EXPECT_TRUE(SaveFolder(file_, "New"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(FolderIn(file_), "New");
}

TEST_F(SaveOnDiskTest, AHardLinkedFileStaysOneFile) {
    const std::string other = PathOf("Other name.kv");
    WriteText(file_, oldText_);
    fs::create_hard_link(file_, other);
    ASSERT_TRUE(SaveFolder(file_, "New"));
    EXPECT_EQ(FolderIn(other), "New") << "the other name still names the saved file";
    EXPECT_EQ(Names(), (std::vector<std::string>{"Other name.kv", "Secrets.kv"}));
}

class HardLinkFaultTest : public SaveOnDiskTest, public ::testing::WithParamInterface<FileStep> {};

TEST_P(HardLinkFaultTest, AFailedRewriteKeepsTheCompleteCopyAndNamesIt) {
    const std::string other = PathOf("Other name.kv");
    WriteText(file_, oldText_);
    fs::create_hard_link(file_, other);
    ScriptedFaults faults;
    faults.action = [&](FileStep step, const std::string& path) {
        return step == GetParam() && path == file_ ? kInjectedError : 0;
    };
    const std::unique_ptr<FileSystem> files = MakeSystemFileSystem(faults);
    EXPECT_FALSE(SaveFolder(*files, file_, "New", ui));
    if (GetParam() == FileStep::Open) {
        EXPECT_EQ(ReadText(other), oldText_);
    }
    const std::vector<std::string> names = Names();
    ASSERT_EQ(names.size(), 3u);
    const std::string copy = PathOf(names[2]);
    EXPECT_EQ(FolderIn(copy), "New");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind("Error: Error writing to file", 0), 0u);
    EXPECT_NE(ui.messages[0].find(std::string(kKeptCopyText) + copy), std::string::npos) << ui.messages[0];
}

INSTANTIATE_TEST_SUITE_P(EveryStepInPlace, HardLinkFaultTest,
                         ::testing::Values(FileStep::Open, FileStep::Write, FileStep::Sync, FileStep::Close));

// A failure at one step of a save: the old file stays, no other file is left,
// and the user is told.
struct FaultCase {
    FileStep step;
    int occurrence;  // which time the step is reached (1 = first)
    const char* shown;
};

void PrintTo(const FaultCase& fault, std::ostream* out) {
    *out << "step " << static_cast<int>(fault.step) << " #" << fault.occurrence;
}

class SaveFaultTest : public SaveOnDiskTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SaveFaultTest, OldFileStaysAndNothingIsLeft) {
    WriteText(file_, oldText_);
    ScriptedFaults faults;
    int reached = 0;
    bool injected = false;
    faults.action = [&](FileStep step, const std::string&) {
        if (step != GetParam().step || ++reached != GetParam().occurrence) return 0;
        injected = true;
        return kInjectedError;
    };
    const std::unique_ptr<FileSystem> files = MakeSystemFileSystem(faults);
    EXPECT_FALSE(SaveFolder(*files, file_, "New", ui));
    EXPECT_TRUE(injected);
    EXPECT_EQ(ReadText(file_), oldText_);
    EXPECT_EQ(Names(), std::vector<std::string>{"Secrets.kv"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind(std::string("Error: ") + GetParam().shown, 0), 0u) << ui.messages[0];
}

INSTANTIATE_TEST_SUITE_P(EveryStep, SaveFaultTest,
                         ::testing::Values(FaultCase{FileStep::Lock, 1, "Can't open the source file"},
                                           FaultCase{FileStep::Open, 1, "Can't open the source file"},
                                           FaultCase{FileStep::Write, 1, "Error writing to file"},
                                           FaultCase{FileStep::Sync, 1, "Error writing to file"},
                                           FaultCase{FileStep::Close, 1, "Error writing to file"},
                                           FaultCase{FileStep::Rename, 1, "Error writing to file"}));

#ifndef _WIN32

TEST_F(SaveOnDiskTest, APlantedTemporaryLinkDoesNotRedirectTheSave) {
    const std::string victim = PathOf("victim");
    WriteText(file_, oldText_);
    WriteText(victim, "another file of the user");
    fs::create_symlink(victim, file_ + ".saving");
    ASSERT_TRUE(SaveFolder(file_, "New"));
    EXPECT_EQ(ReadText(victim), "another file of the user");
    EXPECT_FALSE(fs::is_symlink(file_));
    EXPECT_EQ(FolderIn(file_), "New");
}

TEST_F(SaveOnDiskTest, ALinkPlantedAtTheChosenTemporaryNameIsNotFollowed) {
    const std::string victim = PathOf("victim");
    WriteText(file_, oldText_);
    WriteText(victim, "another file of the user");
    ScriptedFaults faults;
    faults.action = [&](FileStep step, const std::string& path) {
        if (step == FileStep::Open && !fs::is_symlink(PathOf("planted"))) {
            fs::create_symlink(victim, path);
            fs::create_symlink(path, PathOf("planted"));
        }
        return 0;
    };
    const std::unique_ptr<FileSystem> files = MakeSystemFileSystem(faults);
    ASSERT_TRUE(SaveFolder(*files, file_, "New", ui));
    EXPECT_EQ(ReadText(victim), "another file of the user");
    EXPECT_EQ(FolderIn(file_), "New");
}

TEST_F(SaveOnDiskTest, ASymbolicLinkSavesTheFileItNames) {
    fs::create_directories(dir_ / "real");
    const std::string real = PathOf("real/Secrets.kv");
    WriteText(real, oldText_);
    fs::create_symlink(real, file_);
    ASSERT_TRUE(SaveFolder(file_, "New"));
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(fs::read_symlink(file_), real);
    EXPECT_EQ(FolderIn(real), "New");
    std::vector<std::string> inReal;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_ / "real")) {
        inReal.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(inReal, std::vector<std::string>{"Secrets.kv"});
}

TEST_F(SaveOnDiskTest, TheModeOfTheOldFileIsKept) {
    WriteText(file_, oldText_);
    chmod(file_.c_str(), 0640);
    ASSERT_TRUE(SaveFolder(file_, "New"));
    struct stat info {};
    ASSERT_EQ(stat(file_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(SaveOnDiskTest, ANewFileIsForItsOwnerOnly) {
    ASSERT_TRUE(SaveFolder(file_, "New"));
    struct stat info {};
    ASSERT_EQ(stat(file_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST_F(SaveOnDiskTest, APipeIsRefusedForSavingAndReadingWithoutBlocking) {
    ASSERT_EQ(mkfifo(file_.c_str(), 0600), 0);
    EXPECT_FALSE(SaveFolder(file_, "New"));
    EXPECT_TRUE(HasText(ui.messages, kNotAFileText));
    EXPECT_TRUE(fs::is_fifo(file_));

    auto done = std::make_shared<std::promise<std::string>>();
    std::future<std::string> read = done->get_future();
    std::thread([this, done] { done->set_value(FolderIn(file_)); }).detach();
    if (read.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        ADD_FAILURE() << "reading the pipe blocked";
        close(open(file_.c_str(), O_WRONLY | O_NONBLOCK));  // lets the blocked reader go
    }
    EXPECT_NE(read.get().find(kNotAFileText), std::string::npos);
}

TEST_F(SaveOnDiskTest, ASaveOfAnotherProgramHoldsTheFileAndAnEndedOneDoesNot) {
    WriteText(file_, oldText_);
    int ready[2];
    int finish[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(finish), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        // Another program in the middle of a save; it ends without letting go.
        bool busy = false;
        const std::unique_ptr<SaveLock> lock = SystemFileSystem().LockForSave(file_, busy);
        char byte = lock ? 1 : 0;
        if (write(ready[1], &byte, 1) != 1 || read(finish[0], &byte, 1) != 1) _exit(2);
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 1);
    EXPECT_FALSE(SaveFolder(file_, "New"));
    EXPECT_TRUE(HasText(ui.messages, kSaveBusyText));
    EXPECT_EQ(ReadText(file_), oldText_);
    EXPECT_EQ(write(finish[1], &byte, 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(holder, &status, 0), holder);
    EXPECT_TRUE(fs::exists(file_ + ".lock")) << "the ended program left its lock file";
    ui.messages.clear();
    EXPECT_TRUE(SaveFolder(file_, "New"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(FolderIn(file_), "New");
    for (int fd : {ready[0], ready[1], finish[0], finish[1]}) close(fd);
}

TEST_F(SaveOnDiskTest, AFailedSyncOfTheFolderIsToldAlthoughTheFileWasReplaced) {
    WriteText(file_, oldText_);
    ScriptedFaults faults;
    faults.action = [&](FileStep step, const std::string& path) {
        return step == FileStep::Sync && fs::is_directory(path) ? kInjectedError : 0;
    };
    const std::unique_ptr<FileSystem> files = MakeSystemFileSystem(faults);
    EXPECT_FALSE(SaveFolder(*files, file_, "New", ui));
    EXPECT_TRUE(HasText(ui.messages, "Error writing to file"));
    EXPECT_EQ(Names(), std::vector<std::string>{"Secrets.kv"});
}

#endif

}  // namespace
}  // namespace kv
