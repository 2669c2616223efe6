// TGfxArray: the growable array behind the vertex and index batches, with exact reservation so a
// caller who sizes a batch up front never sees it reallocate.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>

// 16-bit indices reach 65,536 vertices: a batch draws at most this many quads in one call and
// continues in a new draw after that.
inline constexpr std::uint32_t kMaxQuadsPerDraw = 16384;

template <typename T> class TGfxArray {
public:
    // Reallocates to exactly n elements, only when n holds the current elements and differs from
    // the capacity.
    void Reserve(std::uint32_t n) {
        if (n < count || n == capacity) return;
        Reallocate(n);
    }

    // Room for k more elements, growing to twice the capacity or to what is needed, whichever is
    // larger (8 at least when there is no storage yet); returns where they go.
    T* Append(std::uint32_t k) {
        if (count + k > capacity) {
            const std::uint32_t wanted = count + k;
            Reallocate(storage ? std::max(capacity * 2, wanted) : std::max<std::uint32_t>(8, wanted));
        }
        T* at = storage.get() + count;
        count += k;
        return at;
    }

    void Free() {
        storage.reset();
        capacity = 0;
        count = 0;
    }
    // Forgets the elements but keeps the storage.
    void Clear() { count = 0; }

    T* Data() { return storage.get(); }
    const T* Data() const { return storage.get(); }
    std::uint32_t Count() const { return count; }
    const T& operator[](std::uint32_t i) const { return storage[i]; }

private:
    void Reallocate(std::uint32_t n) {
        auto grown = std::make_unique_for_overwrite<T[]>(n);
        std::copy_n(storage.get(), count, grown.get());
        storage = std::move(grown);
        capacity = n;
    }

    std::unique_ptr<T[]> storage;
    std::uint32_t capacity = 0;
    std::uint32_t count = 0;
};
