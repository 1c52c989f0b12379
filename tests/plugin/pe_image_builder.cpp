#include "plugin/pe_image_builder.h"

namespace vellumo::test {
namespace {

constexpr size_t kPeOffset = 0x40;
constexpr size_t kOptionalHeader = kPeOffset + 24;
constexpr size_t kOptionalHeaderSize = 96 + 16 * 8;
constexpr size_t kSectionHeader = kOptionalHeader + kOptionalHeaderSize;
constexpr size_t kSectionFileOffset = 0x200;
constexpr uint32_t kSectionRva = 0x1000;

void Put(std::string& image, size_t offset, uint32_t value, size_t width) {
    if (image.size() < offset + width) {
        image.resize(offset + width, '\0');
    }
    for (size_t i = 0; i < width; ++i) {
        image[offset + i] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

void PutText(std::string& image, size_t offset, const std::string& text) {
    for (size_t i = 0; i <= text.size(); ++i) {
        Put(image, offset + i, i < text.size() ? static_cast<uint8_t>(text[i]) : 0, 1);
    }
}

// The import section: descriptors with their terminator, then each DLL's
// name table, then the hint/name entries and DLL names.
std::string BuildImportSection(const std::vector<ImportedDll>& dlls) {
    std::string section;
    size_t tables = (dlls.size() + 1) * 20, names = tables;
    for (const ImportedDll& dll : dlls) {
        names += (dll.functions.size() + 1) * 4;
    }
    Put(section, tables - 1, 0, 1);
    for (size_t d = 0; d < dlls.size(); ++d) {
        Put(section, d * 20, static_cast<uint32_t>(kSectionRva + tables), 4);
        Put(section, d * 20 + 16, static_cast<uint32_t>(kSectionRva + tables), 4);
        for (const std::string& function : dlls[d].functions) {
            if (function.rfind('#', 0) == 0) {
                Put(section, tables, 0x80000000u | std::stoul(function.substr(1)), 4);
            } else {
                Put(section, tables, static_cast<uint32_t>(kSectionRva + names), 4);
                PutText(section, names + 2, function);
                names += 2 + function.size() + 1;
            }
            tables += 4;
        }
        Put(section, tables, 0, 4);
        tables += 4;
        Put(section, d * 20 + 12, static_cast<uint32_t>(kSectionRva + names), 4);
        PutText(section, names, dlls[d].name);
        names += dlls[d].name.size() + 1;
    }
    return section;
}

}  // namespace

std::string BuildPeImage(const std::vector<ImportedDll>& dlls, uint16_t osMajor, uint16_t osMinor) {
    std::string image(kSectionFileOffset, '\0');
    PutText(image, 0, "MZ");
    Put(image, 0x3C, kPeOffset, 4);
    PutText(image, kPeOffset, "PE");
    Put(image, kPeOffset + 4, 0x14C, 2);  // i386
    Put(image, kPeOffset + 6, 1, 2);      // one section
    Put(image, kPeOffset + 20, kOptionalHeaderSize, 2);
    Put(image, kOptionalHeader, 0x10B, 2);  // PE32
    for (size_t field : {40, 48}) {         // operating system, subsystem
        Put(image, kOptionalHeader + field, osMajor, 2);
        Put(image, kOptionalHeader + field + 2, osMinor, 2);
    }
    Put(image, kOptionalHeader + 92, 16, 4);
    std::string section = BuildImportSection(dlls);
    Put(image, kOptionalHeader + 96 + 8, kSectionRva, 4);
    Put(image, kOptionalHeader + 96 + 12, static_cast<uint32_t>((dlls.size() + 1) * 20), 4);
    PutText(image, kSectionHeader, ".idata");
    for (size_t field : {8, 16}) {  // virtual size, raw size
        Put(image, kSectionHeader + field, static_cast<uint32_t>(section.size()), 4);
    }
    Put(image, kSectionHeader + 12, kSectionRva, 4);
    Put(image, kSectionHeader + 20, kSectionFileOffset, 4);
    return image + section;
}

}  // namespace vellumo::test
