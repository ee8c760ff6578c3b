#include "platform/cartella_reale.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "platform/pubblicazione.h"
#include "platform/segnali.h"

namespace {

constexpr char separatore = '/';

esito_file fallito(std::string percorso, int codice) {
  return esito_file::del_sistema(std::move(percorso), codice);
}

// A long run (watch) marks the folder it holds with a shared lock of the
// open file on its first byte, beside the folder's lock: a run that finds the
// folder locked asks whether that mark is there. Such locks belong to the
// open folder, not to the process, so this run's own other opens of the
// folder do not drop it.
struct flock byte_della_tenuta(short tipo) {
  struct flock f {};
  f.l_type = tipo;
  f.l_whence = SEEK_SET;
  f.l_start = 0;
  f.l_len = 1;
  return f;
}

bool segna_tenuta(int descrittore) {
  struct flock f = byte_della_tenuta(F_RDLCK);
  return ::fcntl(descrittore, F_OFD_SETLK, &f) == 0;
}

bool tenuta_a_lungo(int descrittore) {
  struct flock f = byte_della_tenuta(F_WRLCK);
  return ::fcntl(descrittore, F_OFD_GETLK, &f) == 0 && f.l_type != F_UNLCK;
}

// A pipe or a device that gives nothing for this long has no program writing
// into it (a FIFO that nobody opened) or waits for a person (a terminal): it
// is refused rather than waited for without end.
constexpr int attesa_tubo_ms = 2000;

// The program's own refusals of a folder or of a file.
enum class rifiuto {
  tenuta_da_altri,
  // A reader is refused at once too: watch holds its folder for as long as
  // it runs, and publishes into it at every save.
  tenuta_da_altri_in_lettura,
  attesa_scaduta,
  troppo_grande,
  tubo_muto,      // nothing came for attesa_tubo_ms
  senza_blocchi,  // a file system without locks: see blocca()
};

// The refusal `perche` of `percorso`: its reason and its error number.
esito_file rifiutato(std::string percorso, rifiuto perche) {
  struct motivo {
    const char* testo;
    int codice;
  };
  static constexpr motivo motivi[] = {
      {motivo_proprio("the folder is held by a running watch: stop it, or "
                      "write elsewhere with --out"),
       EWOULDBLOCK},
      {motivo_proprio("the folder is held by a running watch: stop it to "
                      "read the files"),
       EWOULDBLOCK},
      {motivo_proprio("another run held the folder for longer than the wait "
                      "allowed (--lock-wait raises it): nothing was changed"),
       EWOULDBLOCK},
      {motivo_proprio("file too large: beyond the limit of 64 MB"), EFBIG},
      {motivo_proprio("not a file, and nothing came from it for 2 s: no "
                      "program writes into it"),
       ETIMEDOUT},
      {motivo_proprio("the folder cannot be locked: its file system has no "
                      "locks, and nothing was changed"),
       ENOLCK},
  };
  const motivo& m = motivi[static_cast<int>(perche)];
  return esito_file::fallito(std::move(percorso), m.testo, m.codice);
}

// Waits, within the bound, until a pipe or a device has something to read
// or has ended: 0, ETIMEDOUT or the system's error number. A FIFO that no
// writer opened yet says neither, where a read would find its end at once.
int attendi_dati(int descrittore) {
  struct pollfd attesa {};
  attesa.fd = descrittore;
  attesa.events = POLLIN;
  for (;;) {
    const int pronti = ::poll(&attesa, 1, attesa_tubo_ms);
    if (pronti > 0) return 0;
    if (pronti == 0) return ETIMEDOUT;
    if (errno != EINTR) return errno;
  }
}

// Reads what the descriptor gives, never more than the limit, so that a
// device without an end (/dev/zero) or a file that grows is refused too. A
// descriptor that is not a regular file's is open without blocking and is
// waited for within the bound before each read.
int leggi_entro_limite(int descrittore, std::string& contenuto,
                       bool regolare = true) {
  contenuto.clear();
  char blocco[1 << 16];
  for (;;) {
    if (!regolare) {
      const int codice = attendi_dati(descrittore);
      if (codice != 0) return codice;
    }
    ssize_t letti = ::read(descrittore, blocco, sizeof blocco);
    if (letti < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return errno;
    }
    if (letti == 0) return 0;
    if (contenuto.size() + static_cast<std::size_t>(letti) >
        dimensione_massima_lettura) {
      return EFBIG;
    }
    contenuto.append(blocco, static_cast<std::size_t>(letti));
  }
}

// A regular file larger than the limit is refused before it is read; a
// folder cannot be read; a device or a pipe is read within the limit.
int controlla_prima_di_leggere(int descrittore) {
  struct stat informazioni;
  if (::fstat(descrittore, &informazioni) != 0) return errno;
  if (S_ISDIR(informazioni.st_mode)) return EISDIR;
  if (S_ISREG(informazioni.st_mode) &&
      static_cast<std::size_t>(informazioni.st_size) >
          dimensione_massima_lettura) {
    return EFBIG;
  }
  return 0;
}

class scrittore_reale : public scrittore_file {
 public:
  scrittore_reale(sistema_file& sistema, int descrittore, std::string percorso)
      : sistema_(sistema),
        descrittore_(descrittore),
        percorso_(std::move(percorso)) {
    memoria_.reserve(capacita);
  }
  ~scrittore_reale() override {
    if (descrittore_ >= 0) sistema_.chiudi(descrittore_);
  }

