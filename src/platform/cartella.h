// The narrow file-system interface that the whole program goes through: one
// folder, files named inside it. The real implementation works on a folder of
// the disk; the descriptions' folder reads an author's own files and writes
// nowhere; the in-memory one serves the tests and records what was read,
// written and deleted.
#ifndef PLATFORM_CARTELLA_H_
#define PLATFORM_CARTELLA_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The reason of a refusal that is the program's own, not the system's, in
// English: the tools translate it where they show it (this layer lies below
// the one that marks texts, so the catalogue takes it by this name).
constexpr const char* motivo_proprio(const char* testo) { return testo; }

// The outcome of a file operation: success, or the path and the system's reason
// for the failure.
struct esito_file {
  bool ok = true;
  std::string percorso;
  // The program's own reason, in English; empty when the system's error
  // number says it all (the tools say that one in the language of the run,
  // which need not be the one the C library would choose).
  std::string motivo;
  int errno_sistema = 0;  // the system's error number, 0 when none applies

  static esito_file riuscito() { return {}; }
  static esito_file fallito(std::string percorso, std::string motivo,
                            int errno_sistema = 0) {
    return {false, std::move(percorso), std::move(motivo), errno_sistema};
  }
  static esito_file del_sistema(std::string percorso, int errno_sistema) {
    return {false, std::move(percorso), {}, errno_sistema};
  }
};

// A file open for writing. Failures are remembered and reported by chiudi().
class scrittore_file {
 public:
  virtual ~scrittore_file() = default;
  virtual void scrivi(const char* dati, std::size_t quanti) = 0;
  virtual esito_file chiudi() = 0;
  // How many bytes the file will take at most, told before the first write: a
  // writer that holds the bytes in memory takes its room once, instead of
  // growing and copying it at every doubling. Writes nothing.
  virtual void prevedi(std::size_t /*byte*/) {}
};

// A file open for reading a piece at a time, at any offset: for a file too
// large to hold whole while it is used (the plan of a long route).
class lettore_file {
 public:
  virtual ~lettore_file() = default;
  virtual uint64_t dimensione() const = 0;
  // Reads up to `quanti` bytes from `offset` into `dati`; `letti` is fewer
  // only at the end of the file.
  virtual esito_file leggi(uint64_t offset, char* dati, std::size_t quanti,
                           std::size_t& letti) = 0;
};

// A reader over bytes already in memory.
std::unique_ptr<lettore_file> lettore_in_memoria(std::string dati);

// A finished temporary file and the name it is to take.
struct rinomina {
  std::string da;
  std::string a;
};

class cartella {
 public:
  virtual ~cartella() = default;

  // The folder joined to a file name with the platform's separator.
  virtual std::string percorso(std::string_view nome) const = 0;
  // True for an ordinary file of that name (not a folder or a device).
  virtual bool esiste(std::string_view nome) const = 0;
  virtual esito_file leggi(std::string_view nome, std::string& contenuto) = 0;
  // Reads a file as leggi() does, for a reader that only looks at its bytes:
  // `testo` views them. A folder that holds them in memory already lends its
  // own bytes (valid while the folder lives), so that a description of tens
  // of megabytes is not copied; any other reads them into `deposito`.
  virtual esito_file leggi_vista(std::string_view nome, std::string& deposito,
                                 std::string_view& testo);
  // Opens a file to read it a piece at a time, with the same refusals as
  // leggi(). Unless a folder knows better, the whole file is read at once.
  virtual esito_file apri(std::string_view nome,
                          std::unique_ptr<lettore_file>& lettore);
  // Creates a file that does not exist yet, to replace the file `sostituisce`
  // later: it takes that file's permissions (a new file's when there is
  // none), and until it is renamed or deleted it is a temporary file, which
  // a signal that ends the program removes. With `sostituisce` equal to
  // `nome` the file is a final one. An existing name, a link included, is
  // refused: nothing already there is ever written through.
  virtual esito_file crea(std::string_view nome, std::string_view sostituisce,
                          std::unique_ptr<scrittore_file>& scrittore) = 0;
  // Renames each `da` over its `a`, in order (an empty `da` removes `a`, when
  // it is there), then makes the renames durable. Another run that publishes
  // into the same folder waits until all are done, so that two runs never mix
  // their sets. All or nothing: on a failure every `a` holds its older file
  // again.
  virtual esito_file pubblica(const std::vector<rinomina>& rinomine) = 0;
  virtual esito_file cancella(std::string_view nome) = 0;
};

#endif  // PLATFORM_CARTELLA_H_
