#include "agenda/MemoriaGrande.h"

#include <sys/mman.h>

namespace varnolt {

void* ReservarGrande(std::size_t bytes) {
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
        return nullptr;
    }
#ifdef MADV_HUGEPAGE
    ::madvise(p, bytes, MADV_HUGEPAGE);  // a hint: refused is fine
#endif
    return p;
}

void LiberarGrande(void* bloque, std::size_t bytes) {
    if (bloque != nullptr) {
        ::munmap(bloque, bytes);
    }
}

}  // namespace varnolt
