#include "documents/percorso_autore.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include "tables/campi.h"
#include "tables/metri.h"
#include "tables/valori_celle.h"
#include "train_run/geometria.h"

namespace {

bool stazione_presente(const stazione& s) { return s.tipo != 0 || s.fine != 0; }

// A kilometric progression as the reader leaves it: its start, its value in
// metres and 1 when it counts down.
struct progressione {
  int32_t inizio = 0;
  int32_t valore = 0;
  int32_t segno = 0;
  bool presente() const { return inizio != 0 || valore != 0 || segno != 0; }
};

int64_t dalla_progressione(const progressione& p, int32_t posizione) {
  const int64_t percorsi = int64_t{posizione} - p.inizio;
  const int64_t valore = valore_progressiva(p.valore, p.segno);
  return p.segno == 1 ? valore - percorsi : valore + percorsi;
}

// The start or end of a slowdown with the values that pair them.
struct capo_rallentamento {
  std::size_t cella;
  std::tuple<int16_t, int16_t, int16_t> valori;
};

// The time of a place between two places with a time, stretched to meet both.
double tra_due_orari(const luogo_orario& prima, double tempo_prima,
                     const luogo_orario& dopo, double tempo_dopo,
                     const luogo_orario& qui, double tempo_qui) {
  // A next time earlier in the day that is not a run past midnight goes
  // backwards (the checker warns): nothing to stretch to, the running time
  // alone.
  if (dopo.orario < prima.orario &&
      !passa_la_mezzanotte(prima.orario, dopo.orario))
    return prima.orario + (tempo_qui - tempo_prima);
  double arrivo = dopo.orario;
  if (arrivo < prima.orario) arrivo += secondi_giorno;
  const double intervallo = arrivo - prima.orario;
  if (tempo_dopo > tempo_prima) {
    return prima.orario +
           (tempo_qui - tempo_prima) / (tempo_dopo - tempo_prima) * intervallo;
  }
  const double distanza = static_cast<double>(dopo.posizione) - prima.posizione;
  if (distanza <= 0) return prima.orario;
  return prima.orario +
         (qui.posizione - prima.posizione) / distanza * intervallo;
}

}  // namespace

std::vector<stazione> stazioni_del_percorso(const tabella_stazioni& stazioni) {
  std::vector<stazione> percorso;
  for (int r = 1; r < primo_record_cartelli; ++r) {
    const stazione& s = stazioni[static_cast<std::size_t>(r)];
    if (!stazione_presente(s)) break;
    percorso.push_back(s);
  }
  return percorso;
}

int64_t progressiva(const tabella_stazioni& stazioni, int32_t posizione) {
  const dati_generali g(stazioni);
  std::optional<progressione> prima_di_tutte;
  for (int n = 0; n < 3; ++n) {
    const progressione p{g.progressiva_inizio(n), g.progressiva_valore(n),
                         g.progressiva_segno(n)};
    if (!p.presente()) continue;
    if (p.inizio <= posizione) return dalla_progressione(p, posizione);
    prima_di_tutte = p;
  }
  if (!prima_di_tutte) return posizione;
  return dalla_progressione(*prima_di_tutte, posizione);
}

int velocita_da(const std::vector<cella>& celle, int32_t posizione) {
  const int64_t i = cella_del_metro(posizione, aggancio::tratto);
  if (i < 0 || i >= static_cast<int64_t>(celle.size())) return 0;
  return decodifica_velocita(celle[static_cast<std::size_t>(i)].velocita);
}

int velocita_massima(const std::vector<cella>& celle, int32_t da, int32_t a) {
  if (celle.empty()) return 0;
  const int64_t ultima = static_cast<int64_t>(celle.size()) - 1;
  const int64_t prima =
      std::clamp<int64_t>(cella_del_metro(da, aggancio::tratto), 0, ultima);
  const int64_t dopo =
      std::clamp<int64_t>(cella_del_metro(a, aggancio::tratto), 0, ultima);
  int massima = 0;
  for (int64_t i = prima; i <= dopo; ++i)
    massima = std::max(
        massima,
        decodifica_velocita(celle[static_cast<std::size_t>(i)].velocita));
  return massima;
}

std::vector<cambio_velocita> cambi_velocita(const std::vector<cella>& celle,
                                            int32_t da, int32_t a) {
  std::vector<cambio_velocita> cambi;
  for (std::size_t i = 1; i < celle.size(); ++i) {
    const auto posizione =
        static_cast<int32_t>(metro_della_cella(i, aggancio::tratto));
    if (celle[i].velocita == celle[i - 1].velocita) continue;
    if (posizione <= da || posizione >= a) continue;
    cambi.push_back({posizione, decodifica_velocita(celle[i].velocita)});
  }
  return cambi;
}

