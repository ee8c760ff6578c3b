#include "train_run/lettura_treno.h"

#include <limits>

#include "app/diagnostica.h"
#include "app/nomi_file.h"
#include "line/lettore.h"
#include "line/parole_chiave.h"

namespace {

constexpr std::size_t testo_massimo = std::numeric_limits<uint16_t>::max();

// A profile filled one line late: the value in force goes into the cells from
// `cella` up to the one before the next line's cell.
struct profilo {
  int32_t cella = 0;
  int32_t corrente = 0;  // nothing is in force before the first line
  int32_t ultima_posizione = std::numeric_limits<int32_t>::min();
};

struct lettura_treno {
  lettura_descrizione d;
  int32_t indice_stazione = 1;
  profilo velocita;
  profilo aderenza;
};

bool velocita_in_cella(int32_t velocita, uint8_t& valore) {
  const double quinto = arrotonda(velocita / 5.0);
  if (quinto < 0 || quinto > 255) return false;
  valore = static_cast<uint8_t>(quinto);
  return true;
}

// Speed profile: cells from the counter up to the one before `fino`, at least
// one, stopping at `limite`. False when the speed in force does not fit a cell.
bool riempi_velocita(stato& s, profilo& p, int32_t fino, int32_t limite) {
  do {
    if (p.cella >= limite) break;
    uint8_t valore;
    if (!velocita_in_cella(p.corrente, valore)) return false;
    s.celle[static_cast<std::size_t>(p.cella)].velocita = valore;
    ++p.cella;
  } while (p.cella < fino);
  return true;
}

// Adhesion profile: the low 8 bits of the value in force, at least one cell,
// never past the table.
void riempi_aderenza(stato& s, profilo& p, int32_t fino) {
  do {
    if (p.cella >= 0 && p.cella <= s.ultima_cella()) {
      s.celle[static_cast<std::size_t>(p.cella)].aderenza =
          static_cast<uint8_t>(p.corrente);
    }
    ++p.cella;
  } while (p.cella < fino);
}

passo_lettura guasto(lettura_treno& r, esito_lettura& esito) {
  esito = guasto_lettura(r.d);
  return passo_lettura::esci;
}

passo_lettura oltre_tabella(lettura_treno& r, int32_t posizione) {
  registra_errore(r.d.s, 15, posizione);
  return passo_lettura::fine_parte;
}

bool cella_in_tabella(const stato& s, int64_t cella) {
  return cella >= 0 && cella <= s.ultima_cella();
}

int32_t cella_di(double metri_su_50) {
  return static_cast<int32_t>(arrotonda(metri_su_50));
}

void avvisa_ordine(lettura_treno& r, profilo& p, int32_t posizione,
                   const char* cosa) {
  if (posizione <= p.ultima_posizione) {
    registra_avviso(r.d.s, std::string(cosa) + " a " +
                               std::to_string(posizione) +
                               " m non dopo la precedente a " +
                               std::to_string(p.ultima_posizione) + " m");
  }
  p.ultima_posizione = posizione;
}

passo_lettura leggi_velocita(lettura_treno& r, esito_lettura& esito) {
  stato& s = r.d.s;
  int32_t posizione, velocita;
  if (!leggi_long(r.d.l, posizione) || !leggi_long(r.d.l, velocita))
    return guasto(r, esito);
  if (!entro_tabella(s, posizione, 100)) return oltre_tabella(r, posizione);
  avvisa_ordine(r, r.velocita, posizione, "velocita");
  const int32_t n = cella_di(posizione / 50.0);
  if (n > 0 && !riempi_velocita(s, r.velocita, n, s.ultima_cella()))
    return guasto(r, esito);
  r.velocita.corrente = velocita;
  return passo_lettura::avanti;
}

passo_lettura leggi_aderenza(lettura_treno& r, esito_lettura& esito) {
  stato& s = r.d.s;
  int32_t posizione, aderenza;
  if (!leggi_long(r.d.l, posizione) || !leggi_long(r.d.l, aderenza))
    return guasto(r, esito);
  if (!entro_tabella(s, posizione, 100)) return oltre_tabella(r, posizione);
  avvisa_ordine(r, r.aderenza, posizione, "aderenza");
  const int32_t n = cella_di(posizione / 50.0);
  if (n > 0) riempi_aderenza(s, r.aderenza, n);
  r.aderenza.corrente = aderenza;
  return passo_lettura::avanti;
}

passo_lettura leggi_massa_frenata(lettura_treno& r, esito_lettura& esito) {
  if (!leggi_long(r.d.l, r.d.s.stazioni[record_treno].inizio))
    return guasto(r, esito);
  return passo_lettura::avanti;
}

passo_lettura leggi_vetture(lettura_treno& r, esito_lettura& esito) {
  if (!leggi_long(r.d.l, r.d.s.stazioni[record_treno].posizione))
    return guasto(r, esito);
  return passo_lettura::avanti;
}

passo_lettura leggi_orologio(lettura_treno& r, esito_lettura& esito) {
  stazione& treno = r.d.s.stazioni[record_nome_treno];
  lettore& l = r.d.l;
  if (!leggi_intero(l, treno.campo10) || !leggi_intero(l, treno.campo11) ||
      !leggi_intero(l, treno.campo12)) {
    return guasto(r, esito);
  }
  return passo_lettura::avanti;
}

passo_lettura leggi_sabbia(lettura_treno& r, esito_lettura& esito) {
  if (!leggi_intero(r.d.l, r.d.s.stazioni[record_nome_treno].campo7))
    return guasto(r, esito);
  return passo_lettura::avanti;
}

// After a signal or a slowdown the reading stops on any code in force, also one
// left earlier.
passo_lettura dopo_collocazione(lettura_treno& r, int32_t posizione,
                                esito_lettura& esito) {
  if (r.d.s.codice_errore <= 0) return passo_lettura::avanti;
  if (!chiudi_e_cancella(r.d)) return guasto(r, esito);
  r.d.s.posizione_errore = posizione;
  esito = esito_lettura::ritorna;
  return passo_lettura::esci;
}

passo_lettura leggi_segnale(lettura_treno& r, esito_lettura& esito) {
  stato& s = r.d.s;
  int32_t v[11];
  for (int32_t& valore : v) {
    if (!leggi_long(r.d.l, valore)) return guasto(r, esito);
  }
  const int32_t posizione = v[0];
  if (!entro_tabella(s, posizione, 100)) return oltre_tabella(r, posizione);
  if (!cella_in_tabella(s, cella_di(posizione / 50.0 + 1.0)))
    return oltre_tabella(r, posizione);
  if (!memo_segnale(s, posizione, v[1], v[2], v[3], v[4], v[5], v[6], v[7],
                    v[8], v[9], v[10])) {
    return guasto(r, esito);
  }
  return dopo_collocazione(r, posizione, esito);
}

passo_lettura leggi_rallentamento(lettura_treno& r, esito_lettura& esito) {
  stato& s = r.d.s;
  int32_t x, v, l, f_tt, f_ta, d_v;
  lettore& in = r.d.l;
  if (!leggi_long(in, x) || !leggi_long(in, v) || !leggi_long(in, l) ||
      !leggi_long(in, f_tt) || !leggi_long(in, f_ta) || !leggi_long(in, d_v)) {
    return guasto(r, esito);
  }
  if (!entro_tabella(s, x, 100)) return oltre_tabella(r, x);
  int32_t avviso, fine;
  if (!somma_long(x, -1200, avviso) || !somma_long(x, l, fine))
    return guasto(r, esito);
  const bool con_avviso = x > 1500;
  if ((con_avviso && !cella_in_tabella(s, cella_di(avviso / 50.0 + 1.0))) ||
      !cella_in_tabella(s, cella_di(x / 50.0 + 1.0)) ||
      !cella_in_tabella(s, cella_di(fine / 50.0 + 1.0))) {
    return oltre_tabella(r, x);
  }
  if (!memo_rallentamento(s, x, v, l, f_tt, f_ta, d_v)) return guasto(r, esito);
  return dopo_collocazione(r, x, esito);
}

passo_lettura leggi_abbattimento(lettura_treno& r, esito_lettura& esito) {
  stato& s = r.d.s;
  int32_t posizione, valore;
  if (!leggi_long(r.d.l, posizione) || !leggi_long(r.d.l, valore))
    return guasto(r, esito);
  if (!entro_tabella(s, posizione, 100)) return oltre_tabella(r, posizione);
  const int32_t i = cella_di(posizione / 50.0);
  if (!cella_in_tabella(s, i)) return oltre_tabella(r, posizione);
  cella& c = s.celle[static_cast<std::size_t>(i)];
  if (!cella_libera(c)) {
    esito = ferma_lettura(r.d, 7, posizione);
    return passo_lettura::esci;
  }
  if (valore >= 1) {
    c.tipo = cella_codice_velocita;
    c.dato1 = static_cast<int16_t>(valore);
  } else {
    c.tipo = cella_codice_senza_valore;
  }
  return passo_lettura::avanti;
}

// The area of a station from its position P and length L, by kind.
bool calcola_area(stazione& r, int32_t lunghezza) {
  const int32_t p = r.posizione;
  if (r.tipo == 5 || r.tipo == 6) {
    r.campo6 = 0;
    return somma_long(p, 150, r.fine) &&
           somma_long(p, -int64_t{lunghezza}, r.inizio);
  }
  if (r.tipo == 7 || r.tipo == 8) {
    r.campo6 = 0;
    return somma_long(p, -int64_t{lunghezza}, r.inizio) &&
           somma_long(p, lunghezza, r.fine);
  }
  const int64_t meta = lunghezza / 2;
  return somma_long(p, -meta, r.inizio) &&
         somma_long(p, meta + (r.campo6 != 0 ? 50 : 0), r.fine);
}

// Approach marks in the four cells before a station's stop cell: 81 nearest
// to 84 farthest. Cells outside the table are skipped.
void segna_avvicinamento(stato& s, const stazione& st) {
  for (int k = 1; k <= 4; ++k) {
    const double quoto = st.fine / 50.0 - k - 1;
    const int32_t c = cella_di(quoto);
    if (quoto > 1 && cella_in_tabella(s, c)) {
      s.celle[static_cast<std::size_t>(c)].avvicinamento =
          static_cast<uint8_t>(80 + k);
    }
  }
}

// The stop cell, the cell before the end of the area: whatever it held is
// replaced. Code 24 when the area ends within the first 100 m.
passo_lettura poni_fermata(lettura_treno& r, const stazione& st, int32_t indice,
                           esito_lettura& esito) {
  if (!(st.fine / 50.0 - 1 > 1)) {
    esito = ferma_lettura(r.d, 24);
    return passo_lettura::esci;
  }
  const int32_t c = cella_di(st.fine / 50.0 - 1);
  if (!cella_in_tabella(r.d.s, c)) return oltre_tabella(r, st.posizione);
  cella& fermata = r.d.s.celle[static_cast<std::size_t>(c)];
  fermata.tipo = cella_fermata;
  fermata.dato1 = static_cast<int16_t>(indice);
  return passo_lettura::avanti;
}

passo_lettura leggi_stazione(lettura_treno& r, esito_lettura& esito) {
  stato& s = r.d.s;
  lettore& l = r.d.l;
  const int32_t indice = r.indice_stazione;
  stazione& st = s.stazioni[static_cast<std::size_t>(indice)];
  if (!leggi_long(l, st.posizione)) return guasto(r, esito);
  if (!entro_tabella(s, st.posizione, 800))
    return oltre_tabella(r, st.posizione);
  if (st.posizione % 50 != 0) {
    esito = ferma_lettura(r.d, 8, st.posizione);
    return passo_lettura::esci;
  }
  int32_t lunghezza;
  if (!leggi_byte(l, st.tipo) || !leggi_long(l, lunghezza))
    return guasto(r, esito);
  if (lunghezza % 100 != 0) {
    esito = ferma_lettura(r.d, 9, st.posizione);
    return passo_lettura::esci;
  }
  int32_t ore, minuti, secondi;
  if (!leggi_byte(l, st.campo4) || !leggi_byte(l, st.campo5) ||
      !leggi_byte(l, st.campo6) || !leggi_intero(l, st.campo7) ||
      !leggi_intero(l, st.campo8) || !leggi_byte(l, st.campo9) ||
      !leggi_intero(l, st.campo10) || !leggi_intero(l, st.campo11) ||
      !leggi_intero(l, st.campo12) || !leggi_byte(l, st.campo13) ||
      !leggi_long(l, ore) || !leggi_long(l, minuti) ||
      !leggi_long(l, secondi)) {
    return guasto(r, esito);
  }
  const int64_t orario = (int64_t{ore} * 60 + minuti) * 60 + secondi;
  if (!somma_long(orario, 0, st.orario)) return guasto(r, esito);
  std::string nome;
  if (!leggi_testo(l, nome) || nome.size() > testo_massimo)
    return guasto(r, esito);
  st.nome = nome;
  if (!calcola_area(st, lunghezza)) return guasto(r, esito);
  if (lunghezza < 600) st.campo5 = 0;
  if (indice == 1) {
    st.campo5 = 0;
    st.campo6 = 0;
  }
  if (st.tipo < 25) {
    if (st.tipo != 5 && st.tipo != 6) segna_avvicinamento(s, st);
    const passo_lettura passo = poni_fermata(r, st, indice, esito);
    if (passo != passo_lettura::avanti) return passo;
  }
  if (indice > 1) {
    int32_t limite;
    if (!somma_long(st.inizio, -350, limite)) return guasto(r, esito);
    if (limite < s.stazioni[static_cast<std::size_t>(indice - 1)].fine) {
      esito = ferma_lettura(r.d, 22, st.posizione);
      return passo_lettura::esci;
    }
  }
  r.indice_stazione = indice + 1;
  if (r.indice_stazione >= s.indice_cartello) {
    esito = ferma_lettura(r.d, 10);
    return passo_lettura::esci;
  }
  return passo_lettura::avanti;
}

// The ten tests of the train-run description on one field, in order, each on
// its own.
passo_lettura interpreta(lettura_treno& r, esito_lettura& esito) {
  const std::string parola = r.d.s.stringa_letta;
  using lettura_riga = passo_lettura (*)(lettura_treno&, esito_lettura&);
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
  bool riconosciuta = false;
  for (auto [p, leggi] : prove) {
    if (!riconosce(p, parola)) continue;
    riconosciuta = true;
    segna_parola(r.d);
    passo_lettura passo = leggi(r, esito);
    if (passo != passo_lettura::avanti) return passo;
  }
  if (!riconosciuta && !intestazione(parola)) avvisa_campo_ignorato(r.d);
  return passo_lettura::avanti;
}

// The end of reading: the file is deleted, speed and adhesion are carried to
// the end of the route and the kilometric progressions are checked.
esito_lettura fine_lettura(lettura_treno& r) {
  stato& s = r.d.s;
  if (!chiudi_e_cancella(r.d)) return guasto_lettura(r.d);
  const int32_t ultima = s.ultima_cella();
  if (!riempi_velocita(s, r.velocita, ultima - 2, ultima + 1))
    return guasto_lettura(r.d);
  riempi_aderenza(s, r.aderenza, ultima - 2);
  for (int record : {record_progressiva_tre, record_progressiva_due,
                     record_progressiva_uno}) {
    const stazione& p = s.stazioni[static_cast<std::size_t>(record)];
    if (p.inizio % 50 != 0 || p.fine % 50 != 0) {
      s.luogo_corrente = {fonte_lettura::descrizione_linea, 0,
                          "progressiva chilometrica", -1};
      registra_errore(s, 2);
    }
  }
  return esito_lettura::prosegui;
}

}  // namespace

