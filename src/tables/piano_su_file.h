// A plan read back from its file a block of metres at a time. The file is
// checked and indexed once (every element's tag, the offset of each block of
// each axis); then a block is read again when one of its metres is asked for,
// and the last few are kept. A plan of a million metres thus costs a few
// hundred kilobytes to read, whatever views walk it.
#ifndef TABLES_PIANO_SU_FILE_H_
#define TABLES_PIANO_SU_FILE_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/cartella.h"
#include "tables/formato.h"
#include "tables/tabelle.h"

class blocchi_piano {
 public:
  static constexpr int32_t metri_per_blocco = 4096;

  blocchi_piano(std::shared_ptr<lettore_file> file, int32_t metri,
                std::array<std::vector<uint64_t>, 2> inizi);

  int32_t metri() const { return metri_; }
  tipo_variante tipo(int asse, int32_t metro) const {
    return blocco(asse, metro).tipi[indice(metro)];
  }
  double valore(int asse, int32_t metro) const {
    return blocco(asse, metro).valori[indice(metro)];
  }

 private:
  struct blocco_letto {
    int asse = -1;
    int32_t numero = -1;
    uint64_t uso = 0;
    std::array<tipo_variante, metri_per_blocco> tipi{};
    std::array<double, metri_per_blocco> valori{};
  };
  static std::size_t indice(int32_t metro) {
    return static_cast<std::size_t>(metro % metri_per_blocco);
  }
  const blocco_letto& blocco(int asse, int32_t metro) const;
  void leggi_blocco(blocco_letto& b) const;

  std::shared_ptr<lettore_file> file_;
  int32_t metri_;
  std::array<std::vector<uint64_t>, 2> inizi_;  // each block's first byte
  // The blocks kept, the last one of each axis first to be looked at.
  mutable std::vector<blocco_letto> tenuti_;
  mutable std::array<const blocco_letto*, 2> ultimo_{};
  mutable uint64_t orologio_ = 0;
  mutable std::string dati_;  // the bytes of the block being read
};

// Checks the plan file that `file` reads and indexes it into `piano`, which
// then reads its elements from the file as they are asked for. Refuses what
// decodifica_piano refuses, at the same offsets.
bool decodifica_piano(std::shared_ptr<lettore_file> file,
                      coordinate_piano& piano, errore_decodifica& e);

#endif  // TABLES_PIANO_SU_FILE_H_