std::vector<indicatore_velocita> indicatori_velocita(
    const std::vector<cella>& celle, int32_t da, int32_t a) {
  std::vector<indicatore_velocita> indicatori;
  for (std::size_t i = 1; i < celle.size(); ++i) {
    const cella& c = celle[i];
    const auto posizione =
        static_cast<int32_t>(metro_della_cella(i, aggancio::punto));
    if (c.tipo != cella_indicatore_vmax || posizione < da || posizione >= a)
      continue;
    const velocita_lati strisce = decodifica_strisce(c.dato4);
    indicatore_velocita v{posizione,
                          {},
                          {},
                          static_cast<int>(strisce.sinistra),
                          static_cast<int>(strisce.destra)};
    const int16_t valori[] = {c.dato1, c.dato2, c.dato3};
    for (std::size_t k = 0; k < 3; ++k) {
      const velocita_lati lati = decodifica_velocita_cartello(valori[k]);
      v.sinistra[k] = static_cast<int>(lati.sinistra);
      v.destra[k] = static_cast<int>(lati.destra);
    }
    indicatori.push_back(v);
  }
  return indicatori;
}

std::vector<rallentamento> rallentamenti(const std::vector<cella>& celle) {
  std::vector<rallentamento> elenco;
  std::vector<capo_rallentamento> aperti;
  auto metro = [](std::size_t cella) {
    return static_cast<int32_t>(metro_della_cella(cella, aggancio::punto));
  };
  auto aggiungi = [&](const capo_rallentamento& inizio, std::size_t fine) {
    elenco.push_back(
        {metro(inizio.cella), metro(fine), std::get<0>(inizio.valori)});
  };
  for (std::size_t i = 1; i < celle.size(); ++i) {
    const cella& c = celle[i];
    const capo_rallentamento capo{i, {c.dato1, c.dato2, c.dato3}};
    if (c.tipo == cella_inizio_rallentamento) aperti.push_back(capo);
    if (c.tipo != cella_fine_rallentamento) continue;
    auto stesso = std::find_if(
        aperti.rbegin(), aperti.rend(),
        [&](const capo_rallentamento& a) { return a.valori == capo.valori; });
    if (stesso == aperti.rend()) continue;
    aggiungi(*stesso, i);
    aperti.erase(std::next(stesso).base());
  }
  for (const capo_rallentamento& aperto : aperti)
    aggiungi(aperto, aperto.cella);
  std::stable_sort(elenco.begin(), elenco.end(),
                   [](const rallentamento& x, const rallentamento& y) {
                     return x.inizio < y.inizio;
                   });
  return elenco;
}

int numero_segnali(const std::vector<cella>& celle) {
  return static_cast<int>(
      std::count_if(celle.begin(), celle.end(),
                    [](const cella& c) { return c.tipo == cella_segnale; }));
}

tempi_di_corsa::tempi_di_corsa(const std::vector<cella>& celle) {
  cumulati_.assign(celle.empty() ? 1 : celle.size(), 0.0);
  for (std::size_t i = 1; i < celle.size(); ++i) {
    // Cell i covers the 50 metres before metre 50 i: 180 s divided by km/h.
    const int kmh = decodifica_velocita(celle[i].velocita);
    cumulati_[i] = cumulati_[i - 1] + (kmh > 0 ? 180.0 / kmh : 0.0);
  }
}

double tempi_di_corsa::fino_a(int32_t posizione) const {
  const int64_t ultimo =
      int64_t{metri_per_cella} * static_cast<int64_t>(cumulati_.size() - 1);
  const int64_t p = std::clamp<int64_t>(posizione, 0, ultimo);
  // The cell boundary at or before p, then the share of the cell after it.
  const auto i = static_cast<std::size_t>(p / metri_per_cella);
  const int64_t resto = p % metri_per_cella;
  if (resto == 0) return cumulati_[i];
  return cumulati_[i] + (cumulati_[i + 1] - cumulati_[i]) *
                            static_cast<double>(resto) / metri_per_cella;
}

std::vector<orario_luogo> stima_orari(const std::vector<luogo_orario>& luoghi,
                                      const tempi_di_corsa& tempi) {
  std::vector<orario_luogo> orari(luoghi.size());
  std::vector<std::size_t> dati;  // the places that have a time of their own
  for (std::size_t k = 0; k < luoghi.size(); ++k)
    if (luoghi[k].orario > 0) dati.push_back(k);
  if (dati.empty()) return orari;
  std::size_t dopo = 0;  // index into `dati` of the next place with a time
  for (std::size_t k = 0; k < luoghi.size(); ++k) {
    const luogo_orario& qui = luoghi[k];
    if (qui.orario > 0) {
      orari[k] = {qui.orario, false, true};
      ++dopo;
      continue;
    }
    const double t = tempi.fino_a(qui.posizione);
    double stima;
    if (dopo == 0) {
      const luogo_orario& primo = luoghi[dati.front()];
      stima = primo.orario - (tempi.fino_a(primo.posizione) - t);
    } else if (dopo == dati.size()) {
      const luogo_orario& ultimo = luoghi[dati.back()];
      stima = ultimo.orario + (t - tempi.fino_a(ultimo.posizione));
    } else {
      const luogo_orario& a = luoghi[dati[dopo - 1]];
      const luogo_orario& b = luoghi[dati[dopo]];
      stima = tra_due_orari(a, tempi.fino_a(a.posizione), b,
                            tempi.fino_a(b.posizione), qui, t);
    }
    orari[k] = {std::llround(stima), true, true};
  }
  return orari;
}
