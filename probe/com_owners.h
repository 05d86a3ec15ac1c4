#pragma once
#include <oleauto.h>
#include <windows.h>

#include <string_view>
#include <utility>

// Owners for COM interfaces, VARIANTs and BSTRs: one owner per reference, so
// early returns need no clean-up and nothing is released twice.

// Holds one counted reference to an interface.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(T* owned) : pointer_(owned) {}
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            ReleaseNow();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { ReleaseNow(); }

    // Adds a reference of its own to a borrowed pointer.
    static ComPtr FromBorrowed(T* borrowed) {
        if (borrowed) borrowed->AddRef();
        return ComPtr(borrowed);
    }

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For calls that hand out a new reference; whatever was held is released.
    T** Out() {
        ReleaseNow();
        return &pointer_;
    }
    // Gives up the pointer without releasing it.
    T* Detach() { return std::exchange(pointer_, nullptr); }
    // Releases the reference now and returns what Release returned (0 when
    // nothing was held).
    ULONG ReleaseNow() {
        T* old = std::exchange(pointer_, nullptr);
        return old ? old->Release() : 0;
    }

  private:
    T* pointer_ = nullptr;
};

// A VARIANT that is cleared when it goes out of scope.
class Variant {
  public:
    Variant() { VariantInit(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
    Variant& operator=(Variant&& other) noexcept {
        if (this != &other) {
            Clear();
            value_ = other.value_;
            VariantInit(&other.value_);
        }
        return *this;
    }
    ~Variant() { Clear(); }

    void Clear() { VariantClear(&value_); }
    // Clears first, so whatever the variant held is released.
    void AssignInt32(LONG number) {
        Clear();
        value_.vt = VT_I4;
        value_.lVal = number;
    }
    VARIANT& Raw() { return value_; }
    const VARIANT& Raw() const { return value_; }
    // For calls that fill a VARIANT; whatever was held is cleared first.
    VARIANT* Out() {
        Clear();
        return &value_;
    }
    VARTYPE Type() const { return value_.vt; }

  private:
    VARIANT value_;
};

// A BSTR freed when it goes out of scope.
class Bstr {
  public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text)
        : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        if (this != &other) {
            SysFreeString(text_);
            text_ = std::exchange(other.text_, nullptr);
        }
        return *this;
    }
    ~Bstr() { SysFreeString(text_); }

    BSTR Get() const { return text_; }
    // Hands the string to a VARIANT or a callee that frees it.
    BSTR Detach() { return std::exchange(text_, nullptr); }

  private:
    BSTR text_ = nullptr;
};
