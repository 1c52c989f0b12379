#include "plugin/pe_image.h"

#include <algorithm>

namespace vellumo::test {
namespace {

constexpr uint16_t kPe32Magic = 0x10b;
constexpr uint16_t kPe32PlusMagic = 0x20b;
constexpr size_t kImportDirectory = 1;
constexpr size_t kDelayImportDirectory = 13;
constexpr size_t kSectionHeaderSize = 40;
constexpr size_t kImportDescriptorSize = 20;

struct Section {
    uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

// Little-endian reads that fail instead of reading past the end.
class Bytes {
  public:
    explicit Bytes(const std::string& bytes) : bytes_(bytes) {}
    bool Has(size_t offset, size_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    bool Read(size_t offset, size_t count, uint64_t& value) const {
        if (!Has(offset, count)) {
            return false;
        }
        value = 0;
        for (size_t i = count; i-- > 0;) {
            value = value << 8 | static_cast<uint8_t>(bytes_[offset + i]);
        }
        return true;
    }
    bool U16(size_t offset, uint16_t& value) const {
        uint64_t wide;
        return Read(offset, 2, wide) && (value = static_cast<uint16_t>(wide), true);
    }
    bool U32(size_t offset, uint32_t& value) const {
        uint64_t wide;
        return Read(offset, 4, wide) && (value = static_cast<uint32_t>(wide), true);
    }
    // A zero-terminated name of at most kMaxImportNameLength bytes.
    bool Name(size_t offset, std::string& name) const {
        for (size_t i = 0; i <= kMaxImportNameLength && Has(offset + i, 1); ++i) {
            if (bytes_[offset + i] == '\0') {
                name = bytes_.substr(offset, i);
                return true;
            }
        }
        return false;
    }

  private:
    const std::string& bytes_;
};

class Reader {
  public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    PeImage Read();

  private:
    bool Fail(const std::string& why) {
        image_.error = why;
        return false;
    }
    bool ReadHeaders(uint32_t& importRva);
    bool ReadSections(size_t offset, uint16_t count);
    bool FileOffset(uint32_t rva, size_t& offset) const;
    bool ReadImports(uint32_t importRva);
    bool ReadThunks(const std::string& dll, uint32_t thunkRva);

