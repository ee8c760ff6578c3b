// The boards of the line description: speed boards (kind 6) and board texts
// (kind 14, their texts in records 80 downward, in line order). A stop cell
// may cover either: a speed board leaves its last three values under it, a
// board text only its record.
#include <algorithm>
#include <string>

#include "decompiler/lavoro.h"

namespace {

voce_descrizione voce_indicatore_vmax(const voce_indicatore& x) {
  int64_t s[3], d[3];
  for (int n = 0; n < 3; ++n) {
    const velocita_lati v = decodifica_velocita_cartello(x.dato[n]);
    s[n] = v.sinistra;
    d[n] = v.destra;
  }
  const velocita_lati strisce = decodifica_strisce(x.dato[3]);
  const int64_t strisce_s = strisce.sinistra, strisce_d = strisce.destra;
  std::string commento =
      "limiti nella cella " + std::to_string(x.cella) + ": A " +
      std::to_string(s[0]) + "/" + std::to_string(d[0]) + " B " +
      std::to_string(s[1]) + "/" + std::to_string(d[1]) + " C " +
      std::to_string(s[2]) + "/" + std::to_string(d[2]) + " km/h";
  if (x.nascosto) commento += " (sotto una cella di fermata)";
  return {commento, riga_valori("indicatori_vmax",
                                {metro_cella_piu_uno(x.cella), s[0], s[1], s[2],
                                 strisce_s, d[0], d[1], d[2], strisce_d})};
}

bool solo_dato1(const cella& c) {
  return c.dato2 == 0 && c.dato3 == 0 && c.dato4 == 0 && c.tempo == 0;
}

// The board texts: every record from the lowest to 80 once, at its visible
// cell or, for one whose cell a stop cell covers, at a stop cell that hides
// nothing else.
void cartelli(lavoro& l) {
  std::vector<int32_t> cella_del_record(primo_record_cartelli + 1, -1);
  for (int32_t i = 0; i <= l.ultima; ++i) {
    const cella& c = l.c(i);
    if (c.tipo != cella_cartello) continue;
    if (c.dato1 < l.primo_cartello || c.dato1 > primo_record_cartelli ||
        !solo_dato1(c) ||
        cella_del_record[static_cast<std::size_t>(c.dato1)] >= 0)
      continue;  // left unexplained
    cella_del_record[static_cast<std::size_t>(c.dato1)] = i;
    l.spiegata[static_cast<std::size_t>(i)] = true;
  }
  std::size_t libera = 0;
  for (int32_t r = primo_record_cartelli; r >= l.primo_cartello; --r) {
    voce_cartello v{r, cella_del_record[static_cast<std::size_t>(r)], false};
    if (v.cella < 0 && libera < l.fermate_libere.size()) {
      v.cella = l.fermate_libere[libera++];
      v.nascosto = true;
    }
    l.cartelli.push_back(v);
  }
}

voce_descrizione voce_cartello_indicatore(lavoro& l, const voce_cartello& v) {
  const std::string& testo =
      l.stazioni[static_cast<std::size_t>(v.record)].nome;
  std::string campo;
  const bool ok = campo_testo(testo, campo);
  if (!ok) campo = testo;
  const int64_t metro = metro_cella_piu_uno(std::max(v.cella, 0));
  voce_descrizione voce{
      "tabella con testo nella cella " + std::to_string(v.cella) +
          (v.nascosto ? " (sotto una cella di fermata)" : ""),
      "cartello_indicatore, " + std::to_string(metro) + ", " + campo};
  if (!ok || v.cella < 0 || !entro(metro, 100, l.ultima))
    l.segnala(voce_inspiegata::tabella::stazioni, v.record,
              {N_("a board text that no line places")}, voce.riga);
  return voce;
}

}  // namespace

std::vector<voce_descrizione> indicatori_vmax(lavoro& l) {
  for (int32_t i = 0; i <= l.ultima; ++i) {
    const cella& c = l.c(i);
    if (c.tipo != cella_indicatore_vmax || c.tempo != 0) continue;
    l.indicatori.push_back({i, {c.dato1, c.dato2, c.dato3, c.dato4}, false});
    l.spiegata[static_cast<std::size_t>(i)] = true;
  }
  std::sort(l.indicatori.begin(), l.indicatori.end(),
            [](const voce_indicatore& a, const voce_indicatore& b) {
              return a.cella < b.cella;
            });
  std::vector<voce_descrizione> righe;
  for (const voce_indicatore& x : l.indicatori) {
    righe.push_back(voce_indicatore_vmax(x));
    if (!entro(metro_cella_piu_uno(x.cella), 100, l.ultima))
      l.segnala_cella(x.cella, righe.back().riga);
  }
  return righe;
}

std::vector<voce_descrizione> cartelli_indicatori(lavoro& l) {
  cartelli(l);
  std::vector<voce_descrizione> righe;
  for (const voce_cartello& v : l.cartelli)
    righe.push_back(voce_cartello_indicatore(l, v));
  return righe;
}
