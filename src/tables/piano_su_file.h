// A plan read back from its file a block of metres at a time. The file is
// checked and indexed once (every element's tag, the offset of each block of
// each axis); then its blocks are read as blocchi_piano asks for them.
#ifndef TABLES_PIANO_SU_FILE_H_
#define TABLES_PIANO_SU_FILE_H_

#include <cstdint>
#include <memory>
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
                  std::array<std::vector<uint64_t>, 2> inizi);

 private:
  void leggi_blocco(blocco_letto& b) const override;

  std::shared_ptr<lettore_file> file_;
  std::array<std::vector<uint64_t>, 2> inizi_;  // each block's first byte
};

// Checks the plan file that `file` reads and indexes it into `piano`, which
// then reads its elements from the file as they are asked for. Refuses what
// decodifica_piano refuses, at the same offsets.
bool decodifica_piano(std::shared_ptr<lettore_file> file,
                      coordinate_piano& piano, errore_decodifica& e);

#endif  // TABLES_PIANO_SU_FILE_H_
