// A plan read a block of metres at a time, from wherever its blocks come
// from (its file, or the stretches the compiler lays): a block is filled
// again when one of its metres is asked for, and the last few are kept. A
// plan of a million metres thus costs a few hundred kilobytes to walk,
// whatever views walk it.
#ifndef TABLES_BLOCCHI_PIANO_H_
#define TABLES_BLOCCHI_PIANO_H_

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "tables/tabelle.h"

class blocchi_piano {
 public:
  static constexpr int32_t metri_per_blocco = 1024;

  explicit blocchi_piano(int32_t metri);
  virtual ~blocchi_piano() = default;
  blocchi_piano(const blocchi_piano&) = delete;
  blocchi_piano& operator=(const blocchi_piano&) = delete;

  int32_t metri() const { return metri_; }
  // The metres from 0 in a row whose two elements are there and finite, when
  // known without walking the plan.
  virtual std::optional<int32_t> metri_pieni() const { return std::nullopt; }
  tipo_variante tipo(int asse, int32_t metro) const {
    return blocco(asse, metro).tipi[indice(metro)];
  }
  double valore(int asse, int32_t metro) const {
    return blocco(asse, metro).valori[indice(metro)];
  }

 protected:
  struct blocco_letto {
    int asse = -1;
    int32_t numero = -1;
    uint64_t uso = 0;
    std::array<tipo_variante, metri_per_blocco> tipi{};
    std::array<double, metri_per_blocco> valori{};
  };
  // Fills block `b.numero` of axis `b.asse`: every element Empty and 0 that
  // cannot be had.
  virtual void leggi_blocco(blocco_letto& b) const = 0;

 private:
  static std::size_t indice(int32_t metro) {
    return static_cast<std::size_t>(metro % metri_per_blocco);
  }
  // The last block of the axis, looked at inline: walks ask for the metres
  // of one block in a row.
  const blocco_letto& blocco(int asse, int32_t metro) const {
    const blocco_letto* ultimo = ultimo_[static_cast<std::size_t>(asse)];
    if (ultimo != nullptr && ultimo->numero == metro / metri_per_blocco &&
        ultimo->asse == asse)
      return *ultimo;
    return cerca(asse, metro);
  }
  const blocco_letto& cerca(int asse, int32_t metro) const;

  int32_t metri_;
  // The blocks kept, the last one of each axis first to be looked at.
  mutable std::vector<blocco_letto> tenuti_;
  mutable std::array<const blocco_letto*, 2> ultimo_{};
  mutable uint64_t orologio_ = 0;
};

#endif  // TABLES_BLOCCHI_PIANO_H_
