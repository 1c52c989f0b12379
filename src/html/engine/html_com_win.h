// Small RAII holders for the COM resources of the MSHTML engine: interface
// pointers, BSTRs and a one-element VARIANT array. Windows only (the
// thread's apartment is platform/com_apartment_win.h).
#pragma once

#include <objbase.h>
#include <oleauto.h>

namespace vellumo {

// One reference to a COM interface, released at the end of the scope.
template <typename Interface>
class ComRef {
  public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    void Reset() {
        if (pointer_ != nullptr) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }
    [[nodiscard]] Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For out parameters: the holder takes over what is stored there.
    Interface** Receive() {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

  private:
    Interface* pointer_ = nullptr;
};

// A BSTR freed exactly once, at the end of the scope.
class BstrHolder {
  public:
    BstrHolder() = default;
    explicit BstrHolder(BSTR value) : value_(value) {}
    ~BstrHolder() { SysFreeString(value_); }
    BstrHolder(const BstrHolder&) = delete;
    BstrHolder& operator=(const BstrHolder&) = delete;

    [[nodiscard]] BSTR Get() const { return value_; }
    BSTR* Receive() {
        SysFreeString(value_);
        value_ = nullptr;
        return &value_;
    }

  private:
    BSTR value_ = nullptr;
};

// A one-element VARIANT array (lower bound 0) whose element lends a BSTR
// that it does not own: the element is emptied before the array is
// destroyed, so SafeArrayDestroy does not free the string a second time.
class SingleVariantArray {
  public:
    explicit SingleVariantArray(BSTR lent) : array_(SafeArrayCreateVector(VT_VARIANT, 0, 1)) {
        void* data = nullptr;
        if (array_ != nullptr && SUCCEEDED(SafeArrayAccessData(array_, &data))) {
            element_ = static_cast<VARIANT*>(data);
            element_->vt = VT_BSTR;
            element_->bstrVal = lent;
        }
    }
    ~SingleVariantArray() {
        if (element_ != nullptr) {
            element_->vt = VT_EMPTY;
            element_->bstrVal = nullptr;
            SafeArrayUnaccessData(array_);
        }
        if (array_ != nullptr) {
            SafeArrayDestroy(array_);
        }
    }
    SingleVariantArray(const SingleVariantArray&) = delete;
    SingleVariantArray& operator=(const SingleVariantArray&) = delete;

    [[nodiscard]] bool Valid() const { return element_ != nullptr; }
    [[nodiscard]] SAFEARRAY* Get() const { return array_; }

  private:
    SAFEARRAY* array_;
    VARIANT* element_ = nullptr;
};

}  // namespace vellumo
