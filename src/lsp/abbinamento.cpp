#include "lsp/abbinamento.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "validation/voci.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view coda_linea = "_linea.txt";

bool finisce_con(std::string_view s, std::string_view coda) {
  return s.size() >= coda.size() && s.substr(s.size() - coda.size()) == coda;
}

std::string nome_di(std::string_view percorso) {
  return fs::path(percorso).filename().string();
}

std::string cartella_di(std::string_view percorso) {
  return fs::path(percorso).parent_path().string();
}

// The documents for the driver that `documents` writes beside a train run's
// name are not descriptions.
bool nome_di_treno(std::string_view nome) {
  if (!finisce_con(nome, ".txt") || finisce_con(nome, coda_linea)) return false;
  for (std::string_view documento :
       {"_note.txt", "_rallentamenti.txt", "_scheda_treno.txt"}) {
    if (finisce_con(nome, documento)) return false;
  }
  return true;
}

// The files of a folder, by name; none when it cannot be listed.
std::vector<std::string> file_della_cartella(const std::string& cartella) {
  std::vector<std::string> nomi;
  std::error_code e;
  fs::directory_iterator it(cartella.empty() ? "." : cartella, e);
  for (; !e && it != fs::directory_iterator(); it.increment(e)) {
    std::error_code e2;
    if (it->is_regular_file(e2)) nomi.push_back(it->path().filename().string());
  }
  std::sort(nomi.begin(), nomi.end());
  return nomi;
}

std::string unisci(const std::string& cartella, const std::string& nome) {
  return (fs::path(cartella) / nome).string();
}

std::optional<std::string> linea_del_treno(
    const std::string& percorso, const std::vector<file_aperto>& aperti) {
  const std::string cartella = cartella_di(percorso);
  const std::vector<std::string> su_disco = file_della_cartella(cartella);
  const std::string nome = nome_di(percorso);
  // The longest line name first: `A_B_linea.txt` before `A_linea.txt`.
  for (std::size_t k = nome.rfind('_'); k != std::string::npos && k > 0;
       k = nome.rfind('_', k - 1)) {
    const std::string linea = nome.substr(0, k) + std::string(coda_linea);
    const std::string intero = unisci(cartella, linea);
    for (const file_aperto& a : aperti) {
      if (a.percorso == intero) return intero;
    }
    if (std::binary_search(su_disco.begin(), su_disco.end(), linea))
      return intero;
  }
  return std::nullopt;
}

std::optional<std::string> treno_della_linea(
    const std::string& percorso, const std::vector<file_aperto>& aperti) {
  std::vector<std::string> aperti_qui;
  for (const file_aperto& a : aperti) {
    if (a.ruolo == fonte_lettura::descrizione_treno &&
        vanno_insieme(percorso, a.percorso))
      aperti_qui.push_back(a.percorso);
  }
  std::sort(aperti_qui.begin(), aperti_qui.end());
  if (!aperti_qui.empty()) return aperti_qui.front();
  const std::string cartella = cartella_di(percorso);
  for (const std::string& nome : file_della_cartella(cartella)) {
    const std::string intero = unisci(cartella, nome);
    if (nome_di_treno(nome) && vanno_insieme(percorso, intero)) return intero;
  }
  return std::nullopt;
}

}  // namespace

fonte_lettura ruolo_di(std::string_view percorso, std::string_view testo) {
  if (finisce_con(nome_di(percorso), coda_linea))
    return fonte_lettura::descrizione_linea;
  const std::size_t come_linea =
      leggi_voci(testo, fonte_lettura::descrizione_linea, true).voci.size();
  const std::size_t come_treno =
      leggi_voci(testo, fonte_lettura::descrizione_treno, true).voci.size();
  return come_linea > come_treno ? fonte_lettura::descrizione_linea
                                 : fonte_lettura::descrizione_treno;
}

bool vanno_insieme(std::string_view linea, std::string_view treno) {
  if (cartella_di(linea) != cartella_di(treno)) return false;
  const std::string nome_linea = nome_di(linea);
  const std::string nome_treno = nome_di(treno);
  if (!finisce_con(nome_linea, coda_linea) || !nome_di_treno(nome_treno))
    return false;
  const std::string prefisso =
      nome_linea.substr(0, nome_linea.size() - coda_linea.size() + 1);
  return nome_treno.size() > prefisso.size() + 4 &&
         nome_treno.compare(0, prefisso.size(), prefisso) == 0;
}

std::optional<std::string> trova_compagno(
    const std::string& percorso, fonte_lettura ruolo,
    const std::vector<file_aperto>& aperti) {
  return ruolo == fonte_lettura::descrizione_linea
             ? treno_della_linea(percorso, aperti)
             : linea_del_treno(percorso, aperti);
}
