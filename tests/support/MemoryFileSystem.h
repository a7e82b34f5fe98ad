// An in-memory file system whose operations can be made to fail, for tests
// of how the file layer handles failures.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace kv::test {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::vector<unsigned char>> files;
    std::set<std::string> readOnly;  // files that may not be written
    std::set<std::string> locked;    // files another save is writing
    std::map<std::string, unsigned> links;  // names of files with hard links (default 1)

    // Failure injection: every operation that matches fails with `failureText`.
    bool failCreate = false;  // creating the temporary file or opening one in place
    bool failRead = false;
    bool failReplace = false;
    bool failFlush = false;
    std::size_t failWriteAfter = static_cast<std::size_t>(-1);  // bytes accepted before failing
    std::string failureText = "Injected failure";

    ReadResult ReadAll(const std::string& path, FileContents& contents) override;
    bool Inspect(const std::string& path, FileFacts& facts) override;
    std::unique_ptr<SaveLock> LockForSave(const std::string& target, bool& busy) override;
    std::unique_ptr<OutputFile> CreateBeside(const std::string& target, std::string& name) override;
    std::unique_ptr<OutputFile> Overwrite(const std::string& path) override;
    bool Replace(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool Exists(const std::string& path) override;
    std::string LastErrorText() override { return lastError_; }

    std::string Text(const std::string& path) const;

private:
    friend class MemoryOutputFile;
    std::unique_ptr<OutputFile> Open(const std::string& path);
    std::string lastError_;
};

}  // namespace kv::test