  void scrivi(const char* dati, std::size_t quanti) override {
    if (errore_ != 0) return;
    if (memoria_.size() + quanti > capacita) svuota();
    if (quanti > capacita) {
      scrivi_tutto(dati, quanti);
    } else {
      memoria_.insert(memoria_.end(), dati, dati + quanti);
    }
  }

  esito_file chiudi() override {
    svuota();
    // The data must be on the disk before the file is renamed over an older
    // good one.
    if (errore_ == 0 && sistema_.sincronizza(descrittore_) != 0)
      errore_ = errno;
    if (sistema_.chiudi(descrittore_) != 0 && errore_ == 0) errore_ = errno;
    descrittore_ = -1;
    if (errore_ != 0) return fallito(percorso_, errore_);
    return esito_file::riuscito();
  }

 private:
  static constexpr std::size_t capacita = 1 << 16;
  static constexpr std::size_t blocco_disco = 1 << 20;

  void svuota() {
    if (!memoria_.empty()) scrivi_tutto(memoria_.data(), memoria_.size());
    memoria_.clear();
  }
  void scrivi_tutto(const char* dati, std::size_t quanti) {
    while (quanti > 0 && errore_ == 0) {
      ssize_t scritti = sistema_.scrivi(descrittore_, dati, quanti);
      if (scritti < 0) {
        if (errno == EINTR) continue;
        errore_ = errno;
        return;
      }
      dati += scritti;
      quanti -= static_cast<std::size_t>(scritti);
      avvia_scrittura_su_disco(static_cast<std::size_t>(scritti));
    }
  }
  // Starts writing each megabyte to the disk as soon as it is complete, so that
  // the disk works while the rest is computed and the final fsync has little
  // left to wait for.
  void avvia_scrittura_su_disco(std::size_t scritti) {
    scritti_ += scritti;
    if (scritti_ - avviati_ < blocco_disco) return;
    ::sync_file_range(descrittore_, static_cast<off_t>(avviati_),
                      static_cast<off_t>(scritti_ - avviati_),
                      SYNC_FILE_RANGE_WRITE);
    avviati_ = scritti_;
  }

  sistema_file& sistema_;
  int descrittore_;
  std::string percorso_;
  std::vector<char> memoria_;
  int errore_ = 0;
  std::size_t scritti_ = 0;  // bytes written so far
  std::size_t avviati_ = 0;  // bytes whose writing to the disk has started
};

}  // namespace

cartella_reale::cartella_reale(std::string radice, sistema_file& sistema)
    : radice_(std::move(radice)), sistema_(sistema) {}

cartella_reale::~cartella_reale() {
  if (riservata_ >= 0) sistema_.chiudi(riservata_);
}

