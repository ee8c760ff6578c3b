#include "cli/nomi_dai_file.h"

#include "cli/lingua.h"
#include "core/testi.h"

namespace {

std::string_view nome_del_file(std::string_view percorso) {
  const std::size_t barra = percorso.find_last_of('/');
  return barra == std::string_view::npos ? percorso
                                         : percorso.substr(barra + 1);
}

bool finisce_con(std::string_view testo, std::string_view fine) {
  return testo.size() >= fine.size() &&
         testo.substr(testo.size() - fine.size()) == fine;
}

}  // namespace

std::optional<nomi_dai_nomi_file> nomi_dai_file(std::string_view linea,
                                                std::string_view treno) {
  constexpr std::string_view coda_linea = "_linea.txt", coda = ".txt";
  const std::string_view l = nome_del_file(linea), t = nome_del_file(treno);
  if (!finisce_con(l, coda_linea) || l.size() == coda_linea.size())
    return std::nullopt;
  const std::string_view nome = l.substr(0, l.size() - coda_linea.size());
  if (t.size() <= nome.size() + 1 + coda.size() ||
      t.substr(0, nome.size()) != nome || t[nome.size()] != '_' ||
      !finisce_con(t, coda))
    return std::nullopt;
  const std::string_view codice =
      t.substr(nome.size() + 1, t.size() - nome.size() - 1 - coda.size());
  // `decompile` and the default build write the train run as L_T-.txt, and
  // say with which names to compile it: that form keeps the defaults.
  if (finisce_con(codice, "-")) return std::nullopt;
  // The line description given twice names no train.
  if (codice == "linea") return std::nullopt;
  return nomi_dai_nomi_file{std::string(nome), std::string(codice)};
}

std::string scegli_nomi_dai_file(std::string_view linea, std::string_view treno,
                                 bool linea_data, bool treno_dato,
                                 std::string& nome_linea,
                                 std::string& codice_treno) {
  if (linea_data && treno_dato) return "";
  const std::optional<nomi_dai_nomi_file> dai_file =
      nomi_dai_file(linea, treno);
  if (!dai_file) return "";
  const std::string prima = nome_linea + '/' + codice_treno;
  if (!linea_data) nome_linea = dai_file->linea;
  if (!treno_dato) codice_treno = dai_file->treno;
  // The default names taken from the files change nothing: nothing to say.
  if (nome_linea + '/' + codice_treno == prima) return "";
  return sostituisci(
      traduci("names from the file names: line name {0}, train code {1}"),
      {nome_linea, codice_treno});
}
