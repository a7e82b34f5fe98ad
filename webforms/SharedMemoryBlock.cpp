#include "webforms/SharedMemoryBlock.h"

#include <vector>

#include "protocol/SharedBlock.h"

namespace kv {
namespace {

using protocol::kSharedBlockMutexName;
using protocol::kSharedBlockName;
using protocol::kSharedBlockSize;

// A security descriptor whose list grants every access to the user of this
// process and to nobody else, for the block and its mutex.
class CurrentUserOnly {
public:
    CurrentUserOnly() {
        KernelHandle token;
        HANDLE raw = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return;
        token.Reset(raw);
        DWORD size = 0;
        GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
        user_.resize(size);
        if (size == 0 || !GetTokenInformation(token.get(), TokenUser, user_.data(), size, &size)) return;
        PSID sid = reinterpret_cast<TOKEN_USER*>(user_.data())->User.Sid;
        acl_.resize(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid));
        ACL* acl = reinterpret_cast<ACL*>(acl_.data());
        ready_ = InitializeAcl(acl, static_cast<DWORD>(acl_.size()), ACL_REVISION) &&
                 AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, sid) &&
                 InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) &&
                 SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE);
        attributes_ = {sizeof attributes_, &descriptor_, FALSE};
    }

    // Null when the descriptor could not be made (the object is then not created).
    SECURITY_ATTRIBUTES* attributes() { return ready_ ? &attributes_ : nullptr; }

private:
    std::vector<unsigned char> user_;
    std::vector<unsigned char> acl_;
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
    bool ready_ = false;
};

}  // namespace

bool SharedMemoryBlock::Create() {
    Close();
    CurrentUserOnly security;
    if (security.attributes() == nullptr) return false;
    mapping_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, security.attributes(), PAGE_READWRITE, 0,
                                      static_cast<DWORD>(kSharedBlockSize), kSharedBlockName));
    if (!mapping_) return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // Made by another process, with access rights and contents of its choosing.
        Close();
        squatted_ = true;
        return false;
    }
    created_ = true;
    view_.Reset(MapViewOfFile(mapping_.get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (view_) mutex_.Reset(CreateMutexA(security.attributes(), TRUE, kSharedBlockMutexName));
    if (!view_ || !mutex_) {
        Close();
        return false;
    }
    name_ = kSharedBlockName;
    ReleaseMutex(mutex_.get());
    return true;
}

void SharedMemoryBlock::Clear() {
    if (view_) SecureZeroMemory(view_.get(), kSharedBlockSize);
}

void SharedMemoryBlock::Close() {
    Clear();
    mutex_.Reset();
    view_.Reset();
    mapping_.Reset();
    created_ = false;
    squatted_ = false;
    name_.clear();
}

}  // namespace kv
