#include "platform/pubblicazione.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <random>

#include "platform/segnali.h"

namespace {

constexpr std::size_t nome_massimo = 255;  // NAME_MAX of the usual systems
constexpr std::size_t giornale_massimo = std::size_t{1} << 20;
// Fields end with a NUL byte, the one byte that no file name holds.
constexpr std::string_view intestazione = "pubblicazione 1";
constexpr std::string_view chiusura = "fine";

void aggiungi_campo(std::string& testo, std::string_view campo) {
  testo += campo;
  testo += '\0';
}

// The next field of `testo`, which loses it; nothing when no field ends.
std::optional<std::string_view> prendi_campo(std::string_view& testo) {
  const std::size_t fine = testo.find('\0');
  if (fine == std::string_view::npos) return std::nullopt;
  const std::string_view campo = testo.substr(0, fine);
  testo.remove_prefix(fine + 1);
  return campo;
}

int scrivi_intero(sistema_file& s, int descrittore, std::string_view dati) {
  while (!dati.empty()) {
    const ssize_t scritti = s.scrivi(descrittore, dati.data(), dati.size());
    if (scritti < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    dati.remove_prefix(static_cast<std::size_t>(scritti));
  }
  return 0;
}

// Removes a file that may be gone already: true when it is not there now.
bool togli(sistema_file& s, const std::string& percorso) {
  if (s.cancella(percorso.c_str()) == 0) {
    dimentica_temporaneo(percorso);
    return true;
  }
  return errno == ENOENT;
}

// Puts one file of the set back as it was; 0 or the system's error number.
// Each step can be repeated by a later run that was stopped in the middle.
int annulla_voce(const cartella_aperta& c, const voce_giornale& v) {
  const std::string nome = c.percorso(v.nome);
  const std::string temporaneo = c.percorso(v.temporaneo);
  if (v.conservato.empty()) {
    // No older file: a temporary that is still there was not renamed; one
    // that is gone became the new file, which goes too.
    if (c.sistema.cancella(temporaneo.c_str()) == 0) {
      dimentica_temporaneo(temporaneo);
      return 0;
    }
    if (errno != ENOENT) return errno;
    return togli(c.sistema, nome) ? 0 : errno;
  }
  const std::string conservato = c.percorso(v.conservato);
  // A kept copy that is gone was put back already (or never made: the file
  // was not replaced then). A rename between two names of the same file
  // leaves both, so the kept name is removed after.
  if (c.sistema.rinomina(conservato.c_str(), nome.c_str()) != 0 &&
      errno != ENOENT) {
    return errno;
  }
  if (!togli(c.sistema, conservato)) return errno;
  // A file that the set removes has no temporary.
  if (v.temporaneo.empty()) return 0;
  return togli(c.sistema, temporaneo) ? 0 : errno;
}

// Puts every file back, then removes the journal once the folder is durable;
// 0 or the error number of the step that failed, the journal kept then.
int annulla(const cartella_aperta& c, const std::vector<voce_giornale>& voci) {
  for (const voce_giornale& v : voci) {
    const int codice = annulla_voce(c, v);
    if (codice != 0) return codice;
  }
  if (c.sistema.sincronizza(c.descrittore) != 0) return errno;
  if (!togli(c.sistema, c.percorso(nome_giornale))) return errno;
  return c.sistema.sincronizza(c.descrittore) != 0 ? errno : 0;
}

// The set's entries, a kept copy named for every file that exists; a folder
// (or anything but a file or a link) under an output name is refused before
// anything is replaced.
esito_file prepara_voci(const cartella_aperta& c,
                        const std::vector<rinomina>& rinomine,
                        std::vector<voce_giornale>& voci) {
  for (const rinomina& r : rinomine) {
    const std::string nome = c.percorso(r.a);
    voce_giornale v{r.a, r.da, {}};
    struct stat informazioni;
    // A file to remove that is not there needs nothing.
    if (r.da.empty() && ::lstat(nome.c_str(), &informazioni) != 0 &&
        errno == ENOENT)
      continue;
    if (::lstat(nome.c_str(), &informazioni) == 0) {
      if (!S_ISREG(informazioni.st_mode) && !S_ISLNK(informazioni.st_mode))
        return esito_file::del_sistema(
            nome, S_ISDIR(informazioni.st_mode) ? EISDIR : EEXIST);
      v.conservato = nome_di_lavoro(r.a, "vecchio");
    } else if (errno != ENOENT) {
      return esito_file::del_sistema(nome, errno);
    }
    voci.push_back(std::move(v));
  }
  return esito_file::riuscito();
}

esito_file scrivi_giornale(const cartella_aperta& c,
                           const std::vector<voce_giornale>& voci) {
  const std::string via = c.percorso(nome_giornale);
  const int descrittore = c.sistema.apri(
      via.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (descrittore < 0) return esito_file::del_sistema(via, errno);
  int codice = scrivi_intero(c.sistema, descrittore, testo_giornale(voci));
  if (codice == 0 && c.sistema.sincronizza(descrittore) != 0) codice = errno;
  if (c.sistema.chiudi(descrittore) != 0 && codice == 0) codice = errno;
  if (codice == 0) return esito_file::riuscito();
  c.sistema.cancella(via.c_str());
  return esito_file::del_sistema(via, codice);
}

esito_file sincronizza_cartella(const cartella_aperta& c) {
  if (c.sistema.sincronizza(c.descrittore) != 0)
    return esito_file::del_sistema(c.radice, errno);
  return esito_file::riuscito();
}

// Keeps the older files, renames the new ones, and commits by removing the
// journal. Returns at the first failure, for the caller to undo.
esito_file rinomina_tutto(const cartella_aperta& c,
                          const std::vector<voce_giornale>& voci) {
  for (const voce_giornale& v : voci) {
    if (v.conservato.empty()) continue;
    const std::string conservato = c.percorso(v.conservato);
    if (c.sistema.collega(c.percorso(v.nome).c_str(), conservato.c_str()) != 0)
      return esito_file::del_sistema(conservato, errno);
  }
  // The journal and the kept copies are on the disk before any rename.
  esito_file esito = sincronizza_cartella(c);
  for (auto v = voci.begin(); esito.ok && v != voci.end(); ++v) {
    const std::string nome = c.percorso(v->nome);
    if (v->temporaneo.empty()) {
      // A file that the set removes: its kept copy brings it back on undo.
      if (c.sistema.cancella(nome.c_str()) != 0)
        esito = esito_file::del_sistema(nome, errno);
      continue;
    }
    const std::string da = c.percorso(v->temporaneo);
    if (c.sistema.rinomina(da.c_str(), nome.c_str()) != 0)
      esito = esito_file::del_sistema(nome, errno);
    else
      dimentica_temporaneo(da);
  }
  if (esito.ok) esito = sincronizza_cartella(c);
  // A signal that arrived meanwhile ends the run, which then changed nothing.
  if (esito.ok && segnale_di_fine_in_attesa())
    esito = esito_file::fallito(c.radice, motivo_proprio("interrupted"), EINTR);
  const std::string giornale = c.percorso(nome_giornale);
  if (esito.ok && c.sistema.cancella(giornale.c_str()) != 0)
    esito = esito_file::del_sistema(giornale, errno);
  if (esito.ok) esito = sincronizza_cartella(c);
  return esito;
}

int leggi_giornale(const cartella_aperta& c, const std::string& via,
                   std::string& testo) {
  const int descrittore =
      c.sistema.apri(via.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC, 0);
  if (descrittore < 0) return errno;
  char blocco[4096];
  int codice = 0;
  for (;;) {
    const ssize_t letti = ::read(descrittore, blocco, sizeof blocco);
    if (letti < 0 && errno == EINTR) continue;
    if (letti < 0) codice = errno;
    if (letti <= 0) break;
    testo.append(blocco, static_cast<std::size_t>(letti));
    if (testo.size() > giornale_massimo) break;  // not one of ours: incomplete
  }
  c.sistema.chiudi(descrittore);
  return codice;
}

// A working name of a run: ".<name>.<pid>.<8 hex digits>.nuovo|vecchio";
// the run's process id, or 0 for any other name.
pid_t processo_del_nome(std::string_view nome) {
  if (nome.empty() || nome[0] != '.') return 0;
  for (std::string_view tipo : {".nuovo", ".vecchio"}) {
    if (nome.size() > tipo.size() && nome.ends_with(tipo)) {
      nome.remove_suffix(tipo.size());
      break;
    }
  }
  const std::size_t punto_caso = nome.rfind('.');
  if (punto_caso == std::string_view::npos || nome.size() - punto_caso != 9)
    return 0;
  const std::size_t punto_processo = nome.rfind('.', punto_caso - 1);
  if (punto_processo == std::string_view::npos || punto_processo == 0) return 0;
  unsigned caso = 0;
  pid_t processo = 0;
  const char* const fine_caso = nome.data() + nome.size();
  const auto [dopo_caso, errore_caso] =
      std::from_chars(nome.data() + punto_caso + 1, fine_caso, caso, 16);
  const char* const fine_processo = nome.data() + punto_caso;
  const auto [dopo, errore] = std::from_chars(nome.data() + punto_processo + 1,
                                              fine_processo, processo);
  if (errore_caso != std::errc{} || dopo_caso != fine_caso ||
      errore != std::errc{} || dopo != fine_processo || processo <= 0)
    return 0;
  return processo;
}

// Removes the temporaries and kept copies of runs that ended without removing
// them (killed, or the machine stopped). A run of another machine that shares
// the folder cannot be told from a dead one; such folders are not supported.
void rimuovi_resti(const cartella_aperta& c) {
  DIR* cartella = ::opendir(c.radice.c_str());
  if (cartella == nullptr) return;
  std::vector<std::string> resti;
  while (const dirent* voce = ::readdir(cartella)) {
    const std::string_view nome = voce->d_name;
    if (!nome.ends_with(".nuovo") && !nome.ends_with(".vecchio")) continue;
    const pid_t processo = processo_del_nome(nome);
    if (processo == 0 || processo == ::getpid()) continue;
    if (::kill(processo, 0) != 0 && errno == ESRCH) resti.emplace_back(nome);
  }
  ::closedir(cartella);
  for (const std::string& nome : resti)
    c.sistema.cancella(c.percorso(nome).c_str());
}

}  // namespace

std::string nome_di_lavoro(std::string_view nome, std::string_view tipo) {
  std::random_device caso;
  char parte[40];
  std::snprintf(parte, sizeof parte, ".%ld.%08x.",
                static_cast<long>(::getpid()), static_cast<unsigned>(caso()));
  const std::size_t resto = 1 + std::string_view(parte).size() + tipo.size();
  std::string risultato(".");
  risultato += nome.substr(0, nome_massimo > resto ? nome_massimo - resto : 0);
  risultato += parte;
  risultato += tipo;
  return risultato;
}

std::string testo_giornale(const std::vector<voce_giornale>& voci) {
  std::string testo;
  aggiungi_campo(testo, intestazione);
  aggiungi_campo(testo, std::to_string(voci.size()));
  for (const voce_giornale& v : voci) {
    aggiungi_campo(testo, v.nome);
    aggiungi_campo(testo, v.temporaneo);
    aggiungi_campo(testo, v.conservato);
  }
  aggiungi_campo(testo, chiusura);
  return testo;
}

std::optional<std::vector<voce_giornale>> voci_del_giornale(
    std::string_view testo) {
  const auto testa = prendi_campo(testo);
  const auto numero = prendi_campo(testo);
  std::size_t quante = 0;
  if (!testa || *testa != intestazione || !numero ||
      std::from_chars(numero->data(), numero->data() + numero->size(), quante)
              .ptr != numero->data() + numero->size() ||
      quante > testo.size()) {
    return std::nullopt;
  }
  std::vector<voce_giornale> voci;
  for (std::size_t i = 0; i < quante; ++i) {
    const auto nome = prendi_campo(testo);
    const auto temporaneo = prendi_campo(testo);
    const auto conservato = prendi_campo(testo);
    // A file that the set removes has no temporary, only its kept copy.
    if (!conservato || nome->empty() ||
        (temporaneo->empty() && conservato->empty()))
      return std::nullopt;
    voci.push_back({std::string(*nome), std::string(*temporaneo),
                    std::string(*conservato)});
  }
  const auto fine = prendi_campo(testo);
  if (!fine || *fine != chiusura || !testo.empty()) return std::nullopt;
  return voci;
}

std::string cartella_aperta::percorso(std::string_view nome) const {
  std::string risultato = radice;
  risultato += '/';
  risultato += nome;
  return risultato;
}

esito_file pubblica_con_giornale(const cartella_aperta& c,
                                 const std::vector<rinomina>& rinomine) {
  if (rinomine.empty()) return esito_file::riuscito();
  std::vector<voce_giornale> voci;
  esito_file esito = prepara_voci(c, rinomine, voci);
  if (esito.ok) esito = scrivi_giornale(c, voci);
  if (!esito.ok) return esito;
  esito = rinomina_tutto(c, voci);
  if (!esito.ok) {
    // A folder sync that failed after the journal's removal: the journal is
    // written again so that an undo stopped half-way is finished by the next
    // run; where it cannot be, the set stands, complete, and is reported so.
    struct stat informazioni;
    if (::lstat(c.percorso(nome_giornale).c_str(), &informazioni) != 0 &&
        !scrivi_giornale(c, voci).ok) {
      esito = esito_file::riuscito();
    } else {
      annulla(c, voci);  // one that fails leaves the journal for the next run
      return esito;
    }
  }
  for (const voce_giornale& v : voci) {
    if (!v.conservato.empty())
      c.sistema.cancella(c.percorso(v.conservato).c_str());
  }
  return esito;
}

esito_file ripristina_cartella(const cartella_aperta& c) {
  const std::string via = c.percorso(nome_giornale);
  std::string testo;
  int codice = leggi_giornale(c, via, testo);
  if (codice == ENOENT) {
    rimuovi_resti(c);
    return esito_file::riuscito();
  }
  if (codice != 0) return esito_file::del_sistema(via, codice);
  const auto voci = voci_del_giornale(testo);
  // A journal not written to its end: its run failed before any rename.
  if (voci)
    codice = annulla(c, *voci);
  else if (!togli(c.sistema, via))
    codice = errno;
  if (codice != 0)
    return esito_file::fallito(
        via, motivo_proprio("an unfinished publication could not be undone"),
        codice);
  rimuovi_resti(c);
  return esito_file::riuscito();
}
