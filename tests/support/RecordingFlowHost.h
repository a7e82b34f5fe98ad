// The editor and application around the file flows, writing down what the
// flows ask of them.
#pragma once

#include <string>
#include <vector>

#include "db/FileFlows.h"

namespace kv::test {

struct RecordingHost : FileFlowHost {
    std::vector<std::string> events;
    std::vector<std::string> recent;
    void CommitPendingEdits() override { events.push_back("commit"); }
    std::vector<FolderVisit> FolderWalk() override { return walk; }
    void FileOpened() override { events.push_back("opened"); }
    void DefaultFoldersCreated() override { events.push_back("defaults"); }
    void FileSaved(const std::string& name) override { events.push_back("saved " + name); }
    void AddRecentFile(const std::string& path) override { recent.push_back(path); }
    std::string ProgramFolder() override { return "C:\\Program\\"; }
    std::vector<FolderVisit> walk;
};

}  // namespace kv::test
