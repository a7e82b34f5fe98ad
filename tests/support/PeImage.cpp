#include "tests/support/PeImage.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

namespace kv::pe {
namespace {

struct Damaged {
    std::string what;
};

struct Section {
    std::uint32_t virtualAddress;
    std::uint32_t virtualSize;
    std::uint32_t rawOffset;
    std::uint32_t rawSize;
};

struct Directory {
    std::uint32_t rva = 0;
    std::uint32_t size = 0;
};

// Little-endian reads that throw Damaged instead of leaving the bytes.
class ImageReader {
public:
    explicit ImageReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    void Read(PeImage& image) {
        if (U16(0) != 0x5A4D) throw Damaged{"no MZ header"};
        const std::size_t pe = U32(0x3C);
        if (U32(pe) != 0x00004550) throw Damaged{"no PE signature"};
        const std::size_t sectionCount = U16(pe + 6);
        const std::size_t optionalSize = U16(pe + 20);
        const std::size_t optional = pe + 24;
        const std::uint16_t magic = U16(optional);
        if (magic != 0x10B && magic != 0x20B) throw Damaged{"unknown optional header"};
        image.pe32Plus = magic == 0x20B;
        const std::size_t directoryCountAt = optional + (image.pe32Plus ? 108 : 92);
        const std::uint32_t directoryCount = U32(directoryCountAt);
        for (std::size_t i = 0; i < sectionCount; ++i) {
            const std::size_t at = optional + optionalSize + 40 * i;
            sections_.push_back({U32(at + 12), U32(at + 8), U32(at + 20), U32(at + 16)});
            image.sections.push_back({NameAt(at), U32(at + 8), U32(at + 36)});
        }
        thunkSize_ = image.pe32Plus ? 8 : 4;
        if (directoryCount > 0) ReadExports(DirectoryAt(directoryCountAt + 4), image.exports);
        if (directoryCount > 1) ReadImports(DirectoryAt(directoryCountAt + 12), image.imports);
    }

private:
    Directory DirectoryAt(std::size_t at) const { return {U32(at), U32(at + 4)}; }

    void ReadExports(const Directory& directory, std::vector<ExportedSymbol>& exports) const {
        if (directory.rva == 0) return;
        const std::size_t at = OffsetOf(directory.rva);
        const std::uint32_t base = U32(at + 16);
        const std::uint32_t functionCount = U32(at + 20);
        const std::uint32_t nameCount = U32(at + 24);
        const std::uint32_t functions = U32(at + 28);
        const std::uint32_t names = U32(at + 32);
        const std::uint32_t nameOrdinals = U32(at + 36);
        std::set<std::uint32_t> named;
        for (std::uint32_t i = 0; i < nameCount; ++i) {
            const std::uint32_t index = U16(OffsetOf(nameOrdinals + 2 * i));
            named.insert(index);
            exports.push_back({String(OffsetOf(U32(OffsetOf(names + 4 * i)))), base + index});
        }
        for (std::uint32_t index = 0; index < functionCount; ++index) {
            if (named.count(index) == 0 && U32(OffsetOf(functions + 4 * index)) != 0) {
                exports.push_back({"", base + index});
            }
        }
    }

    void ReadImports(const Directory& directory, std::vector<ImportedSymbol>& imports) const {
        if (directory.rva == 0) return;
        for (std::uint32_t descriptor = directory.rva;; descriptor += 20) {
            const std::size_t at = OffsetOf(descriptor);
            const std::uint32_t lookup = U32(at);
            const std::uint32_t name = U32(at + 12);
            const std::uint32_t addresses = U32(at + 16);
            if (name == 0 && addresses == 0) return;
            const std::string module = String(OffsetOf(name));
            for (std::uint32_t thunk = lookup != 0 ? lookup : addresses;; thunk += thunkSize_) {
                const std::size_t entry = OffsetOf(thunk);
                const std::uint64_t value = thunkSize_ == 8 ? U64(entry) : U32(entry);
                if (value == 0) break;
                const std::uint64_t ordinalFlag = std::uint64_t{1} << (thunkSize_ * 8 - 1);
                if ((value & ordinalFlag) != 0) {
                    imports.push_back({module, true, static_cast<std::uint32_t>(value & 0xFFFF), ""});
                } else {
                    imports.push_back({module, false, 0, String(OffsetOf(static_cast<std::uint32_t>(value) + 2))});
                }
            }
        }
    }

    // The file offset of an address in the loaded image.
    std::size_t OffsetOf(std::uint32_t rva) const {
        for (const Section& section : sections_) {
            const std::uint32_t extent = std::max(section.virtualSize, section.rawSize);
            if (rva >= section.virtualAddress && rva - section.virtualAddress < extent) {
                const std::uint32_t offset = rva - section.virtualAddress;
                if (offset >= section.rawSize) break;
                return std::size_t{section.rawOffset} + offset;
            }
        }
        throw Damaged{"address " + std::to_string(rva) + " is in no section's data"};
    }

    void Need(std::size_t at, std::size_t size) const {
        if (at > bytes_.size() || bytes_.size() - at < size) throw Damaged{"the file ends too early"};
    }

    std::uint64_t Little(std::size_t at, std::size_t size) const {
        Need(at, size);
        std::uint64_t value = 0;
        for (std::size_t i = size; i-- > 0;) value = (value << 8) | bytes_[at + i];
        return value;
    }

    std::uint16_t U16(std::size_t at) const { return static_cast<std::uint16_t>(Little(at, 2)); }
    std::uint32_t U32(std::size_t at) const { return static_cast<std::uint32_t>(Little(at, 4)); }
    std::uint64_t U64(std::size_t at) const { return Little(at, 8); }

    // A section's name: eight bytes, zero-padded when shorter.
    std::string NameAt(std::size_t at) const {
        Need(at, 8);
        const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(at);
        return std::string(begin, std::find(begin, begin + 8, std::uint8_t{0}));
    }

    std::string String(std::size_t at) const {
        Need(at, 1);
        const auto begin = bytes_.begin() + static_cast<std::ptrdiff_t>(at);
        const auto end = std::find(begin, bytes_.end(), std::uint8_t{0});
        if (end == bytes_.end()) throw Damaged{"a name runs past the end of the file"};
        return std::string(begin, end);
    }

    const std::vector<std::uint8_t>& bytes_;
    std::vector<Section> sections_;
    std::size_t thunkSize_ = 4;
};

}  // namespace

bool ReadPeImage(const std::vector<std::uint8_t>& bytes, PeImage& image, std::string& error) {
    image = PeImage{};
    try {
        ImageReader(bytes).Read(image);
        return true;
    } catch (const Damaged& damaged) {
        error = damaged.what;
        image = PeImage{};
        return false;
    }
}

bool ReadPeFile(const std::string& path, PeImage& image, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open " + path;
        return false;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (!ReadPeImage(bytes, image, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace kv::pe
