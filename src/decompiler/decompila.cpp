#include "decompiler/decompila.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "compiler/codici_gara.h"
#include "compiler/memorizza_percorso.h"
#include "decompiler/lavoro.h"
#include "decompiler/profili.h"
#include "tables/campi.h"

namespace {

constexpr int32_t lunghezza_massima = 1000000;

// Takes out the reserved values and the competition codes, which compiling
// puts back; reports any that is not what compiling puts there.
void togli_riservati(lavoro& l) {
  const int32_t og = codice_gara_og(l.stazioni);
  const int32_t st = codice_gara_st(l.stazioni);
  stazione& linea = l.stazioni[record_linea];
  cella& prima = l.celle[1];
  const auto stazioni = voce_inspiegata::tabella::stazioni;
  if (linea.campo7 != riservato_linea)
    l.segnala(stazioni, record_linea,
              {N_("reserved value {0}"), {std::to_string(linea.campo7)}});
  if (linea.orario != st)
    l.segnala(stazioni, record_linea,
              {N_("competition code {0}"), {std::to_string(linea.orario)}});
  if (prima.dato1 != riservato_cella || prima.dato2 != static_cast<int16_t>(og))
    l.segnala_cella(1);
  linea.campo7 = 0;
  linea.orario = 0;
  prima.dato1 = 0;
  prima.dato2 = 0;
}

// The table's size must be the one that the route length gives.
bool misure(lavoro& l) {
  const int32_t lunghezza = l.stazioni[record_treno].fine;
  const auto celle = voce_inspiegata::tabella::celle;
  if (lunghezza < 0 || lunghezza > lunghezza_massima) {
    l.segnala(voce_inspiegata::tabella::stazioni, record_treno,
              {N_("route length {0}"), {std::to_string(lunghezza)}});
    return false;
  }
  const auto ultima =
      static_cast<int32_t>(std::nearbyint((lunghezza + 7000) / 50.0));
  if (l.ultima != ultima) {
    l.segnala(
        celle, -1,
        plurale("{0} cell instead of {1}", "{0} cells instead of {1}",
                l.celle.size(),
                {std::to_string(l.celle.size()), std::to_string(ultima + 1)}));
    return false;
  }
  return true;
}

// One profile's lines from one byte of every cell.
template <typename Campo, typename Riga>
std::vector<voce_descrizione> profilo(const lavoro& l, Campo campo, Riga riga) {
  std::vector<uint8_t> valori;
  for (const cella& c : l.celle) valori.push_back(c.*campo);
  std::vector<voce_descrizione> righe;
  for (const passo_profilo& p : righe_profilo(valori)) righe.push_back(riga(p));
  return righe;
}

std::vector<voce_descrizione> pendenze(const lavoro& l) {
  return profilo(l, &cella::pendenza, [](const passo_profilo& p) {
    const int64_t pendenza = decodifica_pendenza(p.valore);
    return voce_descrizione{
        std::to_string(pendenza) + " per mille dalla " +
            cella_e_metro(p.cella, aggancio::tratto),
        riga_valori("pendenza",
                    {metro_della_cella(p.cella, aggancio::tratto), pendenza})};
  });
}

std::vector<voce_descrizione> limiti(const lavoro& l) {
  return profilo(l, &cella::velocita, [](const passo_profilo& p) {
    const int64_t limite = decodifica_velocita(p.valore);
    return voce_descrizione{
        std::to_string(limite) + " km/h dalla " +
            cella_e_metro(p.cella, aggancio::tratto),
        riga_valori("velocita",
                    {metro_della_cella(p.cella, aggancio::tratto), limite})};
  });
}

std::vector<voce_descrizione> aderenze(const lavoro& l) {
  return profilo(l, &cella::aderenza, [](const passo_profilo& p) {
    return voce_descrizione{
        "coefficiente " + std::to_string(p.valore) + " dalla " +
            cella_e_metro(p.cella, aggancio::tratto),
        riga_valori("aderenza",
                    {metro_della_cella(p.cella, aggancio::tratto), p.valore})};
  });
}

// Every cell that no item explains.
void celle_rimaste(lavoro& l) {
  for (int32_t i = 0; i <= l.ultima; ++i) {
    const cella& c = l.c(i);
    const bool libera = cella_libera(c);
    const bool vuota = std::all_of(
        valori_elemento.begin(), valori_elemento.end(),
        [&c](const campo<cella>& f) { return valore_numerico(f, c) == 0; });
    if (libera ? !vuota : !l.spiegata[static_cast<std::size_t>(i)])
      l.segnala_cella(i);
  }
}

void aggiungi(std::vector<std::string>& righe,
              const std::vector<voce_descrizione>& voci) {
  for (const voce_descrizione& v : voci) {
    if (!v.commento.empty()) righe.push_back(riga_commento(v.commento));
    righe.push_back(v.riga);
  }
}

std::vector<std::string> descrizione_linea(lavoro& l) {
  std::vector<std::string> righe = {
      riga_commento("linea ricostruita dai file compilati"), "[generale]"};
  aggiungi(righe, l.generale_linea);
  righe.push_back("[curve]");
  if (l.piano == nullptr)
    righe.push_back(
        riga_commento("senza il file del piano: il tracciato resta diritto"));
  aggiungi(righe, curve(l));
  righe.push_back("[pendenze]");
  aggiungi(righe, pendenze(l));
  righe.push_back("[montagne]");
  aggiungi(righe, gallerie(l));
  righe.push_back("[cartelli]");
  aggiungi(righe, indicatori_vmax(l));
  righe.push_back("[indicazioni]");
  aggiungi(righe, cartelli_indicatori(l));
  righe.push_back("[fine]");
  return righe;
}

std::vector<std::string> descrizione_treno(lavoro& l) {
  std::vector<std::string> righe = {
      riga_commento("marcia ricostruita dai file compilati"), "[generale]"};
  aggiungi(righe, l.generale_treno);
  righe.push_back("[aderenze]");
  aggiungi(righe, aderenze(l));
  righe.push_back("[vel_limite]");
  aggiungi(righe, limiti(l));
  righe.push_back("[stazioni]");
  const std::vector<int32_t> ordine = ordine_treno(l);
  std::size_t n = 0;
  int32_t stazioni = 0;
  for (; n < ordine.size() && stazioni < l.numero_stazioni; ++n) {
    const nodo_treno& x = l.nodi[static_cast<std::size_t>(ordine[n])];
    aggiungi(righe, {x.voce});
    if (x.stazione) ++stazioni;
  }
  righe.push_back("[rallentamenti]");
  aggiungi(righe, l.rallentamenti);
  righe.push_back("[segnali]");
  for (; n < ordine.size(); ++n)
    aggiungi(righe, {l.nodi[static_cast<std::size_t>(ordine[n])].voce});
  righe.push_back("[codici]");
  righe.push_back("[fine]");
  return righe;
}

}  // namespace

esito_decompilazione decompila(const std::vector<cella>& celle,
                               const tabella_stazioni& stazioni,
                               const coordinate_piano* piano) {
  lavoro l;
  l.celle = celle;
  l.stazioni = stazioni;
  l.piano = piano;
  l.ultima = static_cast<int32_t>(celle.size()) - 1;
  l.spiegata.assign(celle.size(), false);
  l.segnalata.assign(celle.size(), false);
  esito_decompilazione esito;
  esito.nome_linea = stazioni[record_linea].nome;
  esito.nome_treno = stazioni[record_nome_treno].nome;
  esito.con_piano = piano != nullptr;
  if (l.ultima < 1 || !misure(l)) {
    esito.inspiegate = std::move(l.inspiegate);
    return esito;
  }
  togli_riservati(l);
  leggi_record(l);
  stazioni_treno(l);
  segnali_treno(l);
  rallentamenti_treno(l);
  codici_treno(l);
  esito.righe_linea = descrizione_linea(l);
  esito.righe_treno = descrizione_treno(l);
  celle_rimaste(l);
  esito.inspiegate = std::move(l.inspiegate);
  return esito;
}
