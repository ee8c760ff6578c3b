#include "decompiler/decompila.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "compiler/codici_gara.h"
#include "compiler/memorizza_percorso.h"
#include "decompiler/passi.h"
#include "decompiler/profili.h"
#include "tables/campi.h"

namespace {

constexpr int32_t lunghezza_massima = 1000000;

// Takes out the reserved values and the competition codes, which compiling
// puts back; reports any that is not what compiling puts there.
resoconto togli_riservati(tabelle_lette& t) {
  resoconto r;
  const int32_t og = codice_gara_og(t.stazioni);
  const int32_t st = codice_gara_st(t.stazioni);
  stazione& linea = t.stazioni[record_linea];
  cella& prima = t.prima;
  const auto stazioni = voce_inspiegata::tabella::stazioni;
  if (linea.campo7 != riservato_linea)
    r.segnala(stazioni, record_linea,
              {N_("reserved value {0}"), {std::to_string(linea.campo7)}});
  if (linea.orario != st)
    r.segnala(stazioni, record_linea,
              {N_("competition code {0}"), {std::to_string(linea.orario)}});
  if (prima.dato1 != riservato_cella || prima.dato2 != static_cast<int16_t>(og))
    r.segnala_cella(t, 1);
  linea.campo7 = 0;
  linea.orario = 0;
  prima.dato1 = 0;
  prima.dato2 = 0;
  return r;
}

// The table's size must be the one that the route length gives.
bool misure(const tabelle_lette& t, resoconto& r) {
  const int32_t lunghezza = t.stazioni[record_treno].fine;
  const auto celle = voce_inspiegata::tabella::celle;
  if (lunghezza < 0 || lunghezza > lunghezza_massima) {
    r.segnala(voce_inspiegata::tabella::stazioni, record_treno,
              {N_("route length {0}"), {std::to_string(lunghezza)}});
    return false;
  }
  const auto ultima =
      static_cast<int32_t>(std::nearbyint((lunghezza + 7000) / 50.0));
  if (t.ultima != ultima) {
    r.segnala(celle, -1,
              plurale("{0} cell instead of {1}", "{0} cells instead of {1}",
                      t.numero_celle(),
                      {std::to_string(t.numero_celle()),
                       std::to_string(ultima + 1)}));
    return false;
  }
  return true;
}

// One profile's lines from one byte of every cell.
template <typename Campo, typename Riga>
std::vector<voce_descrizione> profilo(const tabelle_lette& t, Campo campo,
                                      Riga riga) {
  std::vector<uint8_t> valori;
  for (int32_t i = 0; i <= t.ultima; ++i) valori.push_back(t.c(i).*campo);
  std::vector<voce_descrizione> righe;
  for (const passo_profilo& p : righe_profilo(valori)) righe.push_back(riga(p));
  return righe;
}

std::vector<voce_descrizione> pendenze(const tabelle_lette& t) {
  return profilo(t, &cella::pendenza, [](const passo_profilo& p) {
    const int64_t pendenza = decodifica_pendenza(p.valore);
    return voce_descrizione{
        std::to_string(pendenza) + " per mille dalla " +
            cella_e_metro(p.cella, aggancio::tratto),
        riga_valori("pendenza",
                    {metro_della_cella(p.cella, aggancio::tratto), pendenza})};
  });
}

std::vector<voce_descrizione> limiti(const tabelle_lette& t) {
  return profilo(t, &cella::velocita, [](const passo_profilo& p) {
    const int64_t limite = decodifica_velocita(p.valore);
    return voce_descrizione{
        std::to_string(limite) + " km/h dalla " +
            cella_e_metro(p.cella, aggancio::tratto),
        riga_valori("velocita",
                    {metro_della_cella(p.cella, aggancio::tratto), limite})};
  });
}

std::vector<voce_descrizione> aderenze(const tabelle_lette& t) {
  return profilo(t, &cella::aderenza, [](const passo_profilo& p) {
    return voce_descrizione{
        "coefficiente " + std::to_string(p.valore) + " dalla " +
            cella_e_metro(p.cella, aggancio::tratto),
        riga_valori("aderenza",
                    {metro_della_cella(p.cella, aggancio::tratto), p.valore})};
  });
}

// Every cell that no item explains.
resoconto celle_rimaste(const tabelle_lette& t,
                        const std::vector<bool>& spiegata) {
  resoconto r;
  for (int32_t i = 0; i <= t.ultima; ++i) {
    const cella& c = t.c(i);
    const bool libera = cella_libera(c);
    const bool vuota = std::all_of(
        valori_elemento.begin(), valori_elemento.end(),
        [&c](const campo<cella>& f) { return valore_numerico(f, c) == 0; });
    if (libera ? !vuota : !spiegata[static_cast<std::size_t>(i)])
      r.segnala_cella(t, i);
  }
  return r;
}

// The passes' reports gathered in the order of the passes, each cell's own
// report once, and the cells that some pass explains.
struct raccolta {
  std::vector<voce_inspiegata> inspiegate;
  std::vector<bool> segnalata;
  std::vector<bool> spiegata;

