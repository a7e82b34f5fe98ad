// kelvandor-rawdecrypt: the floor of a load as a whole process. Reads FILE
// whole, keys Blowfish once with the password on standard input and decrypts
// the first BYTES bytes of it in place as one buffer, as a load must decrypt
// that many; prints a checksum so that the work cannot be left out.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "db/Blowfish.h"
#include "platform/FileSystem.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kelvandor-rawdecrypt FILE BYTES < password\n");
        return 2;
    }
    std::string password;
    std::getline(std::cin, password);
    kv::FileContents bytes;
    if (kv::SystemFileSystem().ReadAll(argv[1], bytes) != kv::ReadResult::Read) return 1;
    const std::size_t length = std::strtoull(argv[2], nullptr, 10);
    if (length > bytes.size()) return 1;
    const kv::CBlowfish cipher(password);
    cipher.DecryptBuffer(bytes.data(), length);
    unsigned sum = 0;
    for (std::size_t i = 0; i < length; i += 4096) sum += bytes[i];
    std::printf("%u\n", sum);
    return 0;
}
