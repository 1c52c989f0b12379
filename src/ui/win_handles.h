#pragma once
// Small owners for the Windows handles the dialogs hold. Each releases its
// handle when it goes out of scope; none can be copied.

#include <windows.h>

namespace vellumo {

// A cursor made by this module (not a shared resource cursor).
class OwnedCursor {
  public:
    OwnedCursor() = default;
    explicit OwnedCursor(HCURSOR cursor) : cursor_(cursor) {}
    ~OwnedCursor() {
        if (cursor_ != nullptr) {
            DestroyCursor(cursor_);
        }
    }
    OwnedCursor(const OwnedCursor&) = delete;
    OwnedCursor& operator=(const OwnedCursor&) = delete;

    [[nodiscard]] HCURSOR get() const { return cursor_; }
    // Takes over `cursor`, destroying the one held before.
    void Reset(HCURSOR cursor) {
        if (cursor_ != nullptr && cursor_ != cursor) {
            DestroyCursor(cursor_);
        }
        cursor_ = cursor;
    }

  private:
    HCURSOR cursor_ = nullptr;
};

// A shell item list returned by the folder browser.
class ShellItemList {
  public:
    explicit ShellItemList(void* items) : items_(items) {}
    ~ShellItemList();
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;

    [[nodiscard]] void* get() const { return items_; }

  private:
    void* items_;
};

// A message filter hook of the calling thread.
class ThreadMessageFilter {
  public:
    explicit ThreadMessageFilter(HOOKPROC procedure)
        : hook_(SetWindowsHookExA(WH_MSGFILTER, procedure, nullptr, GetCurrentThreadId())) {}
    ~ThreadMessageFilter() {
        if (hook_ != nullptr) {
            UnhookWindowsHookEx(hook_);
        }
    }
    ThreadMessageFilter(const ThreadMessageFilter&) = delete;
    ThreadMessageFilter& operator=(const ThreadMessageFilter&) = delete;

  private:
    HHOOK hook_;
};

}  // namespace vellumo
