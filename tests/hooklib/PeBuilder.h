// Writes minimal PE32 and PE32+ files with chosen exports and imports, for
// the tests of the PE reader and of the checks built on it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/PeImage.h"

namespace kv::pe::test {

constexpr std::uint32_t kSectionRva = 0x1000;
constexpr std::size_t kHeadersSize = 0x200;

// Writes a minimal PE32 or PE32+ file: headers and one section that holds
// the export and import directories.
class PeBuilder {
public:
    explicit PeBuilder(bool pe32Plus) : pe32Plus_(pe32Plus) {}

    PeBuilder& Export(const std::string& name, std::uint16_t ordinal) {
        exports_.push_back({name, ordinal});
        return *this;
    }
    PeBuilder& ImportOrdinal(const std::string& module, std::uint16_t ordinal) {
        imports_.push_back({module, true, ordinal, ""});
        return *this;
    }
    PeBuilder& ImportName(const std::string& module, const std::string& name) {
        imports_.push_back({module, false, 0, name});
        return *this;
    }
    // A further section header without data (at most two fit the headers).
    PeBuilder& Section(const std::string& name, std::uint32_t virtualSize, std::uint32_t characteristics) {
        sections_.push_back({name, virtualSize, characteristics});
        return *this;
    }

    std::vector<std::uint8_t> Build() {
        section_.clear();
        const std::uint32_t exportRva = exports_.empty() ? 0 : WriteExports();
        const std::uint32_t importRva = imports_.empty() ? 0 : WriteImports();
        std::vector<std::uint8_t> file(kHeadersSize);
        Put(file, 0, 0x5A4D, 2);
        Put(file, 0x3C, 0x80, 4);
        Put(file, 0x80, 0x00004550, 4);
        Put(file, 0x84, pe32Plus_ ? 0x8664 : 0x14C, 2);
        Put(file, 0x86, 1 + sections_.size(), 2);
        const std::size_t optionalSize = pe32Plus_ ? 240 : 224;
        Put(file, 0x94, optionalSize, 2);
        const std::size_t optional = 0x98;
        Put(file, optional, pe32Plus_ ? 0x20B : 0x10B, 2);
        const std::size_t directories = optional + (pe32Plus_ ? 108 : 92);
        Put(file, directories, 16, 4);
        Put(file, directories + 4, exportRva, 4);
        Put(file, directories + 12, importRva, 4);
        const std::size_t sectionHeader = optional + optionalSize;
        Put(file, sectionHeader + 8, section_.size(), 4);
        Put(file, sectionHeader + 12, kSectionRva, 4);
        Put(file, sectionHeader + 16, section_.size(), 4);
        Put(file, sectionHeader + 20, kHeadersSize, 4);
        for (std::size_t i = 0; i < sections_.size(); ++i) {
            const std::size_t header = sectionHeader + 40 * (i + 1);
            std::copy(sections_[i].name.begin(), sections_[i].name.end(), file.begin() + static_cast<std::ptrdiff_t>(header));
            Put(file, header + 8, sections_[i].virtualSize, 4);
            Put(file, header + 12, kSectionRva * (i + 2) + 0x10000, 4);
            Put(file, header + 36, sections_[i].characteristics, 4);
        }
        file.insert(file.end(), section_.begin(), section_.end());
        return file;
    }

private:
    static void Put(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint64_t value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    void Put(std::size_t at, std::uint64_t value, std::size_t size) { Put(section_, at, value, size); }
    std::size_t Reserve(std::size_t size) {
        section_.resize(section_.size() + size);
        return section_.size() - size;
    }
    static std::uint32_t Rva(std::size_t at) { return kSectionRva + static_cast<std::uint32_t>(at); }
    std::uint32_t String(const std::string& text) {
        const std::size_t at = Reserve(text.size() + 1);
        std::copy(text.begin(), text.end(), section_.begin() + static_cast<std::ptrdiff_t>(at));
        return Rva(at);
    }

    std::uint32_t WriteExports() {
        const auto [low, high] = std::minmax_element(exports_.begin(), exports_.end(),
                                                     [](const auto& a, const auto& b) { return a.ordinal < b.ordinal; });
        const std::uint32_t base = low->ordinal;
        const std::size_t count = high->ordinal - base + 1u;
        const std::size_t named = static_cast<std::size_t>(
            std::count_if(exports_.begin(), exports_.end(), [](const auto& e) { return !e.name.empty(); }));
        const std::size_t directory = Reserve(40);
        const std::size_t functions = Reserve(4 * count);
        const std::size_t names = Reserve(4 * named);
        const std::size_t ordinals = Reserve(2 * named);
        std::size_t nameIndex = 0;
        for (const ExportedSymbol& symbol : exports_) {
            Put(functions + 4 * (symbol.ordinal - base), kSectionRva, 4);
            if (symbol.name.empty()) continue;
            Put(names + 4 * nameIndex, String(symbol.name), 4);
            Put(ordinals + 2 * nameIndex, symbol.ordinal - base, 2);
            ++nameIndex;
        }
        Put(directory + 16, base, 4);
        Put(directory + 20, count, 4);
        Put(directory + 24, named, 4);
        Put(directory + 28, Rva(functions), 4);
        Put(directory + 32, Rva(names), 4);
        Put(directory + 36, Rva(ordinals), 4);
        return Rva(directory);
    }

    std::uint32_t WriteImports() {
        std::vector<std::string> modules;
        for (const ImportedSymbol& symbol : imports_) {
            if (std::find(modules.begin(), modules.end(), symbol.module) == modules.end()) modules.push_back(symbol.module);
        }
        const std::size_t thunkSize = pe32Plus_ ? 8 : 4;
        const std::size_t descriptors = Reserve(20 * (modules.size() + 1));
        for (std::size_t m = 0; m < modules.size(); ++m) {
            std::vector<const ImportedSymbol*> entries;
            for (const ImportedSymbol& symbol : imports_) {
                if (symbol.module == modules[m]) entries.push_back(&symbol);
            }
            const std::size_t thunks = Reserve(thunkSize * (entries.size() + 1));
            for (std::size_t i = 0; i < entries.size(); ++i) {
                std::uint64_t value = 0;
                if (entries[i]->byOrdinal) {
                    value = (std::uint64_t{1} << (8 * thunkSize - 1)) | entries[i]->ordinal;
                } else {
                    value = Rva(Reserve(2));  // the hint, then the name
                    String(entries[i]->name);
                }
                Put(thunks + thunkSize * i, value, thunkSize);
            }
            Put(descriptors + 20 * m, Rva(thunks), 4);
            Put(descriptors + 20 * m + 12, String(modules[m]), 4);
            Put(descriptors + 20 * m + 16, Rva(thunks), 4);
        }
        return Rva(descriptors);
    }

    bool pe32Plus_;
    std::vector<ExportedSymbol> exports_;
    std::vector<ImportedSymbol> imports_;
    std::vector<std::uint8_t> section_;
    std::vector<SectionHeader> sections_;
};

}  // namespace kv::pe::test