  explicit raccolta(std::size_t celle)
      : segnalata(celle, false), spiegata(celle, false) {}
  void aggiungi(resoconto r) {
    for (resoconto::segnalazione& s : r.segnalazioni) {
      if (s.della_cella) {
        const auto i = static_cast<std::size_t>(s.voce.indice);
        if (segnalata[i]) continue;
        segnalata[i] = true;
      }
      inspiegate.push_back(std::move(s.voce));
    }
    for (int32_t i : r.spiegate) spiegata[static_cast<std::size_t>(i)] = true;
  }
};

void aggiungi(std::vector<std::string>& righe,
              const std::vector<voce_descrizione>& voci) {
  for (const voce_descrizione& v : voci) {
    if (!v.commento.empty()) righe.push_back(riga_commento(v.commento));
    righe.push_back(v.riga);
  }
}

// The line description's passes, in the order of their sections.
struct passi_linea {
  righe_passo curve, gallerie, indicatori, cartelli;
};

std::vector<std::string> descrizione_linea(const tabelle_lette& t,
                                           const esito_record& record,
                                           const passi_linea& p) {
  std::vector<std::string> righe = {
      riga_commento("linea ricostruita dai file compilati"), "[generale]"};
  aggiungi(righe, record.generale_linea);
  righe.push_back("[curve]");
  if (t.piano == nullptr)
    righe.push_back(
        riga_commento("senza il file del piano: il tracciato resta diritto"));
  aggiungi(righe, p.curve.righe);
  righe.push_back("[pendenze]");
  aggiungi(righe, pendenze(t));
  righe.push_back("[montagne]");
  aggiungi(righe, p.gallerie.righe);
  righe.push_back("[cartelli]");
  aggiungi(righe, p.indicatori.righe);
  righe.push_back("[indicazioni]");
  aggiungi(righe, p.cartelli.righe);
  righe.push_back("[fine]");
  return righe;
}

// The train-run description's stations and signals, with their lines
// (`nodi`) in `ordine`.
struct passi_treno {
  std::vector<nodo_treno> nodi;
  std::vector<int32_t> ordine;
  std::vector<voce_descrizione> rallentamenti;  // and abbattimento lines
};

std::vector<std::string> descrizione_treno(const tabelle_lette& t,
                                           const esito_record& record,
                                           const passi_treno& p) {
  std::vector<std::string> righe = {
      riga_commento("marcia ricostruita dai file compilati"), "[generale]"};
  aggiungi(righe, record.generale_treno);
  righe.push_back("[aderenze]");
  aggiungi(righe, aderenze(t));
  righe.push_back("[vel_limite]");
  aggiungi(righe, limiti(t));
  righe.push_back("[stazioni]");
  std::size_t n = 0;
  int32_t stazioni = 0;
  for (; n < p.ordine.size() && stazioni < record.numero_stazioni; ++n) {
    const nodo_treno& x = p.nodi[static_cast<std::size_t>(p.ordine[n])];
    aggiungi(righe, {x.voce});
    if (x.stazione) ++stazioni;
  }
  righe.push_back("[rallentamenti]");
  aggiungi(righe, p.rallentamenti);
  righe.push_back("[segnali]");
  for (; n < p.ordine.size(); ++n)
    aggiungi(righe, {p.nodi[static_cast<std::size_t>(p.ordine[n])].voce});
  righe.push_back("[codici]");
  righe.push_back("[fine]");
  return righe;
}

template <typename T>
std::vector<T> uniti(std::vector<T> a, const std::vector<T>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The passes in their order: each takes the tables and what the passes
// before it made. Their reports come out in this order.
void passi(const tabelle_lette& t, raccolta& esiti,
           esito_decompilazione& esito) {
  esito_record record = leggi_record(t);
  esiti.aggiungi(std::move(record.r));
  esito_stazioni stazioni = stazioni_treno(t, record.numero_stazioni);
  esiti.aggiungi(std::move(stazioni.r));
  esito_segnali segnali = segnali_treno(t, stazioni);
  esiti.aggiungi(std::move(segnali.r));
  righe_passo rallentamenti = rallentamenti_treno(t);
  esiti.aggiungi(std::move(rallentamenti.r));
  righe_passo codici = codici_treno(t);
  esiti.aggiungi(std::move(codici.r));
  passi_linea linea{
      curve(t), gallerie(t), indicatori_vmax(t, segnali.indicatori_nascosti),
      cartelli_indicatori(t, record.primo_cartello, segnali.fermate_libere)};
  for (righe_passo* p :
       {&linea.curve, &linea.gallerie, &linea.indicatori, &linea.cartelli})
    esiti.aggiungi(std::move(p->r));
  esito.righe_linea = descrizione_linea(t, record, linea);
  passi_treno treno{uniti(stazioni.nodi, segnali.nodi),
                    {},
                    uniti(rallentamenti.righe, codici.righe)};
  const std::vector<scrittore_avvicinamento> scrittori =
      uniti(stazioni.scrittori, segnali.scrittori);
  esito_ordine ordine =
      ordine_treno(t, treno.nodi, scrittori, record.numero_stazioni);
  esiti.aggiungi(std::move(ordine.r));
  treno.ordine = std::move(ordine.ordine);
  esito.righe_treno = descrizione_treno(t, record, treno);
  esiti.aggiungi(celle_rimaste(t, esiti.spiegata));
}

}  // namespace

esito_decompilazione decompila(const std::vector<cella>& celle,
                               const tabella_stazioni& stazioni,
                               const coordinate_piano* piano) {
  tabelle_lette t{celle, celle.size() > 1 ? celle[1] : cella{}, stazioni, piano,
                  static_cast<int32_t>(celle.size()) - 1};
  raccolta esiti(celle.size());
  esito_decompilazione esito;
  esito.nome_linea = stazioni[record_linea].nome;
  esito.nome_treno = stazioni[record_nome_treno].nome;
  esito.con_piano = piano != nullptr;
  resoconto misurate;
  const bool ok = t.ultima >= 1 && misure(t, misurate);
  esiti.aggiungi(std::move(misurate));
  if (ok) {
    esiti.aggiungi(togli_riservati(t));
    passi(t, esiti, esito);
  }
  esito.inspiegate = std::move(esiti.inspiegate);
  return esito;
}
