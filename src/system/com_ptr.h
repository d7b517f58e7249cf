#pragma once
// Owners for COM references and for the memory and structures that COM hands out.

#include "system/error_exception.h"

#include <objbase.h>
#include <propidl.h>
#include <shlobj.h>

#include <utility>

namespace n_zql::n_system::n_windows::n_com {

// One reference to a COM object. Query throws when the interface is missing; TryQuery gives an empty pointer.
template <typename T>
class t_ComPtr {
public:
    t_ComPtr() noexcept = default;
    // Takes over a reference the caller already owns.
    explicit t_ComPtr(T* pointer) noexcept : pointer_(pointer) {}
    t_ComPtr(const t_ComPtr& other) noexcept : pointer_(other.pointer_) {
        if (pointer_) pointer_->AddRef();
    }
    t_ComPtr(t_ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    t_ComPtr& operator=(t_ComPtr other) noexcept {
        std::swap(pointer_, other.pointer_);
        return *this;
    }
    ~t_ComPtr() { Reset(); }

    T* Get() const noexcept { return pointer_; }
    T* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    void Reset() noexcept {
        if (T* old = std::exchange(pointer_, nullptr)) old->Release();
    }
    T* Detach() noexcept { return std::exchange(pointer_, nullptr); }

    // For out-parameters (with IID_PPV_ARGS): releases the current reference first.
    T** Put() noexcept {
        Reset();
        return &pointer_;
    }

    template <typename U>
    t_ComPtr<U> TryQuery() const noexcept {
        t_ComPtr<U> result;
        if (pointer_) pointer_->QueryInterface(IID_PPV_ARGS(result.Put()));
        return result;
    }

    template <typename U>
    t_ComPtr<U> Query() const {
        if (!pointer_) ThrowHResult(E_POINTER);
        t_ComPtr<U> result;
        ThrowIfFailed(pointer_->QueryInterface(IID_PPV_ARGS(result.Put())));
        return result;
    }

private:
    T* pointer_ = nullptr;
};

// A string allocated by COM (CoTaskMemAlloc), such as the path SHGetKnownFolderPath returns.
class t_CoTaskMemString {
public:
    t_CoTaskMemString() noexcept = default;
    t_CoTaskMemString(const t_CoTaskMemString&) = delete;
    t_CoTaskMemString& operator=(const t_CoTaskMemString&) = delete;
    ~t_CoTaskMemString() { CoTaskMemFree(text_); }

    const wchar_t* Get() const noexcept { return text_; }
    PWSTR* Put() noexcept {
        CoTaskMemFree(std::exchange(text_, nullptr));
        return &text_;
    }

private:
    PWSTR text_ = nullptr;
};

// A PROPVARIANT that is cleared when it goes.
class t_PropVariant {
public:
    t_PropVariant() noexcept { PropVariantInit(&value_); }
    t_PropVariant(const t_PropVariant&) = delete;
    t_PropVariant& operator=(const t_PropVariant&) = delete;
    ~t_PropVariant() { PropVariantClear(&value_); }

    const PROPVARIANT& Get() const noexcept { return value_; }
    PROPVARIANT* Put() noexcept {
        PropVariantClear(&value_);
        return &value_;
    }

private:
    PROPVARIANT value_;
};

// An ID list allocated by the shell.
class t_IdList {
public:
    t_IdList() noexcept = default;
    explicit t_IdList(PIDLIST_ABSOLUTE list) noexcept : list_(list) {}
    t_IdList(t_IdList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    t_IdList& operator=(t_IdList&& other) noexcept {
        std::swap(list_, other.list_);
        return *this;
    }
    t_IdList(const t_IdList&) = delete;
    t_IdList& operator=(const t_IdList&) = delete;
    ~t_IdList() { ILFree(list_); }

    PCIDLIST_ABSOLUTE Get() const noexcept { return list_; }
    explicit operator bool() const noexcept { return list_ != nullptr; }
    PIDLIST_ABSOLUTE* Put() noexcept {
        ILFree(std::exchange(list_, nullptr));
        return &list_;
    }

private:
    PIDLIST_ABSOLUTE list_ = nullptr;
};

// The COM apartment of the current thread: initialised on construction, uninitialised on destruction when the
// initialisation took (S_OK or S_FALSE both count and must be balanced).
class t_ComApartment {
public:
    explicit t_ComApartment(DWORD model = COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE) noexcept
        : result_(CoInitializeEx(nullptr, model)) {}
    t_ComApartment(const t_ComApartment&) = delete;
    t_ComApartment& operator=(const t_ComApartment&) = delete;
    ~t_ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    HRESULT Result() const noexcept { return result_; }

private:
    HRESULT result_;
};

} // namespace n_zql::n_system::n_windows::n_com
