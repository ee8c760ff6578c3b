// An allocator for the large tables (a million-metre plan holds 18 MB): blocks
// of 2 MB or more are aligned to 2 MB and offered to the system as huge pages,
// so that filling them costs a few hundred page faults instead of thousands.
// Smaller blocks come from the ordinary heap.
#ifndef PLATFORM_MEMORIA_GRANDE_H_
#define PLATFORM_MEMORIA_GRANDE_H_

#include <cstddef>
#include <new>

void* alloca_grande(std::size_t byte);
void libera_grande(void* p, std::size_t byte) noexcept;

template <typename T>
struct allocatore_grande {
  using value_type = T;

  allocatore_grande() = default;
  template <typename U>
  allocatore_grande(const allocatore_grande<U>&) noexcept {}

  T* allocate(std::size_t n) {
    return static_cast<T*>(alloca_grande(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept {
    libera_grande(p, n * sizeof(T));
  }
  template <typename U>
  bool operator==(const allocatore_grande<U>&) const noexcept {
    return true;
  }
};

#endif  // PLATFORM_MEMORIA_GRANDE_H_
