// A folder of the disk, through the operating system.
#ifndef PLATFORM_CARTELLA_REALE_H_
#define PLATFORM_CARTELLA_REALE_H_

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/cartella.h"
#include "platform/sistema_file.h"

// No file that the program reads is larger than this: a description is a few
// kilobytes and the largest binary file, the plan of a 1,000,000-metre route,
// about 20 MB. A larger file, or a device that gives more, is refused before
// it fills the memory.
inline constexpr std::size_t dimensione_massima_lettura = std::size_t{64} << 20;

// How long a run waits for a folder that another run holds, and whom it tells.
// A run that holds a folder does so for the time of a publication or of a
// read, a fraction of a second: a wait of seconds means a holder that was
// stopped, and the run gives up rather than waiting for ever.
struct attesa_cartella {
  std::chrono::milliseconds limite{std::chrono::seconds(10)};
  // Told once, after the first second of waiting: the folder and the process
  // that holds it (0 when the system does not tell).
  std::function<void(const std::string& cartella, long processo)> avvisa;
};

// A folder held for reading (a shared lock) while this object lives: a run
// that publishes into it waits until every reader is done, so that what is
// read is one run's set.
class lettura_cartella {
 public:
  lettura_cartella() = default;
  ~lettura_cartella();
  lettura_cartella(lettura_cartella&& altra) noexcept;
  lettura_cartella& operator=(lettura_cartella&&) = delete;
  lettura_cartella(const lettura_cartella&) = delete;

 private:
  friend class cartella_reale;
  int descrittore_ = -1;
};

class cartella_reale : public cartella {
 public:
  // `radice` is the folder's path, without a trailing separator; every change
  // goes through `sistema` (a twin of the system, for the tests).
  explicit cartella_reale(std::string radice,
                          sistema_file& sistema = sistema_reale());
  ~cartella_reale() override;
  cartella_reale(const cartella_reale&) = delete;
  cartella_reale& operator=(const cartella_reale&) = delete;

  // Holds the folder for the rest of this object's life: another run that
  // holds it or publishes into it waits. For a run whose working files have
  // the same names as another run's (the build's two descriptions).
  esito_file riserva();
  // Holds the folder for a long run (watch) until this object ends. Refused
  // at once, with the reason, when another run holds it or publishes into
  // it; while held, another run that would publish into it or hold it is
  // refused at once too, rather than left waiting for as long as this one
  // runs.
  esito_file tieni();

  // How long to wait for a folder that another run holds; 10 s, with no
  // word, unless set.
  void imposta_attesa(attesa_cartella attesa) { attesa_ = std::move(attesa); }
  // Holds the folder for reading in `lettura`: a publication left unfinished
  // is undone first, then writers wait until `lettura` ends. Refused, with
  // the reason, when the folder cannot be locked or the wait runs out.
  esito_file blocca_lettura(lettura_cartella& lettura);

  std::string percorso(std::string_view nome) const override;
  bool esiste(std::string_view nome) const override;
  esito_file leggi(std::string_view nome, std::string& contenuto) override;
  // A regular file is read where it lies, a piece at a time; anything else
  // is read whole, as leggi() does.
  esito_file apri(std::string_view nome,
                  std::unique_ptr<lettore_file>& lettore) override;
  esito_file crea(std::string_view nome, std::string_view sostituisce,
                  std::unique_ptr<scrittore_file>& scrittore) override;
  // Publishes the set as a journaled commit (platform/pubblicazione.h): the
  // folder holds every new file or every older one, never a mixture.
  esito_file pubblica(const std::vector<rinomina>& rinomine) override;
  esito_file cancella(std::string_view nome) override;

 private:
  // Opens the folder into `descrittore` and locks it, waiting for another
  // run that holds it; a failure when the folder cannot be opened or locked,
  // or when a long run holds it (tieni()).
  esito_file apri_bloccata(int& descrittore) const;
  // Locks the folder open as `descrittore`, as apri_bloccata() does.
  esito_file blocca_esclusiva(int descrittore) const;
  // Takes the lock `modo` (LOCK_EX or LOCK_SH), waiting within the bound for
  // a short run that holds the folder.
  esito_file blocca(int descrittore, int modo) const;
  // Undoes a publication that a stopped run left unfinished, before this run
  // reads the folder.
  esito_file ripara_se_serve();

  std::string radice_;
  sistema_file& sistema_;
  int riservata_ = -1;  // the folder held by riserva(), or -1
  attesa_cartella attesa_;
};

// Holds for reading the folder of each of `percorsi` (each folder once),
// waiting as `attesa` says; a folder that is not there is skipped. A failure
// names the folder.
esito_file blocca_lettura_percorsi(const std::vector<std::string>& percorsi,
                                   const attesa_cartella& attesa,
                                   std::vector<lettura_cartella>& letture);
// The process that holds a lock on the folder `radice`, as the system lists
// it; 0 when none is listed.
long processo_che_blocca(const std::string& radice);

// Reads a whole file given by its path; a failure names that path.
esito_file leggi_percorso(const std::string& percorso, std::string& contenuto);
// Whether renaming a file over `sostituito` would replace the file that `letto`
// names: the same device and inode as the entry itself (a link there is
// replaced, not written through, so it does not count).
bool sostituirebbe(const std::string& sostituito, const std::string& letto);
// Opens a file given by its path to read it a piece at a time.
esito_file apri_percorso(const std::string& percorso,
                         std::shared_ptr<lettore_file>& lettore);

// The folder that holds the running executable, found from the executable's own
// path, so that the current directory plays no part. Empty when the system
// cannot tell.
std::string cartella_eseguibile();

#endif  // PLATFORM_CARTELLA_REALE_H_
