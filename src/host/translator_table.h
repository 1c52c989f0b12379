#pragma once
// The four translators and the one special menu entry the plug-in offers.

#include <cstdint>

namespace vellumo {

inline constexpr int kTranslatorCount = 4;
inline constexpr std::int32_t kTranslatorType = 0x10;
// On arrival, whole message, MIME in, MIME out, all headers.
inline constexpr std::int32_t kTranslatorFlags = 0x1E01;
inline constexpr int kTranslatorIconId = 116;
inline constexpr int kPluginIconId = 115;
inline constexpr int kModernIconId = 114;
inline constexpr std::int32_t kPluginId = 4371;
inline constexpr int kSpecialMenuId = 1;
inline constexpr const char* kSpecialMenuText = "Vellumo Settings...";
// The host's bit for showing the menu entry on its toolbar.
inline constexpr std::int32_t kSpecialMenuToolbarFlag = 0x8000;

struct TranslatorEntry {
    int id;
    const char* description;
    const char* mainType;
    const char* subType;
    const char* marker;  // Content-Type parameter that marks our own output, or nullptr
    int iconId;
};

// The entry for ids 1 to 4, nullptr for any other id.
const TranslatorEntry* FindTranslator(int id);

// The translator's name as the mail client lists it ("Pure-HTML Message"),
// "?" for an id without an entry.
[[nodiscard]] const char* TranslatorName(int id);

}  // namespace vellumo
