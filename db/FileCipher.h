// The encryption of the strings of a password file (CryptFileData): Blowfish
// under the master password while protection is on, nothing otherwise.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "db/Blowfish.h"
#include "platform/SecretString.h"

namespace kv {

struct PasswordDatabase;

// How often the key schedule runs. The output is the same either way; keying
// per use is kept as the reference that the faster policy is measured against.
enum class KeyingPolicy { OncePerKey, EveryUse };

class FileCipher {
public:
    explicit FileCipher(const PasswordDatabase& db, KeyingPolicy policy = KeyingPolicy::OncePerKey);
    ~FileCipher();
    FileCipher(const FileCipher&) = delete;
    FileCipher& operator=(const FileCipher&) = delete;

    // Encrypts or decrypts the buffer in place under the database's current
    // `MasterPassword`, unless protection is off or the password is empty.
    void CryptFileData(unsigned char* buffer, std::size_t length, bool encrypt);

    // Forgets the keyed tables and the copy of the key.
    void Wipe();

private:
    const CBlowfish& KeyedCipher();

    const PasswordDatabase& db_;
    KeyingPolicy policy_;
    std::unique_ptr<CBlowfish> cipher_;
    SecretString key_;
};

}  // namespace kv
