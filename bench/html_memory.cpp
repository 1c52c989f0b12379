// Peak memory of the built-in HTML renderer (HtmlToLabelledText) on the
// body of a message, as a ratio to the HTML size, next to a baseline taken
// in the same run: copying the body once. Every operator new of the process
// is counted (with the allocator's rounding), and the input too: it is in a
// buffer of its own that the renderer gives back as it stops reading it, as
// translator 2 does with the message body. The figure is what rendering
// holds at its worst, input included.
//   html_memory MESSAGE...   (each MESSAGE a header, a blank line, HTML;
//   the HTML is read as UTF-8, as the messages of make_big_messages.py say)
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "html/html_text_extractor.h"
#include "platform/files.h"

namespace {

std::size_t gLive = 0;
std::size_t gPeak = 0;

void* Allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    gLive += malloc_usable_size(block);
    if (gLive > gPeak) {
        gPeak = gLive;
    }
    return block;
}

void Release(void* block) {
    if (block != nullptr) {
        gLive -= malloc_usable_size(block);
        std::free(block);
    }
}

// The highest count `work` reaches above what was live before it.
template <typename Work>
std::size_t PeakOf(Work work) {
    const std::size_t before = gLive;
    gPeak = gLive;
    work();
    return gPeak - before;
}

// The buffer `*block` cut to its first `keep` bytes (freed for 0), counted.
const char* Shrink(char** block, std::size_t keep) {
    gLive -= malloc_usable_size(*block);
    if (keep == 0) {
        std::free(*block);
        *block = nullptr;
        return nullptr;
    }
    void* smaller = std::realloc(*block, keep);
    if (smaller != nullptr) {
        *block = static_cast<char*>(smaller);
    }
    gLive += malloc_usable_size(*block);
    return *block;
}

std::string_view BodyOf(std::string_view message) {
    const std::size_t blank = message.find("\r\n\r\n");
    return blank == std::string_view::npos ? message : message.substr(blank + 4);
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Release(block);
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: html_memory MESSAGE...\n");
        return 1;
    }
    for (int i = 1; i < argc; ++i) {
        std::string message;
        if (!vellumo::ReadWholeFile(argv[i], message)) {
            std::fprintf(stderr, "html_memory: cannot read %s\n", argv[i]);
            return 1;
        }
        const std::string_view html = BodyOf(message);
        const double size = static_cast<double>(html.size());
        std::string body;
        const std::size_t copy = PeakOf([&] { body.assign(html); });
        message = std::string();
        std::size_t textSize = 0;
        const std::size_t render = PeakOf([&] {
            auto* input = static_cast<char*>(Allocate(body.size()));
            std::memcpy(input, body.data(), body.size());
            vellumo::LabelledText text;
            if (vellumo::HtmlToLabelledText(
                    std::string_view(input, body.size()), "utf-8", &text,
                    vellumo::HtmlTextSource::kBuiltInRenderer,
                    [&input](std::size_t keep) { return Shrink(&input, keep); })) {
                textSize = text.text.size();
            }
            if (input != nullptr) {
                Release(input);
            }
        });
        const std::string name(argv[i]);
        std::printf(
            "%-12s html %6.2f MB  copy peak %6.2f MB (%.2fx)  renderer peak, input included %6.2f "
            "MB "
            "(%.2fx html, %.2fx copy)  text %.2f MB\n",
            name.substr(name.find_last_of('/') + 1).c_str(), size / 1e6, copy / 1e6, copy / size,
            render / 1e6, render / size, static_cast<double>(render) / static_cast<double>(copy),
            textSize / 1e6);
    }
    return 0;
}
