#include "documents/percorso_autore.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "tables/metri.h"

namespace {

constexpr int64_t secondi_giorno = 24 * 3600;

// The cell of a profile starting at `posizione`: P / 50 rounded, halves to
// the even neighbour, as the reader places it.
int64_t cella_profilo(int32_t posizione) {
  int64_t q = posizione / metri_per_cella;
  int64_t r = posizione % metri_per_cella;
  if (r < 0) {
    --q;
    r += metri_per_cella;
  }
  if (r * 2 > metri_per_cella || (r * 2 == metri_per_cella && q % 2 != 0)) ++q;
  return q;
}

int32_t metro_finale(std::size_t cella) {
  return static_cast<int32_t>(cella) * metri_per_cella;
}

bool stazione_presente(const stazione& s) { return s.tipo != 0 || s.fine != 0; }

bool progressione_presente(const stazione& s) {
  return s.inizio != 0 || s.fine != 0 || s.posizione != 0;
}

int64_t dalla_progressione(const stazione& p, int32_t posizione) {
  const int64_t percorsi = int64_t{posizione} - p.inizio;
  if (p.posizione == 1) return int64_t{p.fine} - 100 - percorsi;
  return int64_t{p.fine} + percorsi;
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
  const stazione* prima_di_tutte = nullptr;
  for (int r = record_progressiva_tre; r <= record_progressiva_uno; ++r) {
    const stazione& p = stazioni[static_cast<std::size_t>(r)];
    if (!progressione_presente(p)) continue;
    if (p.inizio <= posizione) return dalla_progressione(p, posizione);
    prima_di_tutte = &p;
  }
  if (prima_di_tutte == nullptr) return posizione;
  return dalla_progressione(*prima_di_tutte, posizione);
}

int velocita_da(const std::vector<cella>& celle, int32_t posizione) {
  const int64_t i = cella_profilo(posizione);
  if (i < 0 || i >= static_cast<int64_t>(celle.size())) return 0;
  return celle[static_cast<std::size_t>(i)].velocita * 5;
}

int velocita_massima(const std::vector<cella>& celle, int32_t da, int32_t a) {
  if (celle.empty()) return 0;
  const int64_t ultima = static_cast<int64_t>(celle.size()) - 1;
  const int64_t prima = std::clamp<int64_t>(cella_profilo(da), 0, ultima);
  const int64_t dopo = std::clamp<int64_t>(cella_profilo(a), 0, ultima);
  int massima = 0;
  for (int64_t i = prima; i <= dopo; ++i)
    massima =
        std::max(massima, celle[static_cast<std::size_t>(i)].velocita * 5);
  return massima;
}

std::vector<cambio_velocita> cambi_velocita(const std::vector<cella>& celle,
                                            int32_t da, int32_t a) {
  std::vector<cambio_velocita> cambi;
  for (std::size_t i = 1; i < celle.size(); ++i) {
    const int32_t posizione = metro_finale(i);
    if (celle[i].velocita == celle[i - 1].velocita) continue;
    if (posizione <= da || posizione >= a) continue;
    cambi.push_back({posizione, celle[i].velocita * 5});
  }
  return cambi;
}

std::vector<indicatore_velocita> indicatori_velocita(
    const std::vector<cella>& celle, int32_t da, int32_t a) {
  std::vector<indicatore_velocita> indicatori;
  for (std::size_t i = 1; i < celle.size(); ++i) {
    const cella& c = celle[i];
    // A board at metre P stands in cell P / 50 + 1.
    const int32_t posizione = metro_finale(i - 1);
    if (c.tipo != cella_indicatore_vmax || posizione < da || posizione >= a)
      continue;
    indicatore_velocita v{posizione, {}, {}, c.dato4 / 10, c.dato4 % 10};
    const int16_t valori[] = {c.dato1, c.dato2, c.dato3};
    for (std::size_t k = 0; k < 3; ++k) {
      v.sinistra[k] = 5 * (valori[k] / 100);
      v.destra[k] = 5 * (valori[k] % 100);
    }
    indicatori.push_back(v);
  }
  return indicatori;
}

std::vector<rallentamento> rallentamenti(const std::vector<cella>& celle) {
  std::vector<rallentamento> elenco;
  std::vector<capo_rallentamento> aperti;
  // A slowdown at metre x starts in cell x / 50 + 1: its metre is 50 (S - 1).
  auto aggiungi = [&](const capo_rallentamento& inizio, std::size_t fine) {
    elenco.push_back({metro_finale(inizio.cella - 1), metro_finale(fine - 1),
                      std::get<0>(inizio.valori)});
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
    const int kmh = celle[i].velocita * 5;
    cumulati_[i] = cumulati_[i - 1] + (kmh > 0 ? 180.0 / kmh : 0.0);
  }
}

double tempi_di_corsa::fino_a(int32_t posizione) const {
  const int64_t ultimo = metro_finale(cumulati_.size() - 1);
  const int64_t p = std::clamp<int64_t>(posizione, 0, ultimo);
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
