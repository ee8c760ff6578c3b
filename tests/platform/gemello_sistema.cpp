#include "platform/gemello_sistema.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string_view>

bool sistema_gemello::prossima() {
  ++chiamate;
  if (segnale != 0 && chiamate == posizione_segnale)
    ::kill(::getpid(), segnale);
  if (morto_ ||
      (permanente && posizione_guasto > 0 && chiamate > posizione_guasto)) {
    errno = codice;
    return false;
  }
  if (chiamate != posizione_guasto) return true;
  if (crash) {
    const int perse = perdi_non_sincronizzato(conserva);
    ::_exit(perse > 100 ? 100 : perse);
  }
  errno = codice;
  return false;
}

std::string sistema_gemello::salva(const std::string& percorso) {
  const std::string salvato = salvati_ + "/" + std::to_string(++salvataggi_);
  if (::link(percorso.c_str(), salvato.c_str()) != 0) return {};
  return salvato;
}

int sistema_gemello::perdi_non_sincronizzato(std::uint64_t tenuti) {
  for (const std::string& p : sporchi_) ::truncate(p.c_str(), 0);
  const int quanti = static_cast<int>(non_sincronizzati_.size());
  for (int i = quanti - 1; i >= 0; --i) {
    if (i < 64 && (tenuti >> i & 1) != 0) continue;
    const cambiamento& c = non_sincronizzati_[static_cast<std::size_t>(i)];
    switch (c.tipo) {
      case cambiamento::creato:
      case cambiamento::collegato:
        ::unlink(c.a.c_str());
        break;
      case cambiamento::rinominato:
        ::rename(c.b.c_str(), c.a.c_str());
        if (!c.salvato.empty()) ::rename(c.salvato.c_str(), c.b.c_str());
        break;
      case cambiamento::cancellato:
        if (!c.salvato.empty()) ::rename(c.salvato.c_str(), c.a.c_str());
        break;
    }
  }
  non_sincronizzati_.clear();
  sporchi_.clear();
  return quanti;
}

int sistema_gemello::apri(const char* percorso, int modi, mode_t permessi) {
  if (!prossima()) return -1;
  const bool nuovo = (modi & O_CREAT) != 0 && ::access(percorso, F_OK) != 0;
  const int d = ::open(percorso, modi, permessi);
  if (d < 0) return d;
  aperti_[d] = percorso;
  if ((modi & O_DIRECTORY) != 0) cartelle_.insert(d);
  if (nuovo)
    non_sincronizzati_.push_back({cambiamento::creato, percorso, {}, {}});
  return d;
}

ssize_t sistema_gemello::scrivi(int d, const void* dati, std::size_t quanti) {
  if (!prossima()) return -1;
  const ssize_t scritti = ::write(d, dati, quanti);
  if (scritti > 0) sporchi_.insert(aperti_[d]);
  return scritti;
}

int sistema_gemello::sincronizza(int d) {
  // Durability is the twin's own model: the disk itself is not waited for,
  // which keeps the thousands of runs of the tests fast.
  if (!prossima()) return -1;
  if (cartelle_.count(d) != 0)
    non_sincronizzati_.clear();
  else
    sporchi_.erase(aperti_[d]);
  return 0;
}

int sistema_gemello::chiudi(int d) {
  // A close that fails still releases the descriptor, as on Linux.
  const bool riuscita = prossima();
  aperti_.erase(d);
  cartelle_.erase(d);
  ::close(d);
  return riuscita ? 0 : -1;
}

int sistema_gemello::rinomina(const char* da, const char* a) {
  if (!prossima()) return -1;
  const std::string salvato = ::access(a, F_OK) == 0 ? salva(a) : "";
  const int r = ::rename(da, a);
  if (r != 0) return r;
  non_sincronizzati_.push_back({cambiamento::rinominato, da, a, salvato});
  if (sporchi_.erase(da) != 0) sporchi_.insert(a);
  return 0;
}

int sistema_gemello::collega(const char* esistente, const char* nuovo) {
  if (!prossima()) return -1;
  const int r = ::link(esistente, nuovo);
  if (r == 0)
    non_sincronizzati_.push_back({cambiamento::collegato, nuovo, {}, {}});
  return r;
}

int sistema_gemello::cancella(const char* percorso) {
  if (!prossima()) return -1;
  const std::string salvato = salva(percorso);
  const int r = ::unlink(percorso);
  if (r == 0 && std::string_view(percorso).ends_with(".pubblicazione.giornale"))
    chiamata_commit = chiamate;
  if (r == 0)
    non_sincronizzati_.push_back(
        {cambiamento::cancellato, percorso, {}, salvato});
  return r;
}

int sistema_gemello::blocca(int d, int operazione) {
  if (!prossima()) return -1;
  if (errore_blocco != 0) {
    errno = errore_blocco;
    return -1;
  }
  return sistema_file::blocca(d, operazione);
}
