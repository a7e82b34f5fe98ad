#include "db/FileCommit.h"

#include <memory>

#include "db/FileMessages.h"
#include "db/FileUi.h"
#include "platform/FileSystem.h"

namespace kv {
namespace {

class Commit {
public:
    Commit(FileSystem& files, FileUi& ui, const std::string& path) : files_(files), ui_(ui), path_(path) {}

    bool Run(const std::vector<unsigned char>& data) {
        FileFacts facts;
        if (!files_.Inspect(path_, facts)) return Refuse(files_.LastErrorText());
        if (facts.exists && !facts.regular) return Refuse(kNotAFileText);
        if (facts.exists && facts.readOnly) return Refuse(kReadOnlyText);
        bool busy = false;
        const std::unique_ptr<SaveLock> lock = files_.LockForSave(facts.target, busy);
        if (!lock) return Refuse(busy ? kSaveBusyText : files_.LastErrorText());

        std::string temporary;
        std::unique_ptr<OutputFile> file = files_.CreateBeside(facts.target, temporary);
        if (!file) return Refuse(files_.LastErrorText());
        const bool written = WriteAll(*file, data);
        file.reset();
        if (!written) return FailedRemoving(temporary);
        if (facts.links > 1) return CopyInPlace(temporary, facts.target, data);
        if (!files_.Replace(temporary, facts.target)) return FailedRemoving(temporary);
        return true;
    }

private:
    // Renaming over a file with several names would part it from the others,
    // so its contents are rewritten; the complete copy goes only once that worked.
    bool CopyInPlace(const std::string& temporary, const std::string& target,
                     const std::vector<unsigned char>& data) {
        std::unique_ptr<OutputFile> file = files_.Overwrite(target);
        if (!file || !WriteAll(*file, data)) {
            ui_.ShowMessage(FileErrorMessage(kWriteFailedText, files_.LastErrorText(), path_) + kKeptCopyText +
                            temporary);
            return false;
        }
        file.reset();
        files_.Remove(temporary);
        return true;
    }

    bool WriteAll(OutputFile& file, const std::vector<unsigned char>& data) {
        return (data.empty() || file.Write(data.data(), data.size())) && file.FlushAndClose();
    }

    bool FailedRemoving(const std::string& temporary) {
        const std::string error = files_.LastErrorText();
        files_.Remove(temporary);
        ui_.ShowMessage(FileErrorMessage(kWriteFailedText, error, path_));
        return false;
    }

    bool Refuse(const std::string& why) {
        ui_.ShowMessage(FileErrorMessage(kOpenFailedText, why, path_));
        return false;
    }

    FileSystem& files_;
    FileUi& ui_;
    const std::string& path_;
};

}  // namespace

bool CommitFile(FileSystem& files, FileUi& ui, const std::string& path, const std::vector<unsigned char>& data) {
    return Commit(files, ui, path).Run(data);
}

}  // namespace kv
