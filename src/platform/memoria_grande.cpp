#include "platform/memoria_grande.h"

#include <sys/mman.h>

#include <cstdlib>

namespace {

constexpr std::size_t pagina_grande = std::size_t{2} << 20;

}  // namespace

void* alloca_grande(std::size_t byte) {
  if (byte < pagina_grande) {
    void* p = std::malloc(byte == 0 ? 1 : byte);
    if (p == nullptr) throw std::bad_alloc();
    return p;
  }
  // aligned_alloc wants a size that is a multiple of the alignment; only the
  // whole huge pages are offered as such, so the tail costs no more than it
  // fills.
  const std::size_t arrotondati =
      (byte + pagina_grande - 1) / pagina_grande * pagina_grande;
  void* p = std::aligned_alloc(pagina_grande, arrotondati);
  if (p == nullptr) throw std::bad_alloc();
  // Only advice: where huge pages are not to be had, ordinary pages serve.
  ::madvise(p, byte / pagina_grande * pagina_grande, MADV_HUGEPAGE);
  return p;
}

void libera_grande(void* p, std::size_t) noexcept { std::free(p); }
