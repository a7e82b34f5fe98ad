#include "tests/support/MemoryFileSystem.h"

namespace kv::test {

class MemoryOutputFile : public OutputFile {
public:
    MemoryOutputFile(MemoryFileSystem& owner, std::string path) : owner_(owner), path_(std::move(path)) {}

    bool Write(const void* data, std::size_t size) override {
        std::vector<unsigned char>& file = owner_.files[path_];
        const auto* bytes = static_cast<const unsigned char*>(data);
        const std::size_t room =
            owner_.failWriteAfter > file.size() ? owner_.failWriteAfter - file.size() : 0;
        const std::size_t accepted = size < room ? size : room;
        file.insert(file.end(), bytes, bytes + accepted);
        if (accepted < size) owner_.lastError_ = owner_.failureText;
        return accepted == size;
    }

    bool FlushAndClose() override {
        if (owner_.failFlush) owner_.lastError_ = owner_.failureText;
        return !owner_.failFlush;
    }

private:
    MemoryFileSystem& owner_;
    std::string path_;
};

ReadResult MemoryFileSystem::ReadAll(const std::string& path, FileContents& contents) {
    contents.clear();
    const auto found = files.find(path);
    if (found == files.end()) {
        lastError_ = "The system cannot find the file specified.\r\n";
        return ReadResult::OpenFailed;
    }
    if (failRead) {
        lastError_ = failureText;
        return ReadResult::ReadFailed;
    }
    contents.assign(found->second.begin(), found->second.end());
    return ReadResult::Read;
}

class MemorySaveLock : public SaveLock {
public:
    MemorySaveLock(std::set<std::string>& locked, std::string path) : locked_(locked), path_(std::move(path)) {
        locked_.insert(path_);
    }
    ~MemorySaveLock() override { locked_.erase(path_); }

private:
    std::set<std::string>& locked_;
    std::string path_;
};

bool MemoryFileSystem::Inspect(const std::string& path, FileFacts& facts) {
    facts = FileFacts{};
    facts.target = path;
    facts.exists = files.count(path) == 1;
    facts.regular = facts.exists;
    facts.readOnly = readOnly.count(path) == 1;
    const auto named = links.find(path);
    facts.links = !facts.exists ? 0 : named == links.end() ? 1 : named->second;
    return true;
}

std::unique_ptr<SaveLock> MemoryFileSystem::LockForSave(const std::string& target, bool& busy) {
    busy = locked.count(target) == 1;
    if (busy) return nullptr;
    return std::make_unique<MemorySaveLock>(locked, target);
}

std::unique_ptr<OutputFile> MemoryFileSystem::CreateBeside(const std::string& target, std::string& name) {
    int number = 0;
    do {
        name = target + ".tmp" + std::to_string(number++);
    } while (files.count(name) == 1);
    return Open(name);
}

std::unique_ptr<OutputFile> MemoryFileSystem::Overwrite(const std::string& path) { return Open(path); }

std::unique_ptr<OutputFile> MemoryFileSystem::Open(const std::string& path) {
    if (failCreate) {
        lastError_ = failureText;
        return nullptr;
    }
    files[path].clear();
    return std::make_unique<MemoryOutputFile>(*this, path);
}

bool MemoryFileSystem::Replace(const std::string& from, const std::string& to) {
    const auto found = files.find(from);
    if (failReplace || found == files.end()) {
        lastError_ = failureText;
        return false;
    }
    std::vector<unsigned char> contents = std::move(found->second);
    files.erase(found);
    files[to] = std::move(contents);
    return true;
}

bool MemoryFileSystem::Remove(const std::string& path) { return files.erase(path) == 1; }

bool MemoryFileSystem::Exists(const std::string& path) { return files.count(path) == 1; }

std::string MemoryFileSystem::Text(const std::string& path) const {
    const auto found = files.find(path);
    if (found == files.end()) return {};
    return std::string(found->second.begin(), found->second.end());
}

}  // namespace kv::test