esito_lettura memorizza_dati_treno(stato& s, cartella& c) {
  lettura_treno r{
      {s, c, nome_descrizione_treno(s), fonte_lettura::descrizione_treno, {}},
      1,
      {},
      {}};
  s.luogo_corrente = {fonte_lettura::descrizione_treno, 0, "", -1};
  if (!c.leggi(r.d.nome, r.d.l.testo).ok) return guasto_lettura(r.d);

  bool marcatore = false;
  while (!marcatore) {
    if (!leggi_testo(r.d.l, s.stringa_letta)) return guasto_lettura(r.d);
    marcatore = riconosce(parola::generale, s.stringa_letta);
    if (!marcatore && fine_file(r.d.l)) return fine_lettura(r);
  }
  for (;;) {
    if (!leggi_parola(r.d, 2)) {
      if (r.d.l.guasto) return guasto_lettura(r.d);
      return fine_lettura(r);
    }
    esito_lettura esito = esito_lettura::prosegui;
    switch (interpreta(r, esito)) {
      case passo_lettura::avanti:
        break;
      case passo_lettura::fine_parte:
        return fine_lettura(r);
      case passo_lettura::esci:
        return esito;
    }
  }
}

bool memo_segnale(stato& s, int32_t posizione, int32_t sx, int32_t s1,
                  int32_t s2, int32_t s3, int32_t rapp, int32_t dx, int32_t d1,
                  int32_t d2, int32_t d3, int32_t& tempo) {
  const int32_t i = cella_di(posizione / 50.0 + 1.0);
  cella& c = s.celle[static_cast<std::size_t>(i)];
  if (!cella_libera(c)) {
    registra_errore(s, 16);
    return true;
  }
  // The packed values are computed in 32 bits, then cut to 16.
  const int64_t lati = int64_t{sx} * 3 + dx;
  int32_t dato1, dato2, dato3, dato4, codice_lati;
  if (!somma_long(int64_t{rapp} * 10 + lati, 0, dato4) ||
      !somma_long(lati, 0, codice_lati) ||
      !somma_long(int64_t{s1} * 10 + d1, 0, dato1) ||
      !somma_long(int64_t{s2} * 10 + d2, 0, dato2) ||
      !somma_long(int64_t{s3} * 10 + d3, 0, dato3)) {
    return false;
  }
  int32_t avvicinamento_base;
  if (!somma_long(int64_t{codice_lati} * 10, 0, avvicinamento_base))
    return false;
  c.tipo = cella_segnale;
  c.dato4 = static_cast<int16_t>(dato4);
  c.dato1 = static_cast<int16_t>(dato1);
  c.dato2 = static_cast<int16_t>(dato2);
  c.dato3 = static_cast<int16_t>(dato3);
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  c.tempo = sx == 2 ? static_cast<uint8_t>(tempo) : 0;
  for (int b = 1; b <= 4; ++b) {
    const int32_t marcata = i - 2 * b;
    if (cella_in_tabella(s, marcata)) {
      s.celle[static_cast<std::size_t>(marcata)].avvicinamento =
          static_cast<uint8_t>(avvicinamento_base + b);
    }
  }
  return true;
}

