#include "train_run/lettura_treno.h"

#include "core/aritmetica.h"
#include "reading/parole_chiave.h"
#include "tables/campi.h"
#include "tables/metri.h"
#include "tables/valori_celle.h"
#include "train_run/elementi_treno.h"
#include "train_run/geometria.h"

namespace {

// A profile filled one line late: the value in force goes into the cells from
// `cella` up to the one before the next line's cell.
struct profilo {
  int32_t cella = 0;
  int32_t corrente = 0;  // nothing is in force before the first line
};

struct lettura_treno {
  lettura_descrizione d;
  tabelle& t;
  int32_t indice_cartello;
  bool codice_in_vigore;
  int32_t indice_stazione = 1;
  profilo velocita;
  profilo aderenza;
};

// Speed profile: cells from the counter up to the one before `fino`, at least
// one, stopping at `limite`. False when the speed in force does not fit a cell.
bool riempi_velocita(tabelle& t, profilo& p, int32_t fino, int32_t limite) {
  do {
    if (p.cella >= limite) break;
    uint8_t valore;
    if (!codifica_velocita(p.corrente, valore)) return false;
    t.celle[static_cast<std::size_t>(p.cella)].velocita = valore;
    ++p.cella;
  } while (p.cella < fino);
  return true;
}

// Adhesion profile: the low 8 bits of the value in force, at least one cell,
// never past the table.
void riempi_aderenza(tabelle& t, profilo& p, int32_t fino) {
  do {
    if (cella_in_tabella(t, p.cella)) {
      t.celle[static_cast<std::size_t>(p.cella)].aderenza =
          static_cast<uint8_t>(p.corrente);
    }
    ++p.cella;
  } while (p.cella < fino);
}

// A profile line: position and value. The value in force so far is filled up
// to the line's cell by `riempi`; the line's value is in force from there.
esito_passo leggi_profilo(lettura_treno& r, profilo& p,
                          bool (*riempi)(lettura_treno&, profilo&, int32_t)) {
  int32_t posizione, valore;
  if (!leggi_long(r.d.l, posizione) || !leggi_long(r.d.l, valore))
    return guasto(r.d);
  if (!entro_tabella(r.t, posizione, 100)) return oltre_tabella(r.d, posizione);
  const auto n =
      static_cast<int32_t>(cella_del_metro(posizione, aggancio::tratto));
  if (n > 0 && !riempi(r, p, n)) return guasto(r.d);
  p.corrente = valore;
  return esito_passo::avanti;
}

esito_passo leggi_velocita(lettura_treno& r) {
  return leggi_profilo(r, r.velocita,
                       [](lettura_treno& r, profilo& p, int32_t n) {
                         return riempi_velocita(r.t, p, n, r.t.ultima_cella());
                       });
}

esito_passo leggi_aderenza(lettura_treno& r) {
  return leggi_profilo(r, r.aderenza,
                       [](lettura_treno& r, profilo& p, int32_t n) {
                         riempi_aderenza(r.t, p, n);
                         return true;
                       });
}

esito_passo leggi_massa_frenata(lettura_treno& r) {
  if (!leggi_long(r.d.l, dati_generali(r.t.stazioni).massa_frenata()))
    return guasto(r.d);
  return esito_passo::avanti;
}

esito_passo leggi_vetture(lettura_treno& r) {
  if (!leggi_long(r.d.l, dati_generali(r.t.stazioni).numero_vetture()))
    return guasto(r.d);
  return esito_passo::avanti;
}

esito_passo leggi_orologio(lettura_treno& r) {
  const dati_generali g(r.t.stazioni);
  lettore& l = r.d.l;
  if (!leggi_intero(l, g.orologio_ore()) ||
      !leggi_intero(l, g.orologio_minuti()) ||
      !leggi_intero(l, g.orologio_secondi())) {
    return guasto(r.d);
  }
  return esito_passo::avanti;
}

esito_passo leggi_sabbia(lettura_treno& r) {
  if (!leggi_intero(r.d.l, dati_generali(r.t.stazioni).sabbia()))
    return guasto(r.d);
  return esito_passo::avanti;
}

// A signal or a slowdown placed while the line half's code stands ends the
// reading as if it had been refused, at its own position.
esito_passo dopo_collocazione(lettura_treno& r, int32_t posizione) {
  if (!r.codice_in_vigore) return esito_passo::avanti;
  if (!cancella_descrizione(r.d)) return guasto(r.d);
  r.d.x.d.posizione_errore = posizione;
  return esito_passo::fermata;
}

esito_passo leggi_segnale(lettura_treno& r) {
  int32_t v[11];
  for (int32_t& valore : v) {
    if (!leggi_long(r.d.l, valore)) return guasto(r.d);
  }
  const int32_t posizione = v[0];
  if (!entro_tabella(r.t, posizione, 100) ||
      !cella_in_tabella(r.t, cella_del_metro(posizione, aggancio::punto))) {
    return oltre_tabella(r.d, posizione);
  }
  switch (memo_segnale(r.t, posizione, v[1], v[2], v[3], v[4], v[5], v[6], v[7],
                       v[8], v[9], v[10])) {
    case esito_collocazione::posto:
      return dopo_collocazione(r, posizione);
    case esito_collocazione::occupato:
      return ferma(r.d, 16, posizione);
    case esito_collocazione::fuori_misura:
      break;
  }
  return guasto(r.d);
}

// Every cell of a slowdown lies inside the table: its start, its end and, past
// metre 1500, its warning cell.
bool rallentamento_in_tabella(const tabelle& t, int32_t x, int32_t l,
                              bool& fuori_misura) {
  fuori_misura = !rallentamento_in_32_bit(x, l);
  if (fuori_misura) return false;
  const celle_rallentamento dove = celle_del_rallentamento(x, l);
  return (!dove.con_avviso || cella_in_tabella(t, dove.avviso)) &&
         cella_in_tabella(t, dove.inizio) && cella_in_tabella(t, dove.fine);
}

esito_passo leggi_rallentamento(lettura_treno& r) {
  int32_t x, v, l, f_tt, f_ta, d_v;
  lettore& in = r.d.l;
  if (!leggi_long(in, x) || !leggi_long(in, v) || !leggi_long(in, l) ||
      !leggi_long(in, f_tt) || !leggi_long(in, f_ta) || !leggi_long(in, d_v)) {
    return guasto(r.d);
  }
  if (!entro_tabella(r.t, x, 100)) return oltre_tabella(r.d, x);
  bool fuori_misura;
  if (!rallentamento_in_tabella(r.t, x, l, fuori_misura))
    return fuori_misura ? guasto(r.d) : oltre_tabella(r.d, x);
  const esito_rallentamento esito =
      memo_rallentamento(r.t, x, v, l, f_tt, f_ta, d_v);
  if (esito == esito_rallentamento::posto) return dopo_collocazione(r, x);
  if (esito == esito_rallentamento::fuori_misura) return guasto(r.d);
  return ferma(r.d, codice_di(esito), x);
}

esito_passo leggi_abbattimento(lettura_treno& r) {
  int32_t posizione, valore;
  if (!leggi_long(r.d.l, posizione) || !leggi_long(r.d.l, valore))
    return guasto(r.d);
  if (!entro_tabella(r.t, posizione, 100)) return oltre_tabella(r.d, posizione);
  const int64_t i = cella_del_metro(posizione, aggancio::tratto);
  if (!cella_in_tabella(r.t, i)) return oltre_tabella(r.d, posizione);
  cella& c = r.t.celle[static_cast<std::size_t>(i)];
  if (!cella_libera(c)) return ferma(r.d, 7, posizione);
  if (valore >= 1) {
    c.tipo = cella_codice_velocita;
    c.dato1 = static_cast<int16_t>(valore);
  } else {
    c.tipo = cella_codice_senza_valore;
  }
  return esito_passo::avanti;
}

// Values 4 to 17 of a station line, after its kind and length: the station's
// own values, its time and its name.
esito_passo leggi_valori_stazione(lettura_treno& r, stazione& st) {
  lettore& l = r.d.l;
  int32_t ore, minuti, secondi;
  if (!leggi_byte(l, st.campo4) || !leggi_byte(l, st.campo5) ||
      !leggi_byte(l, st.campo6) || !leggi_intero(l, st.campo7) ||
      !leggi_intero(l, st.campo8) || !leggi_byte(l, st.campo9) ||
      !leggi_intero(l, st.campo10) || !leggi_intero(l, st.campo11) ||
      !leggi_intero(l, st.campo12) || !leggi_byte(l, st.campo13) ||
      !leggi_long(l, ore) || !leggi_long(l, minuti) ||
      !leggi_long(l, secondi)) {
    return guasto(r.d);
  }
  if (!codifica_orario(ore, minuti, secondi, st.orario)) return guasto(r.d);
  std::string nome;
  if (!leggi_testo(l, nome) || nome.size() > testo_massimo) return guasto(r.d);
  st.nome = nome;
  return esito_passo::avanti;
}

// The stop cell, the cell before the end of the area: whatever it held is
// replaced. Code 24 when the area ends within the first 100 m.
esito_passo poni_fermata(lettura_treno& r, const stazione& st, int32_t indice) {
  if (!ha_fermata(st.fine)) return ferma(r.d, 24);
  const int64_t c = cella_della_fermata(st.fine);
  if (!cella_in_tabella(r.t, c)) return oltre_tabella(r.d, st.posizione);
  cella& fermata = r.t.celle[static_cast<std::size_t>(c)];
  fermata.tipo = cella_fermata;
  fermata.dato1 = static_cast<int16_t>(indice);
  return esito_passo::avanti;
}

// A station's area, marks and stop cell, then its distance from the one before
// and the room left in the station table.
esito_passo colloca_stazione(lettura_treno& r, stazione& st, int32_t indice,
                             int32_t lunghezza) {
  if (!calcola_area(st, lunghezza)) return guasto(r.d);
  if (lunghezza < 600) st.campo5 = 0;
  if (indice == 1) {
    st.campo5 = 0;
    st.campo6 = 0;
  }
  if (st.tipo < 25) {
    if (st.tipo != 5 && st.tipo != 6) segna_avvicinamento(r.t, st);
    const esito_passo esito = poni_fermata(r, st, indice);
    if (esito != esito_passo::avanti) return esito;
  }
  if (indice > 1) {
    int32_t limite;
    if (!somma_32(st.inizio, -350, limite)) return guasto(r.d);
    if (limite < r.t.stazioni[static_cast<std::size_t>(indice - 1)].fine)
      return ferma(r.d, 22, st.posizione);
  }
  r.indice_stazione = indice + 1;
  if (r.indice_stazione >= r.indice_cartello) return ferma(r.d, 10);
  return esito_passo::avanti;
}

esito_passo leggi_stazione(lettura_treno& r) {
  lettore& l = r.d.l;
  const int32_t indice = r.indice_stazione;
  stazione& st = r.t.stazioni[static_cast<std::size_t>(indice)];
  if (!leggi_long(l, st.posizione)) return guasto(r.d);
  if (!entro_tabella(r.t, st.posizione, 800))
    return oltre_tabella(r.d, st.posizione);
  if (st.posizione % 50 != 0) return ferma(r.d, 8, st.posizione);
  int32_t lunghezza;
  if (!leggi_byte(l, st.tipo) || !leggi_long(l, lunghezza)) return guasto(r.d);
  if (lunghezza % 100 != 0) return ferma(r.d, 9, st.posizione);
  const esito_passo esito = leggi_valori_stazione(r, st);
  if (esito != esito_passo::avanti) return esito;
  return colloca_stazione(r, st, indice, lunghezza);
}

// The ten tests of the train-run description on one field, in order, each on
// its own.
esito_passo interpreta(lettura_treno& r) {
  const std::string parola = r.d.stringa_letta;
  using lettura_riga = esito_passo (*)(lettura_treno&);
  const std::pair<enum parola, lettura_riga> prove[] = {
      {parola::massa_frenata, leggi_massa_frenata},
      {parola::numero_vetture, leggi_vetture},
      {parola::velocita, leggi_velocita},
      {parola::aderenza, leggi_aderenza},
      {parola::orologio, leggi_orologio},
      {parola::sabbia, leggi_sabbia},
      {parola::segnale, leggi_segnale},
      {parola::rallentamento, leggi_rallentamento},
      {parola::abbattimento, leggi_abbattimento},
      {parola::stazione, leggi_stazione}};
  for (auto [p, leggi] : prove) {
    if (!riconosce(p, parola)) continue;
    segna_parola(r.d);
    const esito_passo esito = leggi(r);
    if (esito != esito_passo::avanti) return esito;
  }
  return esito_passo::avanti;
}

// The end of reading: the file is deleted, speed and adhesion are carried to
// the end of the route and the kilometric progressions are checked.
esito_passo fine_lettura(lettura_treno& r) {
  if (!cancella_descrizione(r.d)) return guasto(r.d);
  const int32_t ultima = r.t.ultima_cella();
  if (!riempi_velocita(r.t, r.velocita, ultima - 2, ultima + 1))
    return guasto(r.d);
  riempi_aderenza(r.t, r.aderenza, ultima - 2);
  const dati_generali g(r.t.stazioni);
  for (int n = 0; n < 3; ++n) {
    if (g.progressiva_inizio(n) % 50 != 0 ||
        g.progressiva_valore(n) % 50 != 0) {
      registra_errore(r.d.x.d, 2,
                      {fonte_lettura::descrizione_linea, 0, 0,
                       "progressiva chilometrica", -1});
    }
  }
  return esito_passo::avanti;
}

// The start marker, then the main loop up to the end of the file or a step
// that ends the reading.
esito_passo leggi_treno(lettura_treno& r) {
  for (;;) {
    if (!leggi_testo(r.d.l, r.d.stringa_letta)) return guasto(r.d);
    segna_campo(r.d);
    if (riconosce(parola::generale, r.d.stringa_letta)) break;
    if (fine_file(r.d.l)) return fine_lettura(r);
  }
  for (;;) {
    if (!leggi_parola(r.d, 2))
      return r.d.l.guasto ? guasto(r.d) : fine_lettura(r);
    const esito_passo esito = interpreta(r);
    if (esito == esito_passo::fine_parte) return fine_lettura(r);
    if (esito != esito_passo::avanti) return esito;
  }
}

}  // namespace

esito_lettura memorizza_dati_treno(contesto_lettura& x, int32_t indice_cartello,
                                   bool codice_in_vigore) {
  lettura_treno r{apri_descrizione(x, nome_descrizione_treno(x.sc),
                                   fonte_lettura::descrizione_treno),
                  x.t,
                  indice_cartello,
                  codice_in_vigore,
                  1,
                  {},
                  {}};
  esito_passo esito = esito_passo::avanti;
  if (!x.c.leggi_vista(r.d.nome, r.d.contenuto, r.d.l.testo).ok)
    esito = guasto(r.d);
  if (esito == esito_passo::avanti) esito = leggi_treno(r);
  switch (esito) {
    case esito_passo::avanti:
    case esito_passo::fine_parte:
      return esito_lettura::prosegui;
    case esito_passo::fermata:
      return esito_lettura::ritorna;
    case esito_passo::guasto:
      break;
  }
  return gestisci_guasto(r.d);
}
