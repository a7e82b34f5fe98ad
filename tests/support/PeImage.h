// What a Windows program or DLL file (PE32 or PE32+) exports and imports,
// read from its bytes on any platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv::pe {

struct ExportedSymbol {
    std::string name;  // empty: exported by ordinal only
    std::uint32_t ordinal = 0;
};

struct ImportedSymbol {
    std::string module;
    bool byOrdinal = false;
    std::uint32_t ordinal = 0;  // when by ordinal
    std::string name;           // when by name
};

struct SectionHeader {
    std::string name;
    std::uint32_t virtualSize = 0;
    std::uint32_t characteristics = 0;
};

// Characteristics of a section.
constexpr std::uint32_t kSectionShared = 0x10000000;
constexpr std::uint32_t kSectionReadable = 0x40000000;
constexpr std::uint32_t kSectionWritable = 0x80000000;

struct PeImage {
    bool pe32Plus = false;
    std::vector<SectionHeader> sections;
    std::vector<ExportedSymbol> exports;  // the named ones, then those by ordinal only
    std::vector<ImportedSymbol> imports;
};

// Reads the export and import directories; false with `error` set when the
// bytes are no PE image or a directory points outside them.
bool ReadPeImage(const std::vector<std::uint8_t>& bytes, PeImage& image, std::string& error);
bool ReadPeFile(const std::string& path, PeImage& image, std::string& error);

}  // namespace kv::pe