bool memo_rallentamento(stato& s, int32_t x, int32_t v, int32_t l, int32_t f_tt,
                        int32_t f_ta, int32_t d_v) {
  int32_t avviso, fine;
  if (!somma_long(x, -1200, avviso) || !somma_long(x, l, fine)) return false;
  const int32_t a = cella_di(avviso / 50.0 + 1.0);
  const int32_t inizio = cella_di(x / 50.0 + 1.0);
  const int32_t e = cella_di(fine / 50.0 + 1.0);
  const int32_t b = cella_di(avviso / 50.0);
  auto c = [&s](int32_t indice) -> cella& {
    return s.celle[static_cast<std::size_t>(indice)];
  };
  const bool con_avviso = x > 1500;
  if (con_avviso) {
    if (!cella_libera(c(a))) {
      registra_errore(s, 17);
      return true;
    }
  } else {
    f_ta = 0;
  }
  if (!cella_libera(c(inizio))) {
    registra_errore(s, 18);
    return true;
  }
  if (!cella_libera(c(e))) {
    registra_errore(s, 19);
    return true;
  }
  const auto dv = static_cast<int16_t>(d_v);
  c(e).tipo = cella_fine_rallentamento;
  if (d_v != 0) c(e).dato2 = dv;
  c(inizio).tipo = cella_inizio_rallentamento;
  if (d_v != 0) c(inizio).dato2 = dv;
  if (con_avviso) {
    c(a).tipo = cella_avviso_rallentamento;
    if (d_v != 0) c(a).dato2 = dv;
    c(a).dato1 = static_cast<int16_t>(v);
  }
  for (int32_t estremo : {inizio, e}) {
    c(estremo).dato1 = static_cast<int16_t>(v);
    c(estremo).dato3 = static_cast<int16_t>(f_tt);
  }
  if (f_ta != 0) {
    for (int k = 0; k < 4; ++k) {
      if (!cella_in_tabella(s, b - k) || !cella_libera(c(b - k))) {
        registra_errore(s, 20);
        return true;
      }
    }
    for (int k = 0; k < 4; ++k) {
      cella& prima = c(b - k);
      prima.tipo = cella_prima_dell_avviso;
      prima.dato1 = static_cast<int16_t>(k + 1);
      if (d_v != 0) prima.dato2 = static_cast<int16_t>(k + 1);
    }
  }
  return true;
}
