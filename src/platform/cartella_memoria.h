// A folder held in memory, for tests: it records every file read, written and
// deleted, and can be made to refuse writing, as a read-only folder or a full
// disk would, or to fail a read, a deletion or a rename as a failing disk
// would.
#ifndef PLATFORM_CARTELLA_MEMORIA_H_
#define PLATFORM_CARTELLA_MEMORIA_H_

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/cartella.h"

class cartella_memoria : public cartella {
 public:
  std::map<std::string, std::string, std::less<>> file;
  std::vector<std::string> letti, scritti, cancellati;
  bool sola_lettura = false;
  // When set, writing fails once this many bytes have gone into one file.
  std::size_t limite_scrittura = static_cast<std::size_t>(-1);
  // Files whose reading or deletion fails with the given system error.
  std::map<std::string, int, std::less<>> guasti_lettura, guasti_cancellazione;
  // When set, publishing fails after this many renames (an I/O error), and
  // the renames made are undone.
  int rinomine_prima_del_guasto = -1;

  std::string percorso(std::string_view nome) const override;
  bool esiste(std::string_view nome) const override;
  esito_file leggi(std::string_view nome, std::string& contenuto) override;
  esito_file crea(std::string_view nome, std::string_view sostituisce,
                  std::unique_ptr<scrittore_file>& scrittore) override;
  esito_file pubblica(const std::vector<rinomina>& rinomine) override;
  esito_file cancella(std::string_view nome) override;

 private:
  // The files deleted. Shared, so that a copy of the folder can be made (the
  // copy keeps them as long as it lives too).
  std::vector<std::shared_ptr<decltype(file)::node_type>> cestino_;
};

#endif  // PLATFORM_CARTELLA_MEMORIA_H_
