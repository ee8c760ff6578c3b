#include "cli/scenari_cartella.h"

#include <filesystem>
#include <system_error>

#include "platform/cartella_reale.h"
#include "platform/cp1252.h"
#include "tables/formato.h"
#include "cli/esiti.h"
#include "cli/messaggi.h"

namespace fs = std::filesystem;

namespace {

bool finisce_con(const std::string& testo, const std::string& fine) {
  return testo.size() > fine.size() &&
         testo.compare(testo.size() - fine.size(), fine.size(), fine) == 0;
}

// The names that the station table's records 85 and 86 hold, when the file
// decodes.
std::optional<nomi_scenario> nomi_nei_record(cartella_reale& c,
                                             const std::string& sim) {
  std::string dati;
  tabella_stazioni stazioni;
  errore_decodifica e;
  if (!c.leggi(sim, dati).ok || !decodifica_stazioni(dati, stazioni, e))
    return std::nullopt;
  return nomi_scenario{cp1252_a_utf8(stazioni[record_linea].nome),
                       cp1252_a_utf8(stazioni[record_nome_treno].nome)};
}

// "L_T" cut into its two names when no name is given.
std::optional<nomi_scenario> dividi(cartella_reale& c,
                                    const std::string& radice) {
  const std::optional<nomi_scenario> nei_record =
      nomi_nei_record(c, radice + ".sim");
  if (nei_record && nei_record->linea + "_" + nei_record->treno == radice)
    return nei_record;
  // Each "_" with a name on both sides (neither name may be empty), right
  // first.
  std::vector<std::size_t> tagli;
  for (std::size_t i = radice.size() - 1; radice.size() > 2 && i-- > 1;) {
    if (radice[i] == '_') tagli.push_back(i);
  }
  if (tagli.empty()) return std::nullopt;
  for (std::size_t taglio : tagli) {
    const std::string linea = radice.substr(0, taglio);
    if (c.esiste(linea + "_linea.dat"))
      return nomi_scenario{linea, radice.substr(taglio + 1)};
  }
  const std::size_t ultimo = tagli.front();
  return nomi_scenario{radice.substr(0, ultimo), radice.substr(ultimo + 1)};
}

std::optional<nomi_scenario> nomi_della_radice(
    cartella_reale& c, const std::string& radice,
    const std::optional<std::string>& linea,
    const std::optional<std::string>& treno) {
  if (linea) {
    if (radice.rfind(*linea + "_", 0) != 0 ||
        radice.size() <= linea->size() + 1)
      return std::nullopt;
    const nomi_scenario nomi{*linea, radice.substr(linea->size() + 1)};
    if (treno && nomi.treno != *treno) return std::nullopt;
    return nomi;
  }
  if (treno) {
    if (!finisce_con(radice, "_" + *treno)) return std::nullopt;
    return nomi_scenario{radice.substr(0, radice.size() - treno->size() - 1),
                         *treno};
  }
  return dividi(c, radice);
}

}  // namespace

std::vector<nomi_scenario> scenari_nella_cartella(
    const std::string& cartella, const std::optional<std::string>& linea,
    const std::optional<std::string>& treno) {
  std::vector<std::string> radici;
  std::error_code problema;
  for (const auto& voce : fs::directory_iterator(cartella, problema)) {
    const fs::path& p = voce.path();
    if (p.extension() != ".sim" || !voce.is_regular_file(problema)) continue;
    const fs::path dat = fs::path(p).replace_extension(".dat");
    if (fs::is_regular_file(dat, problema)) radici.push_back(p.stem().string());
  }
  std::sort(radici.begin(), radici.end());
  cartella_reale c(cartella);
  std::vector<nomi_scenario> trovati;
  for (const std::string& radice : radici) {
    if (auto nomi = nomi_della_radice(c, radice, linea, treno))
      trovati.push_back(*nomi);
  }
  return trovati;
}

std::optional<int> scegli_scenario(const std::string& cartella,
                                   const std::optional<std::string>& linea,
                                   const std::optional<std::string>& treno,
                                   nomi_scenario& scelto,
                                   std::ostream& errori) {
  const std::vector<nomi_scenario> trovati =
      scenari_nella_cartella(cartella, linea, treno);
  if (trovati.size() == 1) {
    scelto = trovati.front();
    return std::nullopt;
  }
  if (trovati.empty()) {
    if (linea || treno) {
      errori << messaggi::nessuno_scenario_nominato(
                    cartella, linea.value_or("*") + "_" + treno.value_or("*"))
             << '\n';
    } else {
      errori << messaggi::nessuno_scenario(cartella) << '\n';
    }
    return uscita_errore_file;
  }
  errori << messaggi::scenari_diversi(cartella, trovati.size()) << '\n';
  for (const nomi_scenario& n : trovati)
    errori << messaggi::scelta_scenario(n.linea, n.treno) << '\n';
  return uscita_uso_errato;
}
