#include "page/pagina_problemi.h"

#include <algorithm>
#include <numeric>

#include "platform/cp1252.h"
#include "tables/metri.h"
#include "page/pagina_testi.h"

namespace {

constexpr int32_t codice_oltre_le_celle = 15;

// "treno.txt:13:5: stazione" for a place in a description, "cella 61" for the
// route scan.
std::string dove(const problema& p, const nomi_descrizioni& nomi) {
  if (p.fonte == fonte_lettura::nessuna) return "";
  std::string testo =
      p.fonte == fonte_lettura::descrizione_treno ? nomi.treno : nomi.linea;
  if (p.riga > 0) testo += ":" + std::to_string(p.riga);
  if (p.riga > 0 && p.colonna > 0) testo += ":" + std::to_string(p.colonna);
  if (!p.parola.empty()) testo += ": " + cp1252_a_utf8(p.parola);
  return testo;
}

// "error 8: stazione at 4025 m: the position must be a multiple of 50 ...".
std::string messaggio_di(const problema& p) {
  std::string testo =
      p.g == gravita::errore ? parole::errore() : parole::avviso();
  if (p.codice != 0) testo += " " + std::to_string(p.codice);
  testo += ": " + testo_di(p.testo);
  if (!p.suggerimento.empty())
    testo += " (" + cp1252_a_utf8(p.suggerimento) + "?)";
  return testo;
}

// "warning: … at … m off the 50-m grid": the message without its values.
std::string tipo_di(const problema& p) {
  messaggio m = p.testo;
  for (argomento& a : m.argomenti) a = argomento("\x85");  // "…" in cp1252
  std::string testo =
      p.g == gravita::errore ? parole::errore() : parole::avviso();
  if (p.codice != 0) testo += " " + std::to_string(p.codice);
  return testo + ": " + testo_di(m);
}

std::string genere_di(const problema& p) {
  return (p.g == gravita::errore ? "e" : "a") + std::to_string(p.codice) + ":" +
         p.testo.formato + "|" + p.testo.plurale;
}

// A fault in a description ends its reading at the fault's position; the route
// scan reads on. A fault in the line description other than a position beyond
// the cells (code 15) also leaves the train run unread.
std::vector<lettura_interrotta> non_letto(const diagnostica& d) {
  std::vector<lettura_interrotta> stretti;
  if (d.codice_errore == 0) return stretti;
  const fonte_lettura fonte = d.luogo_errore.fonte;
  const codice_diagnostico* codice = cerca_codice(d.codice_errore);
  const bool descrizione = fonte == fonte_lettura::descrizione_linea ||
                           fonte == fonte_lettura::descrizione_treno;
  if (descrizione && codice != nullptr && codice->con_posizione)
    stretti.push_back({fonte, d.posizione_errore});
  if (fonte == fonte_lettura::descrizione_linea &&
      d.codice_errore != codice_oltre_le_celle) {
    stretti.push_back({fonte_lettura::descrizione_treno, 0});
  }
  return stretti;
}

}  // namespace

problemi_pagina problemi_per_la_pagina(const std::vector<problema>& problemi,
                                       const diagnostica& registrata,
                                       const nomi_descrizioni& nomi) {
  problemi_pagina p;
  for (const problema& q : problemi)
    p.elenco.push_back({q.g, q.metro, messaggio_di(q), dove(q, nomi),
                        genere_di(q), tipo_di(q)});
  p.non_letto = non_letto(registrata);
  p.linea_interrotta =
      registrata.codice_errore != 0 &&
      registrata.luogo_errore.fonte == fonte_lettura::descrizione_linea;
  return p;
}

int32_t problemi_vicini(int32_t lunghezza) {
  return std::max(50, lunghezza / 60);
}

std::vector<std::size_t> grappoli_di_problemi(const problemi_pagina& p,
                                              int32_t vicini) {
  std::vector<std::size_t> ordine(p.elenco.size());
  std::iota(ordine.begin(), ordine.end(), std::size_t{0});
  std::stable_sort(ordine.begin(), ordine.end(), [&p](auto a, auto b) {
    return p.elenco[a].metro.value_or(0) < p.elenco[b].metro.value_or(0);
  });
  std::vector<std::size_t> capo(p.elenco.size(), senza_segno);
  for (std::size_t i = 0; i < ordine.size();) {
    if (!p.elenco[ordine[i]].metro) {
      ++i;
      continue;
    }
    const int32_t inizio = *p.elenco[ordine[i]].metro;
    std::size_t j = i, scelto = ordine[i];
    for (; j < ordine.size() && p.elenco[ordine[j]].metro &&
           *p.elenco[ordine[j]].metro - inizio <= vicini;
         ++j) {
      const bool errore = p.elenco[ordine[j]].livello == gravita::errore;
      if (errore && p.elenco[scelto].livello != gravita::errore)
        scelto = ordine[j];
    }
    for (std::size_t k = i; k < j; ++k) capo[ordine[k]] = scelto;
    i = j;
  }
  return capo;
}
