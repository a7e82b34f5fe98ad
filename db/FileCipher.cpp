#include "db/FileCipher.h"

#include "db/Database.h"

namespace kv {

FileCipher::FileCipher(const PasswordDatabase& db, KeyingPolicy policy) : db_(db), policy_(policy) {}

FileCipher::~FileCipher() { Wipe(); }

void FileCipher::Wipe() {
    cipher_.reset();
    key_.Clear();
}

const CBlowfish& FileCipher::KeyedCipher() {
    // The key changes when a verifier prompt supplies the file's password.
    if (!cipher_ || policy_ == KeyingPolicy::EveryUse || key_.view() != db_.MasterPassword.view()) {
        key_ = db_.MasterPassword.view();
        if (!cipher_) cipher_ = std::make_unique<CBlowfish>();
        cipher_->SetKey(key_.c_str());
    }
    return *cipher_;
}

void FileCipher::CryptFileData(unsigned char* buffer, std::size_t length, bool encrypt) {
    if (db_.EncryptFiles == 0 || db_.MasterPassword.empty()) return;
    const CBlowfish& cipher = KeyedCipher();
    if (encrypt) {
        cipher.EncryptBuffer(buffer, length);
    } else {
        cipher.DecryptBuffer(buffer, length);
    }
}

}  // namespace kv
