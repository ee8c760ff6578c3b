// A twin of the system for the tests of a publication: it passes every call
// to the system, numbers the calls, and can fail any one of them, or stop the
// run there as a crash would. It remembers what was not made durable yet (file
// data not synced, folder changes since the last sync of the folder) and, at
// a crash, drops it: every unsynced file loses its data and any chosen subset
// of the unsynced folder changes is undone, as a disk that orders nothing.
#ifndef TESTS_PLATFORM_GEMELLO_SISTEMA_H_
#define TESTS_PLATFORM_GEMELLO_SISTEMA_H_

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/sistema_file.h"

class sistema_gemello : public sistema_file {
 public:
  // `salvati` is a folder on the same file system where replaced files are
  // kept, so that a crash can bring them back.
  explicit sistema_gemello(std::string salvati)
      : salvati_(std::move(salvati)) {}

  // The call numbered `posizione` (from 1) fails with `codice`; with
  // `permanente`, every call after it fails too (a disk that went away).
  int posizione_guasto = 0;
  int codice = EIO;
  bool permanente = false;
  // With `crash`, the call numbered `posizione_guasto` is not made: the
  // unsynced changes are dropped, keeping those whose bit is set in
  // `conserva`, and the process ends with the number of unsynced folder
  // changes as its status.
  bool crash = false;
  std::uint64_t conserva = 0;
  // blocca() fails with this error number when not 0.
  int errore_blocco = 0;
  // The process sends itself `segnale` before the call numbered
  // `posizione_segnale`.
  int segnale = 0;
  int posizione_segnale = 0;

  int chiamate = 0;
  // The number of the call that removed the journal: the commit.
  int chiamata_commit = 0;

  // Drops what is not durable now (see above); returns how many folder
  // changes were unsynced.
  int perdi_non_sincronizzato(std::uint64_t conserva);

  int apri(const char* percorso, int modi, mode_t permessi) override;
  ssize_t scrivi(int descrittore, const void* dati,
                 std::size_t quanti) override;
  int sincronizza(int descrittore) override;
  int chiudi(int descrittore) override;
  int rinomina(const char* da, const char* a) override;
  int collega(const char* esistente, const char* nuovo) override;
  int cancella(const char* percorso) override;
  int blocca(int descrittore, int operazione) override;

 private:
  struct cambiamento {
    enum { creato, rinominato, collegato, cancellato } tipo;
    std::string a, b, salvato;
  };
  // False when this call is to fail (errno set); a crash does not return.
  bool prossima();
  std::string salva(const std::string& percorso);

  std::string salvati_;
  int salvataggi_ = 0;
  bool morto_ = false;
  std::map<int, std::string> aperti_;
  std::set<int> cartelle_;
  std::set<std::string> sporchi_;  // files with data not synced
  std::vector<cambiamento> non_sincronizzati_;
};

#endif  // TESTS_PLATFORM_GEMELLO_SISTEMA_H_
