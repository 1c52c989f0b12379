// The calling thread's COM apartment for the length of a scope. Windows only.
#pragma once

#include <objbase.h>

namespace vellumo {

// Asks for a single-threaded apartment (what CoInitialize does) and balances
// it with CoUninitialize when that request succeeded, S_OK or S_FALSE alike.
// After RPC_E_CHANGED_MODE the thread's COM belongs to whoever set it up as
// a multithreaded apartment, and it is left as it is.
class ComApartment {
  public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // True when the thread is in a single-threaded apartment for this scope.
    [[nodiscard]] bool Entered() const { return SUCCEEDED(result_); }
    // True when the thread already had its single-threaded apartment before
    // this scope (the request returned S_FALSE), as a host's UI thread does.
    [[nodiscard]] bool WasAlreadyEntered() const { return result_ == S_FALSE; }

  private:
    HRESULT result_;
};

}  // namespace vellumo
