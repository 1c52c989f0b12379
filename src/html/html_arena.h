// The byte arena of an HtmlDocument: runs of bytes (copied text, kept
// attribute values) in chunks, each run whole in one chunk and found again
// by a 32-bit offset. It grows without copying what it holds and without
// spare room beyond the chunk being filled, where a doubling string would
// hold up to three times its bytes while it grows. Offsets stay within 32
// bits because the input is (html_renderer.cpp bounds it to 1 GiB, and
// the arena holds at most a few times that); a run that would go past
// them is dropped and reads back empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace vellumo {

// Runs up to a quarter of this share a chunk; longer ones get their own.
constexpr std::size_t kArenaChunkSize = 64 * 1024;
// The offset of a dropped run; no chunk reaches it.
constexpr std::uint32_t kDroppedRun = 0xFFFFFFFF;

class HtmlArena {
  public:
    // Copies `bytes` as one run; returns its offset.
    std::uint32_t Add(std::string_view bytes);
    // `length` bytes of a run from `offset` on.
    [[nodiscard]] std::string_view View(std::uint32_t offset, std::size_t length) const;
    // The bytes from `offset` to the end of the chunk that holds them.
    [[nodiscard]] std::string_view From(std::uint32_t offset) const;
    // The bytes of all runs.
    [[nodiscard]] std::size_t size() const { return used_; }

  private:
    struct Chunk {
        std::uint64_t start;  // offset of its first byte
        std::size_t size;
        std::unique_ptr<char[]> bytes;
    };

    char* NewChunk(std::size_t size);
    [[nodiscard]] const Chunk* ChunkAt(std::uint32_t offset) const;

    std::vector<Chunk> chunks_;  // by start
    std::size_t current_ = 0;    // the shared chunk being filled, if fill_ < its size
    std::size_t fill_ = kArenaChunkSize;
    std::uint64_t end_ = 0;  // offsets handed to chunks so far
    std::size_t used_ = 0;
    // The chunk read last: texts are read in runs from one chunk.
    mutable std::size_t lastRead_ = 0;
};

}  // namespace vellumo
