// Owner types for Win32 handles: one traits class per kind, move-only owners.
//
//   UniqueHandle   kernel objects (events, mutexes, threads); empty = null
//   UniqueFile     handles whose empty value is INVALID_HANDLE_VALUE
//   UniqueKey      registry keys
//   UniqueModule   loaded libraries
//   UniqueDevInfo  device information lists
//   UniqueGdi<T>   GDI objects (fonts, brushes, bitmaps, regions)
//   UniqueDc       memory and information device contexts (DeleteDC)
//   UniqueIcon     icons made by LoadImage without LR_SHARED
//   UniqueHeap<T>  blocks of the process heap
//   HeldMutex      a wait's ownership of a mutex: its close releases the
//                  mutex, not the handle (the handle has its own owner)
#pragma once

#include <windows.h>
#include <setupapi.h>

#include <utility>

namespace ostrivan {

template <typename Traits>
class UniqueOwner {
public:
    using Type = typename Traits::Type;

    UniqueOwner() noexcept = default;
    explicit UniqueOwner(Type value) noexcept : value_(value) {}
    ~UniqueOwner() { reset(); }

    UniqueOwner(const UniqueOwner&) = delete;
    UniqueOwner& operator=(const UniqueOwner&) = delete;
    UniqueOwner(UniqueOwner&& other) noexcept : value_(other.release()) {}
    UniqueOwner& operator=(UniqueOwner&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Type get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Traits::Empty(); }

    void reset(Type value = Traits::Empty()) noexcept {
        Type old = value_;
        value_ = value;
        if (old != Traits::Empty()) Traits::Close(old);
    }
    [[nodiscard]] Type release() noexcept {
        Type old = value_;
        value_ = Traits::Empty();
        return old;
    }
    // Address for an out-parameter; releases what was held first.
    Type* put() noexcept {
        reset();
        return &value_;
    }

private:
    Type value_ = Traits::Empty();
};

struct HandleTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::CloseHandle(h); }
};
struct FileTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { ::CloseHandle(h); }
};
struct KeyTraits {
    using Type = HKEY;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::RegCloseKey(h); }
};
struct ModuleTraits {
    using Type = HMODULE;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::FreeLibrary(h); }
};
struct DevInfoTraits {
    using Type = HDEVINFO;
    static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { ::SetupDiDestroyDeviceInfoList(h); }
};
template <typename T>
struct GdiTraits {
    using Type = T;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::DeleteObject(h); }
};
struct DcTraits {
    using Type = HDC;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::DeleteDC(h); }
};

struct IconTraits {
    using Type = HICON;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::DestroyIcon(h); }
};

template <typename T>
struct HeapTraits {
    using Type = T*;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type block) noexcept { ::HeapFree(::GetProcessHeap(), 0, block); }
};

struct MutexReleaseTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type h) noexcept { ::ReleaseMutex(h); }
};

using UniqueHandle = UniqueOwner<HandleTraits>;
using UniqueFile = UniqueOwner<FileTraits>;
using UniqueKey = UniqueOwner<KeyTraits>;
using UniqueModule = UniqueOwner<ModuleTraits>;
using UniqueDevInfo = UniqueOwner<DevInfoTraits>;
template <typename T>
using UniqueGdi = UniqueOwner<GdiTraits<T>>;
using UniqueDc = UniqueOwner<DcTraits>;
using UniqueIcon = UniqueOwner<IconTraits>;
template <typename T>
using UniqueHeap = UniqueOwner<HeapTraits<T>>;
using HeldMutex = UniqueOwner<MutexReleaseTraits>;

}  // namespace ostrivan
