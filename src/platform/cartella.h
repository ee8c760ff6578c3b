// The narrow file-system interface that the whole program goes through: one
// folder, files named inside it. The real implementation works on a folder of
// the disk; the descriptions' folder reads an author's own files and writes
// nowhere; the in-memory one serves the tests and records what was read,
// written and deleted.
#ifndef PLATFORM_CARTELLA_H_
#define PLATFORM_CARTELLA_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// The outcome of a file operation: success, or the path and the system's reason
// for the failure.
struct esito_file {
  bool ok = true;
  std::string percorso;
  std::string motivo;
  int errno_sistema = 0;  // the system's error number, 0 when none applies

  static esito_file riuscito() { return {}; }
  static esito_file fallito(std::string percorso, std::string motivo,
                            int errno_sistema = 0) {
    return {false, std::move(percorso), std::move(motivo), errno_sistema};
  }
};

// A file open for writing. Failures are remembered and reported by chiudi().
class scrittore_file {
 public:
  virtual ~scrittore_file() = default;
  virtual void scrivi(const char* dati, std::size_t quanti) = 0;
  virtual esito_file chiudi() = 0;
};

class cartella {
 public:
  virtual ~cartella() = default;

  // The folder joined to a file name with the platform's separator.
  virtual std::string percorso(std::string_view nome) const = 0;
  // True for an ordinary file of that name (not a folder or a device).
  virtual bool esiste(std::string_view nome) const = 0;
  virtual esito_file leggi(std::string_view nome, std::string& contenuto) = 0;
  // Creates a file that does not exist yet. An existing name, a link
  // included, is refused: nothing already there is ever written through.
  virtual esito_file crea(std::string_view nome,
                          std::unique_ptr<scrittore_file>& scrittore) = 0;
  // Replaces `a` with `da` in one step.
  virtual esito_file rinomina(std::string_view da, std::string_view a) = 0;
  virtual esito_file cancella(std::string_view nome) = 0;
};

#endif  // PLATFORM_CARTELLA_H_
