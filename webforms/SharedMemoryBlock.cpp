#include "webforms/SharedMemoryBlock.h"

#include <aclapi.h>

#include <vector>

#include "protocol/SharedBlock.h"

namespace kv {
namespace {

using protocol::kSharedBlockMutexName;
using protocol::kSharedBlockName;
using protocol::kSharedBlockSize;

// A security descriptor owned by the user of this process whose list grants
// every access to that user and to nobody else, for the block and its mutex.
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
                 SetSecurityDescriptorOwner(&descriptor_, sid, FALSE) &&
                 SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE);
        attributes_ = {sizeof attributes_, &descriptor_, FALSE};
    }

    // Null when the descriptor could not be made (the object is then not created).
    SECURITY_ATTRIBUTES* attributes() { return ready_ ? &attributes_ : nullptr; }
    PSID user() const { return reinterpret_cast<const TOKEN_USER*>(user_.data())->User.Sid; }

private:
    std::vector<unsigned char> user_;
    std::vector<unsigned char> acl_;
    SECURITY_DESCRIPTOR descriptor_{};
    SECURITY_ATTRIBUTES attributes_{};
    bool ready_ = false;
};

// Whether the label of an object puts it below medium integrity, where a
// sandboxed process of the same user (a browser's) could have made it.
bool BelowMediumIntegrity(const ACL* sacl) {
    if (sacl == nullptr) return false;
    for (DWORD i = 0; i < sacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(const_cast<ACL*>(sacl), i, &ace)) return true;
        if (static_cast<ACE_HEADER*>(ace)->AceType != SYSTEM_MANDATORY_LABEL_ACE_TYPE) continue;
        PSID label = &static_cast<SYSTEM_MANDATORY_LABEL_ACE*>(ace)->SidStart;
        return *GetSidSubAuthority(label, *GetSidSubAuthorityCount(label) - 1) < SECURITY_MANDATORY_MEDIUM_RID;
    }
    return false;
}

// Whether an existing block is one that this program made: owned by this
// user, open to nobody else, not made below medium integrity. A browser
// helper holds the block of an earlier run open, so it outlives that run.
bool MadeByThisProgram(HANDLE mapping, PSID user) {
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PACL sacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(mapping, SE_KERNEL_OBJECT,
                        OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION | LABEL_SECURITY_INFORMATION, &owner,
                        nullptr, &dacl, &sacl, &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    void* ace = nullptr;
    const bool ours = owner != nullptr && EqualSid(owner, user) && dacl != nullptr && dacl->AceCount == 1 &&
                      GetAce(dacl, 0, &ace) && static_cast<ACE_HEADER*>(ace)->AceType == ACCESS_ALLOWED_ACE_TYPE &&
                      EqualSid(&static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart, user) && !BelowMediumIntegrity(sacl);
    LocalFree(descriptor);
    return ours;
}

}  // namespace

bool SharedMemoryBlock::Create() {
    Close();
    CurrentUserOnly security;
    if (security.attributes() == nullptr) return false;
    mapping_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, security.attributes(), PAGE_READWRITE, 0,
                                      static_cast<DWORD>(kSharedBlockSize), kSharedBlockName));
    if (!mapping_) {
        // Another process made it and keeps this one out.
        squatted_ = GetLastError() == ERROR_ACCESS_DENIED;
        return false;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS && !MadeByThisProgram(mapping_.get(), security.user())) {
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
    Clear();
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
