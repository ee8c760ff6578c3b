#include "platform/cartella_reale.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

constexpr char separatore = '/';

std::string motivo_sistema(int codice) { return std::strerror(codice); }

esito_file fallito(std::string percorso, int codice) {
  return esito_file::fallito(std::move(percorso), motivo_sistema(codice),
                             codice);
}

class scrittore_reale : public scrittore_file {
 public:
  scrittore_reale(int descrittore, std::string percorso)
      : descrittore_(descrittore), percorso_(std::move(percorso)) {
    memoria_.reserve(capacita);
  }
  ~scrittore_reale() override {
    if (descrittore_ >= 0) ::close(descrittore_);
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
    if (errore_ == 0 && ::fsync(descrittore_) != 0) errore_ = errno;
    if (::close(descrittore_) != 0 && errore_ == 0) errore_ = errno;
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
      ssize_t scritti = ::write(descrittore_, dati, quanti);
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

  int descrittore_;
  std::string percorso_;
  std::vector<char> memoria_;
  int errore_ = 0;
  std::size_t scritti_ = 0;  // bytes written so far
  std::size_t avviati_ = 0;  // bytes whose writing to the disk has started
};

}  // namespace

cartella_reale::cartella_reale(std::string radice)
    : radice_(std::move(radice)) {}

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
  const std::string via = percorso(nome);
  int descrittore = ::open(via.c_str(), O_RDONLY | O_CLOEXEC);
  if (descrittore < 0) return fallito(via, errno);
  contenuto.clear();
  char blocco[1 << 16];
  for (;;) {
    ssize_t letti = ::read(descrittore, blocco, sizeof blocco);
    if (letti < 0) {
      if (errno == EINTR) continue;
      int codice = errno;
      ::close(descrittore);
      return fallito(via, codice);
    }
    if (letti == 0) break;
    contenuto.append(blocco, static_cast<std::size_t>(letti));
  }
  ::close(descrittore);
  return esito_file::riuscito();
}

esito_file cartella_reale::crea(std::string_view nome,
                                std::unique_ptr<scrittore_file>& scrittore) {
  const std::string via = percorso(nome);
  // O_EXCL with O_NOFOLLOW: a name that is already taken, a planted link
  // included, is never opened.
  int descrittore = ::open(
      via.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (descrittore < 0) return fallito(via, errno);
  scrittore = std::make_unique<scrittore_reale>(descrittore, via);
  return esito_file::riuscito();
}

esito_file cartella_reale::rinomina(std::string_view da, std::string_view a) {
  if (std::rename(percorso(da).c_str(), percorso(a).c_str()) != 0) {
    return fallito(percorso(a), errno);
  }
  return esito_file::riuscito();
}

esito_file cartella_reale::cancella(std::string_view nome) {
  const std::string via = percorso(nome);
  if (::unlink(via.c_str()) != 0) return fallito(via, errno);
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
