// A plan read back from its file a block of metres at a time. The file is
// checked and indexed in one pass (every element's tag, the offset of each
// block of each axis, the metres a drawing can use); then its blocks are read
// as blocchi_piano asks for them.
#ifndef TABLES_PIANO_SU_FILE_H_
#define TABLES_PIANO_SU_FILE_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cartella.h"
#include "tables/blocchi_piano.h"
#include "tables/formato.h"
#include "tables/tabelle.h"

// The blocks of a plan read from its file: the offset of each block of each
// axis was found when the file was checked.
class blocchi_su_file : public blocchi_piano {
 public:
  blocchi_su_file(std::shared_ptr<lettore_file> file, int32_t metri,
                  std::array<std::vector<uint64_t>, 2> inizi,
                  std::optional<int32_t> pieni);

  std::optional<int32_t> metri_pieni() const override;

 private:
  void leggi_blocco(blocco_letto& b) const override;
  std::string_view byte_del_blocco(const blocco_letto& b,
                                   std::size_t byte) const;

  // The bytes last read for one axis, from the file's offset `inizio`.
  struct finestra {
    std::string dati;
    uint64_t inizio = 0;
    std::size_t pieni = 0;
    int32_t ultimo = -2;  // the block last asked for
  };

  std::shared_ptr<lettore_file> file_;
  std::array<std::vector<uint64_t>, 2> inizi_;  // each block's first byte
  std::optional<int32_t> pieni_;  // found when the file was indexed
  mutable std::array<finestra, 2> finestre_;
};

// Checks the plan file that `file` reads and indexes it into `piano`, which
// then reads its elements from the file as they are asked for. Refuses what
// decodifica_piano refuses, at the same offsets.
bool decodifica_piano(std::shared_ptr<lettore_file> file,
                      coordinate_piano& piano, errore_decodifica& e);

#endif  // TABLES_PIANO_SU_FILE_H_
