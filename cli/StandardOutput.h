// Writing to standard output past the stream buffers, so that the pieces of
// a dump (which hold passwords) stay only in buffers the program wipes.
#pragma once

#include <string_view>

namespace kv {

// Writes all of `bytes` to standard output; false on a write error.
bool WriteToStandardOutput(std::string_view bytes);

}  // namespace kv