    Bytes bytes_;
    PeImage image_;
    bool wide_ = false;  // PE32+: 64-bit thunks
    std::vector<Section> sections_;
};

PeImage Reader::Read() {
    uint32_t importRva = 0;
    image_.valid = ReadHeaders(importRva) && (importRva == 0 || ReadImports(importRva));
    return image_;
}

// DOS header ("MZ", offset of the PE header at 0x3C), "PE\0\0", the COFF
// header, the optional header with its data directories, the sections.
bool Reader::ReadHeaders(uint32_t& importRva) {
    uint16_t mz, magic, sectionCount, optionalSize;
    uint32_t peOffset, signature, directoryCount;
    if (!bytes_.U16(0, mz) || mz != 0x5A4D || !bytes_.U32(0x3C, peOffset)) {
        return Fail("no DOS header");
    }
    if (!bytes_.U32(peOffset, signature) || signature != 0x00004550) {
        return Fail("no PE signature");
    }
    size_t coff = size_t{peOffset} + 4, optional = coff + 20;
    if (!bytes_.U16(coff + 2, sectionCount) || !bytes_.U16(coff + 16, optionalSize) ||
        !bytes_.U16(optional, magic) || (magic != kPe32Magic && magic != kPe32PlusMagic)) {
        return Fail("no optional header");
    }
    wide_ = magic == kPe32PlusMagic;
    size_t directories = optional + (wide_ ? 112 : 96);
    if (!bytes_.U16(optional + 40, image_.osMajor) || !bytes_.U16(optional + 42, image_.osMinor) ||
        !bytes_.U16(optional + 48, image_.subsystemMajor) ||
        !bytes_.U16(optional + 50, image_.subsystemMinor) ||
        !bytes_.U32(directories - 4, directoryCount)) {
        return Fail("optional header cut short");
    }
    size_t usable = (optional + optionalSize - std::min(directories, optional + optionalSize)) / 8;
    directoryCount = static_cast<uint32_t>(std::min<size_t>(directoryCount, usable));
    uint32_t delaySize = 0;
    if ((directoryCount > kImportDirectory &&
         !bytes_.U32(directories + 8 * kImportDirectory, importRva)) ||
        (directoryCount > kDelayImportDirectory &&
         !bytes_.U32(directories + 8 * kDelayImportDirectory + 4, delaySize))) {
        return Fail("data directories cut short");
    }
    image_.hasDelayImports = delaySize != 0;
    return ReadSections(optional + optionalSize, sectionCount);
}

bool Reader::ReadSections(size_t offset, uint16_t count) {
    for (uint16_t i = 0; i < count; ++i, offset += kSectionHeaderSize) {
        Section s;
        if (!bytes_.U32(offset + 8, s.virtualSize) || !bytes_.U32(offset + 12, s.virtualAddress) ||
            !bytes_.U32(offset + 16, s.rawSize) || !bytes_.U32(offset + 20, s.rawOffset)) {
            return Fail("section table cut short");
        }
        sections_.push_back(s);
    }
    return true;
}

// Where the byte at a relative virtual address lies in the file.
bool Reader::FileOffset(uint32_t rva, size_t& offset) const {
    for (const Section& s : sections_) {
        if (rva >= s.virtualAddress && rva - s.virtualAddress < s.rawSize) {
            offset = size_t{s.rawOffset} + (rva - s.virtualAddress);
            return true;
        }
    }
    return false;
}

// The import directory: 20-byte descriptors (name table, time stamp,
// forwarder chain, DLL name, address table) ending with an all-zero one.
bool Reader::ReadImports(uint32_t importRva) {
    size_t offset;
    if (!FileOffset(importRva, offset)) {
        return Fail("import table outside the sections");
    }
    for (size_t i = 0;; ++i, offset += kImportDescriptorSize) {
        uint32_t nameTable, nameRva, addressTable;
        if (i > kMaxImportedDlls) {
            return Fail("too many imported DLLs");
        }
        if (!bytes_.U32(offset, nameTable) || !bytes_.U32(offset + 12, nameRva) ||
            !bytes_.U32(offset + 16, addressTable)) {
            return Fail("import descriptor cut short");
        }
        if (nameTable == 0 && nameRva == 0 && addressTable == 0) {
            return true;
        }
        size_t nameOffset;
        std::string dll;
        if (!FileOffset(nameRva, nameOffset) || !bytes_.Name(nameOffset, dll)) {
            return Fail("unreadable DLL name");
        }
        image_.dlls.push_back(dll);
        if (!ReadThunks(dll, nameTable != 0 ? nameTable : addressTable)) {
            return false;
        }
    }
}

// One entry per function, ending with 0: the top bit marks an ordinal,
// otherwise the entry is the address of a 2-byte hint and the name.
bool Reader::ReadThunks(const std::string& dll, uint32_t thunkRva) {
    size_t offset, width = wide_ ? 8 : 4;
    if (!FileOffset(thunkRva, offset)) {
        return Fail("import names of " + dll + " outside the sections");
    }
    for (size_t i = 0;; ++i, offset += width) {
        uint64_t entry;
        if (i > kMaxImportsPerDll || !bytes_.Read(offset, width, entry)) {
            return Fail("import names of " + dll + " unreadable");
        }
        if (entry == 0) {
            return true;
        }
        if (entry >> (8 * width - 1) != 0) {
            image_.imports.push_back({dll, "#" + std::to_string(entry & 0xFFFF)});
            continue;
        }
        size_t nameOffset;
        std::string function;
        if (!FileOffset(static_cast<uint32_t>(entry & 0x7FFFFFFF), nameOffset) ||
            !bytes_.Name(nameOffset + 2, function)) {
            return Fail("unreadable import name in " + dll);
        }
        image_.imports.push_back({dll, function});
    }
}

}  // namespace

PeImage ReadPeImage(const std::string& bytes) {
    return Reader(bytes).Read();
}

}  // namespace vellumo::test
