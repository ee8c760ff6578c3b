// Stations from records 1 upward. Each line gives position, kind and the
// area's length, which the reader turns into the area's start and end; the
// first station's campo5 and campo6 are cleared after use, and campo5 also
// when the area is shorter than 600 m. Stations of kind below 25 get a stop
// cell (written over whatever the cell held) and, but kinds 5 and 6, four
// approach marks: those the reader puts back, so they only have to match.
#include <cmath>
#include <limits>
#include <string>

#include "decompiler/passi.h"

namespace {

struct area_letta {
  int64_t lunghezza = 0;
  int64_t campo6 = 0;  // the value to write, which may differ from the stored
  bool ok = true;
};

// The length (and campo6) whose area is the stored one.
area_letta area(const stazione& r, int32_t record) {
  const int64_t p = r.posizione;
  area_letta a;
  if (r.tipo == 5 || r.tipo == 6) {
    a.lunghezza = p - r.inizio;
    a.ok = r.fine == p + 150 && r.campo6 == 0;
  } else if (r.tipo == 7 || r.tipo == 8) {
    a.lunghezza = p - r.inizio;
    a.ok = r.fine == p + a.lunghezza && r.campo6 == 0;
  } else {
    a.lunghezza = 2 * (p - r.inizio);
    const int64_t oltre = r.fine - (p + (p - r.inizio));
    a.campo6 = record == 1 ? (oltre == 50 ? 1 : 0) : r.campo6;
    a.ok = oltre == (a.campo6 != 0 ? 50 : 0) && (record != 1 || r.campo6 == 0);
  }
  a.ok = a.ok && a.lunghezza % 100 == 0 &&
         a.lunghezza >= std::numeric_limits<int32_t>::min() &&
         a.lunghezza <= std::numeric_limits<int32_t>::max();
  if (a.ok && (a.lunghezza < 600 || record == 1)) a.ok = r.campo5 == 0;
  return a;
}

std::string riga_stazione(const stazione& r, const area_letta& a,
                          bool& nome_ok) {
  const ora_stazione ora = decodifica_orario(r.orario);
  std::string nome;
  nome_ok = campo_testo(r.nome, nome);
  if (!nome_ok) nome = r.nome;
  return riga_valori(
             "stazione",
             {r.posizione, r.tipo, a.lunghezza, r.campo4, r.campo5, a.campo6,
              r.campo7, r.campo8, r.campo9, r.campo10, r.campo11, r.campo12,
              r.campo13, ora.ore, ora.minuti, ora.secondi}) +
         ", " + nome;
}

// The stop cell: its kind and first value come from the station; what the
// cell held before keeps its other values, for `sotto_le_fermate` to explain.
void cella_di_fermata(const tabelle_lette& t, int32_t record, int32_t i,
                      const std::string& riga, esito_stazioni& e) {
  const cella& c = t.c(i);
  if (c.tipo != cella_fermata || c.dato1 != record) {
    e.r.segnala_cella(t, i, riga);
    return;
  }
  e.r.spiega(i);
  e.fermate.push_back({i, record});
}

// The marks and the stop cell that the reader adds for a station.
void segni_della_stazione(const tabelle_lette& t, int32_t record,
                          const stazione& r, const std::string& riga,
                          esito_stazioni& e) {
  if (r.tipo >= 25) return;
  if (r.tipo != 5 && r.tipo != 6) {
    for (int k = 1; k <= 4; ++k) {
      const double quoto = r.fine / 50.0 - k - 1;
      const auto c = static_cast<int64_t>(std::nearbyint(quoto));
      if (quoto > 1 && t.in_tabella(c))
        e.scrittori.push_back({static_cast<int32_t>(c),
                               static_cast<uint8_t>(80 + k), record - 1});
    }
  }
  const auto fermata = static_cast<int64_t>(std::nearbyint(r.fine / 50.0 - 1));
  if (!(r.fine / 50.0 - 1 > 1) || !t.in_tabella(fermata)) {
    e.r.segnala(voce_inspiegata::tabella::stazioni, record,
                {N_("a station without room for its stop cell")}, riga);
    return;
  }
  cella_di_fermata(t, record, static_cast<int32_t>(fermata), riga, e);
}

bool rispetta_regole(const tabelle_lette& t, int32_t record,
                     const stazione& r) {
  if (r.posizione % 50 != 0 || !entro(r.posizione, 800, t.ultima)) return false;
  if (record == 1) return true;
  const stazione& prima = t.stazioni[static_cast<std::size_t>(record - 1)];
  return int64_t{r.inizio} - 350 >= prima.fine;
}

}  // namespace

esito_stazioni stazioni_treno(const tabelle_lette& t, int32_t numero_stazioni) {
  esito_stazioni e;
  for (int32_t record = 1; record <= numero_stazioni; ++record) {
    const stazione& r = t.stazioni[static_cast<std::size_t>(record)];
    const area_letta a = area(r, record);
    bool nome_ok = true;
    const std::string riga = riga_stazione(r, a, nome_ok);
    if (!a.ok || !nome_ok || !rispetta_regole(t, record, r))
      e.r.segnala(voce_inspiegata::tabella::stazioni, record,
                  {N_("a station that no line gives as it is")}, riga);
    std::string commento = "localit\xE0 " + std::to_string(record) +
                           " di tipo " + std::to_string(r.tipo) +
                           ": area dal metro " + std::to_string(r.inizio) +
                           " al metro " + std::to_string(r.fine);
    e.nodi.push_back({true, record, {commento, riga}});
    segni_della_stazione(t, record, r, riga, e);
  }
  return e;
}
