#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

#include "documents/dati_scheda.h"
#include "documents/documenti_autore.h"
#include "documents/percorso_autore.h"
#include "documents/testo_autore.h"
#include "tables/campi.h"

namespace {

// The frames come from the default sheet: its lines before the table's first
// row are the heading, the boxes and the column titles, three of them holding
// the contents that change; its first table row is the blank row, and the
// line before that the table's base.
constexpr std::size_t riga_partenza = 4, riga_arrivo = 5, riga_riquadri = 9,
                      riga_vuota = 16, base_tabella = riga_vuota - 1;

std::string riga_predefinita(std::size_t n) { return righe_scheda()[n]; }

constexpr const char* legenda_stima =
    "   * orario di transito stimato dalle velocit\xE0 massime";

// The texts of the heading and of the two boxes, in Windows-1252.
struct voci_scheda {
  std::string treno, origine, destinazione, alta, bassa, classificazione, massa;
};

// Rows at one position: a station, then a board, then the train's own speed
// step when neither takes it; the destination comes last.
enum class ordine_riga { stazione, indicatore, velocita, arrivo };

// One row of the table before its time is known.
struct riga_percorso {
  int32_t posizione = 0;
  ordine_riga ordine = ordine_riga::stazione;
  std::string velocita;
  std::string nome;
  int32_t orario = 0;
};

enum class posto_orario { primo, medio, ultimo };

std::string colonna_orario(const orario_luogo& o, posto_orario posto) {
  if (!o.presente) return std::string(16, ' ');
  const std::string t = ora_minuti(o.secondi) + (o.stimato ? "*" : "");
  // As the default sheet places them: the first time at the column's right
  // end, the last at its left end, the others in between.
  switch (posto) {
    case posto_orario::primo:
      return a_destra(t, 15) + " ";
    case posto_orario::ultimo:
      return " " + a_sinistra(t, 15);
    default:
      return "     " + a_sinistra(t, 11);
  }
}

std::string riga_tabella(const riga_percorso& r, const tabella_stazioni& t,
                         const std::string& orario) {
  const std::string progr = chilometri(progressiva(t, r.posizione));
  return " |" + a_destra(r.velocita, 4) + " |     |" + a_destra(progr, 8) +
         "  |     |  " + a_sinistra(r.nome, 26) + "|" + orario + "|     |";
}

std::string velocita_testo(int kmh) {
  return kmh > 0 ? std::to_string(kmh) : "";
}

// Station rows, with the speed limit in force at the origin.
std::vector<riga_percorso> righe_stazioni(const std::vector<stazione>& s,
                                          const std::vector<cella>& celle) {
  std::vector<riga_percorso> righe;
  for (std::size_t k = 0; k < s.size(); ++k) {
    const bool arrivo = k > 0 && k + 1 == s.size();
    righe.push_back({s[k].posizione,
                     arrivo ? ordine_riga::arrivo : ordine_riga::stazione, "",
                     maiuscole_cp1252(s[k].nome), s[k].orario});
  }
  if (!righe.empty())
    righe.front().velocita = velocita_testo(velocita_da(celle, s[0].posizione));
  return righe;
}

// A row for each board that sets new speeds: of the left side, or of the right
// one for a board without a left side. A board with stripes only announces the
// board ahead, and one that repeats the speeds of the board before it changes
// nothing. The row names the board's speeds for the ranks A, B and C and
// leaves "Vel. Lim." to the train's own limit, which a board may not change:
// one column, one meaning.
std::vector<riga_percorso> righe_indicatori(const std::vector<cella>& celle,
                                            int32_t da, int32_t a) {
  std::vector<riga_percorso> righe;
  std::array<int, 3> prima{};
  for (const indicatore_velocita& i : indicatori_velocita(celle, da, a)) {
    const bool sinistra = i.sinistra[0] > 0;
    const auto& v = sinistra ? i.sinistra : i.destra;
    if ((sinistra ? i.strisce_sinistra : i.strisce_destra) != 0 || v == prima)
      continue;
    prima = v;
    righe.push_back({i.posizione, ordine_riga::indicatore, "",
                     "indicatore A" + std::to_string(v[0]) + " B" +
                         std::to_string(v[1]) + " C" + std::to_string(v[2]),
                     0});
  }
  return righe;
}

// A change of the train's speed limit goes into the row of the station or of
// the board at its position, else into a row of its own named by its
// progressive, as the default sheet names them.
void poni_cambio(std::vector<riga_percorso>& righe, const cambio_velocita& c,
                 const tabella_stazioni& t) {
  auto stessa = std::find_if(righe.begin(), righe.end(), [&](auto& r) {
    return r.posizione == c.posizione;
  });
  if (stessa != righe.end()) {
    stessa->velocita = velocita_testo(c.velocita);
    return;
  }
  righe.push_back({c.posizione, ordine_riga::velocita,
                   velocita_testo(c.velocita),
                   "Km " + chilometri(progressiva(t, c.posizione)), 0});
}

std::vector<riga_percorso> righe_percorso(const std::vector<cella>& celle,
                                          const tabella_stazioni& t) {
  const std::vector<stazione> s = stazioni_del_percorso(t);
  std::vector<riga_percorso> righe = righe_stazioni(s, celle);
  if (s.empty()) return righe;
  const int32_t da = s.front().posizione, a = s.back().posizione;
  for (riga_percorso& r : righe_indicatori(celle, da, a)) righe.push_back(r);
  for (const cambio_velocita& c : cambi_velocita(celle, da, a))
    poni_cambio(righe, c, t);
  std::stable_sort(righe.begin(), righe.end(), [](auto& x, auto& y) {
    return std::tie(x.posizione, x.ordine) < std::tie(y.posizione, y.ordine);
  });
  return righe;
}

// The table's rows with their times, and the legend of the estimated times
// when there is one.
std::vector<std::string> corpo_tabella(const std::vector<cella>& celle,
                                       const tabella_stazioni& t) {
  const std::vector<riga_percorso> righe = righe_percorso(celle, t);
  std::vector<luogo_orario> luoghi;
  for (const riga_percorso& r : righe)
    luoghi.push_back({r.posizione, r.orario});
  const std::vector<orario_luogo> orari =
      stima_orari(luoghi, tempi_di_corsa(celle));
  const std::string vuota = riga_predefinita(riga_vuota);
  std::vector<std::string> corpo = {vuota};
  bool stime = false;
  for (std::size_t k = 0; k < righe.size(); ++k) {
    const posto_orario posto = k == 0                  ? posto_orario::primo
                               : k + 1 == righe.size() ? posto_orario::ultimo
                                                       : posto_orario::medio;
    corpo.push_back(riga_tabella(righe[k], t, colonna_orario(orari[k], posto)));
    stime = stime || orari[k].stimato;
  }
  corpo.push_back(vuota);
  if (stime) {
    corpo.push_back(" |     |" + a_sinistra(legenda_stima, 68) + "|     |");
    corpo.push_back(vuota);
  }
  return corpo;
}

std::vector<std::string> intestazione(const voci_scheda& v) {
  std::vector<std::string> righe = righe_scheda();
  righe.resize(riga_vuota);
  righe[riga_partenza] =
      " |" + al_centro("TRENO n." + v.treno, 19) +
      "|                   da: " + a_sinistra(v.origine, 22) + "|" +
      al_centro(v.alta, 14) + "|";
  righe[riga_arrivo] = " |___________________|                    a: " +
                       a_sinistra(v.destinazione, 22) + "|" +
                       al_centro(v.bassa, 14) + "|";
  righe[riga_riquadri] = " |   " + a_sinistra(v.classificazione, 16) +
                         "|              |      " + a_sinistra(v.massa, 13) +
                         "|";
  return righe;
}

// The texts that the tables give when the author gives none.
voci_scheda voci_dalle_tabelle(const tabelle& t) {
  const std::vector<stazione> s = stazioni_del_percorso(t.stazioni);
  const dati_generali g(t.stazioni);
  voci_scheda v;
  v.treno = g.codice_treno();
  if (!s.empty()) {
    v.origine = maiuscole_cp1252(s.front().nome);
    v.destinazione = maiuscole_cp1252(s.back().nome);
  }
  const int massima =
      s.empty()
          ? velocita_massima(t.celle, 0, g.lunghezza_percorso())
          : velocita_massima(t.celle, s.front().posizione, s.back().posizione);
  if (massima > 0) v.alta = "V" + std::to_string(massima);
  const int32_t vetture = g.numero_vetture();
  if (vetture > 0)
    v.bassa =
        std::to_string(vetture) + (vetture == 1 ? " VETTURA" : " VETTURE");
  if (g.massa_frenata() > 0) v.massa = std::to_string(g.massa_frenata()) + "%";
  return v;
}

// The author's texts over the defaults.
void voci_dell_autore(const opzioni_documenti& o, voci_scheda& v) {
  const std::pair<const std::optional<std::string>&, std::string&> voci[] = {
      {o.voce_alta, v.alta},
      {o.voce_bassa, v.bassa},
      {o.massa_bloccata, v.massa}};
  for (const auto& [testo, destinazione] : voci)
    if (testo) destinazione = *testo;
  v.classificazione = o.classificazione;
}

}  // namespace

std::vector<std::string> righe_scheda_autore(const tabelle& t,
                                             const opzioni_documenti& opzioni) {
  voci_scheda voci = voci_dalle_tabelle(t);
  voci_dell_autore(opzioni, voci);
  std::vector<std::string> righe = intestazione(voci);
  for (std::string& riga : corpo_tabella(t.celle, t.stazioni))
    righe.push_back(std::move(riga));
  righe.push_back(riga_predefinita(base_tabella));
  righe.push_back("");
  return righe;
}