esito_file cartella_reale::apri_bloccata(int& descrittore) const {
  descrittore =
      sistema_.apri(radice_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (descrittore < 0) return fallito(radice_, errno);
  const esito_file esito = blocca_esclusiva(descrittore);
  if (esito.ok) return esito;
  sistema_.chiudi(descrittore);
  descrittore = -1;
  return esito;
}

esito_file cartella_reale::blocca_esclusiva(int descrittore) const {
  return blocca(descrittore, LOCK_EX);
}

// A short run that holds the folder is waited for, within the bound; a folder
// held by a long run (tieni()) is refused at once, and so is one whose file
// system has no locks: without the lock another run could publish between
// these renames or these reads, and a mixed set is worse than a refusal (some
// network file systems have no locks).
esito_file cartella_reale::blocca(int descrittore, int modo) const {
  const auto inizio = std::chrono::steady_clock::now();
  bool avvisato = false;
  for (;;) {
    if (sistema_.blocca(descrittore, modo | LOCK_NB) == 0)
      return esito_file::riuscito();
    const int codice = errno;
    if (codice == EINTR) continue;
    if (codice == ENOLCK) return rifiutato(radice_, rifiuto::senza_blocchi);
    if (codice != EWOULDBLOCK) return fallito(radice_, codice);
    if (tenuta_a_lungo(descrittore)) {
      return rifiutato(radice_, modo == LOCK_SH
                                    ? rifiuto::tenuta_da_altri_in_lettura
                                    : rifiuto::tenuta_da_altri);
    }
    const auto atteso = std::chrono::steady_clock::now() - inizio;
    if (atteso >= attesa_.limite)
      return rifiutato(radice_, rifiuto::attesa_scaduta);
    if (!avvisato && atteso >= std::chrono::seconds(1)) {
      avvisato = true;
      if (attesa_.avvisa) attesa_.avvisa(radice_, processo_che_blocca(radice_));
    }
    ::usleep(20000);
  }
}

esito_file cartella_reale::blocca_lettura(lettura_cartella& lettura) {
  const int descrittore =
      sistema_.apri(radice_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (descrittore < 0) return fallito(radice_, errno);
  struct stat informazioni;
  for (;;) {
    esito_file esito = blocca(descrittore, LOCK_SH);
    if (esito.ok && ::lstat(percorso(nome_giornale).c_str(), &informazioni)) {
      lettura.descrittore_ = descrittore;
      return esito;
    }
    // A publication that a stopped run left: undone under the exclusive lock,
    // which then becomes the shared one again.
    if (esito.ok) esito = blocca(descrittore, LOCK_EX);
    if (esito.ok) {
      const segnali_in_attesa attesa;
      esito = ripristina_cartella({sistema_, radice_, descrittore});
    }
    if (!esito.ok) {
      sistema_.chiudi(descrittore);
      return esito;
    }
  }
}

lettura_cartella::~lettura_cartella() {
  if (descrittore_ >= 0) ::close(descrittore_);
}

lettura_cartella::lettura_cartella(lettura_cartella&& altra) noexcept
    : descrittore_(altra.descrittore_) {
  altra.descrittore_ = -1;
}

esito_file blocca_lettura_percorsi(const std::vector<std::string>& percorsi,
                                   const attesa_cartella& attesa,
                                   std::vector<lettura_cartella>& letture) {
  std::set<std::string> cartelle;
  for (const std::string& p : percorsi) {
    std::string cartella = std::filesystem::path(p).parent_path().string();
    cartelle.insert(cartella.empty() ? "." : cartella);
  }
  for (const std::string& cartella : cartelle) {
    // A folder that is not there is left to the reads to report.
    std::error_code errore;
    if (!std::filesystem::is_directory(cartella, errore)) continue;
    cartella_reale c(cartella);
    c.imposta_attesa(attesa);
    lettura_cartella lettura;
    const esito_file esito = c.blocca_lettura(lettura);
    if (!esito.ok) return esito;
    letture.push_back(std::move(lettura));
  }
  return esito_file::riuscito();
}

// /proc/locks lists each lock as "N: FLOCK ADVISORY WRITE pid MAJ:MIN:inode
// start end", the device's numbers in hexadecimal.
long processo_che_blocca(const std::string& radice) {
  struct stat cartella;
  if (::stat(radice.c_str(), &cartella) != 0) return 0;
  char chiave[64];
  std::snprintf(chiave, sizeof chiave, "%02x:%02x:%lu",
                static_cast<unsigned>(major(cartella.st_dev)),
                static_cast<unsigned>(minor(cartella.st_dev)),
                static_cast<unsigned long>(cartella.st_ino));
  std::ifstream blocchi("/proc/locks");
  std::string riga;
  while (std::getline(blocchi, riga)) {
    std::istringstream campi(riga);
    std::string numero, tipo, modo, accesso, dispositivo;
    long processo = 0;
    if (!(campi >> numero >> tipo >> modo >> accesso >> processo >>
          dispositivo) ||
        tipo != "FLOCK" || dispositivo != chiave)
      continue;
    if (processo > 0 && processo != ::getpid()) return processo;
  }
  return 0;
}

esito_file cartella_reale::riserva() {
  if (riservata_ >= 0) return esito_file::riuscito();
  return apri_bloccata(riservata_);
}

esito_file cartella_reale::ripara_se_serve() {
  struct stat informazioni;
  if (::lstat(percorso(nome_giornale).c_str(), &informazioni) != 0)
    return esito_file::riuscito();
  int descrittore = riservata_;
  if (descrittore < 0) {
    const esito_file bloccata = apri_bloccata(descrittore);
    if (!bloccata.ok) return bloccata;
  }
  esito_file esito;
  {
    const segnali_in_attesa attesa;
    esito = ripristina_cartella({sistema_, radice_, descrittore});
  }
  if (descrittore != riservata_) sistema_.chiudi(descrittore);
  return esito;
}

esito_file cartella_reale::tieni() {
  if (riservata_ >= 0) return esito_file::riuscito();
  const int descrittore =
      ::open(radice_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descrittore < 0) return fallito(radice_, errno);
  // The mark first, then the lock: a short run that finds the folder locked
  // then always sees the mark too. A file system without such locks holds
  // the folder all the same; other runs then wait instead of being refused.
  segna_tenuta(descrittore);
  const esito_file bloccata = blocca_esclusiva(descrittore);
  if (!bloccata.ok) {
    ::close(descrittore);
    return bloccata;
  }
  riservata_ = descrittore;
  return esito_file::riuscito();
}

std::string cartella_reale::percorso(std::string_view nome) const {
  std::string risultato = radice_;
  risultato += separatore;
  risultato += nome;
  return risultato;
}

bool cartella_reale::esiste(std::string_view nome) const {
  struct stat informazioni;
  return ::stat(percorso(nome).c_str(), &informazioni) == 0 &&
         S_ISREG(informazioni.st_mode);
}

esito_file cartella_reale::leggi(std::string_view nome,
                                 std::string& contenuto) {
  const esito_file riparata = ripara_se_serve();
  if (!riparata.ok) return riparata;
  const std::string via = percorso(nome);
  // Without blocking: a FIFO that no program opened for writing would hold
  // the open for ever.
  int descrittore =
      sistema_.apri(via.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
  if (descrittore < 0) return fallito(via, errno);
  int codice = controlla_prima_di_leggere(descrittore);
  struct stat informazioni;
  const bool regolare =
      ::fstat(descrittore, &informazioni) == 0 && S_ISREG(informazioni.st_mode);
  if (codice == 0) {
    // A regular file's size (checked against the limit above) taken at once
    // and one byte more, to see its end: grown as it is read, the text would
    // take twice the room, and copy itself at every doubling.
    if (regolare)
      contenuto.reserve(static_cast<std::size_t>(informazioni.st_size) + 1);
    codice = leggi_entro_limite(descrittore, contenuto, regolare);
  }
  sistema_.chiudi(descrittore);
  if (codice == EFBIG) {
    std::string().swap(contenuto);  // nothing of a refused file is kept
    return rifiutato(via, rifiuto::troppo_grande);
  }
  if (codice == ETIMEDOUT) {
    std::string().swap(contenuto);
    return rifiutato(via, rifiuto::tubo_muto);
  }
  if (codice != 0) return fallito(via, codice);
  return esito_file::riuscito();
}

namespace {

// A regular file held open: what it reads stays that file's, even when another
// run renames a new one over its name meanwhile.
class lettore_descrittore : public lettore_file {
 public:
  lettore_descrittore(int descrittore, uint64_t dimensione, std::string via)
      : descrittore_(descrittore),
        dimensione_(dimensione),
        via_(std::move(via)) {}
  ~lettore_descrittore() override { ::close(descrittore_); }
  lettore_descrittore(const lettore_descrittore&) = delete;
  lettore_descrittore& operator=(const lettore_descrittore&) = delete;

  uint64_t dimensione() const override { return dimensione_; }
  esito_file leggi(uint64_t offset, char* dati, std::size_t quanti,
                   std::size_t& letti) override {
    letti = 0;
    while (letti < quanti) {
      const ssize_t n = ::pread(descrittore_, dati + letti, quanti - letti,
                                static_cast<off_t>(offset + letti));
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return fallito(via_, errno);
      if (n == 0) break;
      letti += static_cast<std::size_t>(n);
    }
    return esito_file::riuscito();
  }

 private:
  int descrittore_;
  uint64_t dimensione_;
  std::string via_;
};

}  // namespace

esito_file cartella_reale::apri(std::string_view nome,
                                std::unique_ptr<lettore_file>& lettore) {
  const std::string via = percorso(nome);
  const int descrittore =
      ::open(via.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descrittore < 0) return fallito(via, errno);
  struct stat informazioni;
  const int codice = controlla_prima_di_leggere(descrittore);
  if (codice != 0 || ::fstat(descrittore, &informazioni) != 0 ||
      !S_ISREG(informazioni.st_mode)) {
    ::close(descrittore);
    if (codice == EFBIG) return rifiutato(via, rifiuto::troppo_grande);
    if (codice != 0) return fallito(via, codice);
    return cartella::apri(nome, lettore);
  }
  lettore = std::make_unique<lettore_descrittore>(
      descrittore, static_cast<uint64_t>(informazioni.st_size), via);
  return esito_file::riuscito();
}

esito_file cartella_reale::crea(std::string_view nome,
                                std::string_view sostituisce,
                                std::unique_ptr<scrittore_file>& scrittore) {
  const std::string via = percorso(nome);
  int descrittore;
  {
    // Created and registered as one step for a signal handler.
    const segnali_in_attesa attesa;
    // O_EXCL with O_NOFOLLOW: a name that is already taken, a planted link
    // included, is never opened. 0666 less the umask is a new file's mode.
    descrittore = sistema_.apri(
        via.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
        0666);
    if (descrittore < 0) return fallito(via, errno);
    if (nome != sostituisce) registra_temporaneo(via);
  }
  // A file that replaces another keeps the permissions the user gave it.
  struct stat vecchio;
  if (::stat(percorso(sostituisce).c_str(), &vecchio) == 0 &&
      S_ISREG(vecchio.st_mode) &&
      ::fchmod(descrittore, vecchio.st_mode & 07777) != 0) {
    const int codice = errno;
    sistema_.chiudi(descrittore);
    cancella(nome);
    return fallito(via, codice);
  }
  scrittore = std::make_unique<scrittore_reale>(sistema_, descrittore, via);
  return esito_file::riuscito();
}

esito_file cartella_reale::pubblica(const std::vector<rinomina>& rinomine) {
  // The lock makes another run's publication wait for this one: the folder
  // then holds one run's set or the other's, never a mixture. A folder held
  // already is locked by this run.
  int descrittore = riservata_;
  if (descrittore < 0) {
    const esito_file bloccata = apri_bloccata(descrittore);
    if (!bloccata.ok) return bloccata;
  }
  esito_file esito;
  {
    // A signal waits for the whole set, which undoes itself when one came.
    const segnali_in_attesa attesa;
    const cartella_aperta aperta{sistema_, radice_, descrittore};
    esito = ripristina_cartella(aperta);
    if (esito.ok) esito = pubblica_con_giornale(aperta, rinomine);
  }
  if (descrittore != riservata_) sistema_.chiudi(descrittore);
  return esito;
}

esito_file cartella_reale::cancella(std::string_view nome) {
  const std::string via = percorso(nome);
  const segnali_in_attesa attesa;
  if (sistema_.cancella(via.c_str()) != 0) return fallito(via, errno);
  dimentica_temporaneo(via);
  return esito_file::riuscito();
}

std::string cartella_eseguibile() {
  std::error_code errore;
  std::filesystem::path eseguibile =
      std::filesystem::read_symlink("/proc/self/exe", errore);
  if (errore) return {};
  return eseguibile.parent_path().string();
}

esito_file leggi_percorso(const std::string& percorso, std::string& contenuto) {
  const std::filesystem::path via(percorso);
  std::string cartella = via.parent_path().string();
  if (cartella.empty()) cartella = ".";
  cartella_reale reale(cartella);
  esito_file esito = reale.leggi(via.filename().string(), contenuto);
  if (!esito.ok) esito.percorso = percorso;
  return esito;
}

esito_file apri_percorso(const std::string& percorso,
                         std::shared_ptr<lettore_file>& lettore) {
  const std::filesystem::path via(percorso);
  std::string cartella = via.parent_path().string();
  if (cartella.empty()) cartella = ".";
  cartella_reale reale(cartella);
  std::unique_ptr<lettore_file> aperto;
  esito_file esito = reale.apri(via.filename().string(), aperto);
  if (!esito.ok) esito.percorso = percorso;
  lettore = std::move(aperto);
  return esito;
}

bool sostituirebbe(const std::string& sostituito, const std::string& letto) {
  struct stat voce, file;
  return ::lstat(sostituito.c_str(), &voce) == 0 &&
         ::stat(letto.c_str(), &file) == 0 && voce.st_dev == file.st_dev &&
         voce.st_ino == file.st_ino;
}
