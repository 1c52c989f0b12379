#include "html/html_arena.h"

#include <algorithm>
#include <cstring>

namespace vellumo {

char* HtmlArena::NewChunk(std::size_t size) {
    chunks_.push_back({end_, size, std::unique_ptr<char[]>(new char[size])});
    end_ += size;
    return chunks_.back().bytes.get();
}

std::uint32_t HtmlArena::Add(std::string_view bytes) {
    if (bytes.empty()) {
        return 0;  // read back as empty whatever the offset
    }
    const std::size_t room = bytes.size() > kArenaChunkSize / 4 ? bytes.size() : kArenaChunkSize;
    if (end_ + room >= kDroppedRun) {
        return kDroppedRun;
    }
    used_ += bytes.size();
    if (bytes.size() > kArenaChunkSize / 4) {
        const auto offset = static_cast<std::uint32_t>(end_);
        std::memcpy(NewChunk(bytes.size()), bytes.data(), bytes.size());
        return offset;
    }
    if (fill_ + bytes.size() > kArenaChunkSize) {
        NewChunk(kArenaChunkSize);
        current_ = chunks_.size() - 1;
        fill_ = 0;
    }
    Chunk& chunk = chunks_[current_];
    std::memcpy(chunk.bytes.get() + fill_, bytes.data(), bytes.size());
    const auto offset = static_cast<std::uint32_t>(chunk.start + fill_);
    fill_ += bytes.size();
    return offset;
}

const HtmlArena::Chunk* HtmlArena::ChunkAt(std::uint32_t offset) const {
    if (lastRead_ < chunks_.size()) {
        const Chunk& last = chunks_[lastRead_];
        if (offset >= last.start && offset - last.start < last.size) {
            return &last;
        }
    }
    const auto after =
        std::upper_bound(chunks_.begin(), chunks_.end(), offset,
                         [](std::uint32_t at, const Chunk& chunk) { return at < chunk.start; });
    if (after == chunks_.begin()) {
        return nullptr;
    }
    const Chunk& chunk = *(after - 1);
    if (offset - chunk.start >= chunk.size) {
        return nullptr;
    }
    lastRead_ = static_cast<std::size_t>(after - 1 - chunks_.begin());
    return &chunk;
}

std::string_view HtmlArena::From(std::uint32_t offset) const {
    const Chunk* chunk = ChunkAt(offset);
    if (chunk == nullptr) {
        return {};
    }
    const std::size_t at = offset - chunk->start;
    return std::string_view(chunk->bytes.get() + at, chunk->size - at);
}

std::string_view HtmlArena::View(std::uint32_t offset, std::size_t length) const {
    return length == 0 ? std::string_view() : From(offset).substr(0, length);
}

}  // namespace vellumo
