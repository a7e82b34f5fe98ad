// Reading secrets (the master password, a document of records) from a file
// descriptor, past every stream buffer: no buffer the program does not wipe
// keeps a copy, and what follows a line is left for the next reader.
#pragma once

#include <string>

#include "platform/SecretString.h"

namespace kv {

// Reads a byte at a time up to the next line feed (not kept; a carriage
// return before it is dropped). False when the input ended before any byte.
bool ReadSecretLine(int fd, SecretString& line);

// Reads everything up to the end of the input; false on a read error.
bool ReadSecretAll(int fd, SecretString& text);

// Opens a file for reading in binary mode: a descriptor, or -1.
int OpenForReading(const std::string& path);
void CloseDescriptor(int fd);

}  // namespace kv
