// The boards of the line description: speed boards (kind 6) and board texts
// (kind 14, their texts in records 80 downward, in line order). A stop cell
// may cover either: a speed board leaves its last three values under it, a
// board text only its record.
#include <algorithm>
#include <optional>
#include <string>

#include "decompiler/passi.h"

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
std::vector<voce_cartello> cartelli(const tabelle_lette& t,
                                    int32_t primo_cartello,
                                    const std::vector<int32_t>& fermate_libere,
                                    resoconto& r) {
  std::vector<int32_t> cella_del_record(primo_record_cartelli + 1, -1);
  for (int32_t i = 0; i <= t.ultima; ++i) {
    const cella& c = t.c(i);
    if (c.tipo != cella_cartello) continue;
    const std::optional<int32_t> record = decodifica_record_cartello(c.dato1);
    if (!record || *record < primo_cartello ||
        *record > primo_record_cartelli || !solo_dato1(c) ||
        cella_del_record[static_cast<std::size_t>(*record)] >= 0)
      continue;  // left unexplained
    cella_del_record[static_cast<std::size_t>(*record)] = i;
    r.spiega(i);
  }
  std::vector<voce_cartello> voci;
  std::size_t libera = 0;
  for (int32_t n = primo_record_cartelli; n >= primo_cartello; --n) {
    voce_cartello v{n, cella_del_record[static_cast<std::size_t>(n)], false};
    if (v.cella < 0 && libera < fermate_libere.size()) {
      v.cella = fermate_libere[libera++];
      v.nascosto = true;
    }
    voci.push_back(v);
  }
  return voci;
}

voce_descrizione voce_cartello_indicatore(const tabelle_lette& t,
                                          const voce_cartello& v,
                                          resoconto& r) {
  const std::string& testo =
      t.stazioni[static_cast<std::size_t>(v.record)].nome;
  std::string campo;
  const bool ok = campo_testo(testo, campo);
  if (!ok) campo = testo;
  const int64_t metro = metro_cella_piu_uno(std::max(v.cella, 0));
  voce_descrizione voce{
      "tabella con testo nella cella " + std::to_string(v.cella) +
          (v.nascosto ? " (sotto una cella di fermata)" : ""),
      "cartello_indicatore, " + std::to_string(metro) + ", " + campo};
  if (!ok || v.cella < 0 || !entro(metro, 100, t.ultima))
    r.segnala(voce_inspiegata::tabella::stazioni, v.record,
              {N_("a board text that no line places")}, voce.riga);
  return voce;
}

}  // namespace

righe_passo indicatori_vmax(const tabelle_lette& t,
                            const std::vector<voce_indicatore>& nascosti) {
  righe_passo e;
  std::vector<voce_indicatore> indicatori = nascosti;
  for (int32_t i = 0; i <= t.ultima; ++i) {
    const cella& c = t.c(i);
    if (c.tipo != cella_indicatore_vmax || c.tempo != 0) continue;
    indicatori.push_back({i, {c.dato1, c.dato2, c.dato3, c.dato4}, false});
    e.r.spiega(i);
  }
  std::sort(indicatori.begin(), indicatori.end(),
            [](const voce_indicatore& a, const voce_indicatore& b) {
              return a.cella < b.cella;
            });
  for (const voce_indicatore& x : indicatori) {
    e.righe.push_back(voce_indicatore_vmax(x));
    if (!entro(metro_cella_piu_uno(x.cella), 100, t.ultima))
      e.r.segnala_cella(t, x.cella, e.righe.back().riga);
  }
  return e;
}

righe_passo cartelli_indicatori(const tabelle_lette& t, int32_t primo_cartello,
                                const std::vector<int32_t>& fermate_libere) {
  righe_passo e;
  const std::vector<voce_cartello> voci =
      cartelli(t, primo_cartello, fermate_libere, e.r);
  for (const voce_cartello& v : voci)
    e.righe.push_back(voce_cartello_indicatore(t, v, e.r));
  return e;
}
