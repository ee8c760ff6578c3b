#include "line/lettura_linea.h"

#include <limits>

#include "core/aritmetica.h"
#include "line/elementi_linea.h"
#include "reading/parole_chiave.h"
#include "tables/campi.h"
#include "tables/metri.h"
#include "tables/valori_celle.h"

namespace {

constexpr int32_t lunghezza_massima = 1000000;
// Turn per metre of the curve classes "1" to "6".
constexpr double svolta_per_classe[] = {0.0001, 0.0002, 0.0004,
                                        0.001,  0.002,  0.003};

// The working values of one line reading.
struct lettura_linea {
  lettura_descrizione d;
  tabelle& t;
  bool con_piano;
  profilo_pendenza pendenze;
  registro_montagne montagne;
  int32_t indice_cartello = primo_record_cartelli;
};

// A range check of the main part: code 15 ends the main part, a missing table
// is a reading failure.
esito_passo controlla_posizione(lettura_linea& r, int32_t posizione) {
  if (r.t.celle.empty()) return guasto(r.d);
  if (!entro_tabella(r.t, posizione, 100)) return oltre_tabella(r.d, posizione);
  return esito_passo::avanti;
}

// The cell of a board at `posizione`; code 15 when it falls below cell 0.
esito_passo cella_del_cartello(lettura_linea& r, int32_t posizione,
                               int32_t& cella) {
  cella = static_cast<int32_t>(cella_del_metro(posizione, aggancio::punto));
  if (cella < 0) return oltre_tabella(r.d, posizione);
  return esito_passo::avanti;
}

// --- General section ---------------------------------------------------------

esito_passo leggi_lunghezza(lettura_linea& r) {
  int32_t lunghezza;
  if (!leggi_long(r.d.l, lunghezza)) return guasto(r.d);
  dati_generali(r.t.stazioni).lunghezza_percorso() = lunghezza;
  if (lunghezza > lunghezza_massima || lunghezza < 0) return ferma(r.d, 1);
  const int32_t ultimo_metro = lunghezza + 7000;
  const auto ultima =
      static_cast<int32_t>(cella_del_metro(ultimo_metro, aggancio::tratto));
  r.t.celle.assign(static_cast<std::size_t>(ultima) + 1, cella{});
  if (r.con_piano) r.t.piano.crea(ultimo_metro);
  return esito_passo::avanti;
}

// Reads three values into the start, value and flag of a progression record,
// one by one.
bool leggi_progressiva(lettore& l, stazione& record) {
  return leggi_long(l, record.inizio) && leggi_long(l, record.fine) &&
         leggi_long(l, record.posizione);
}

esito_passo leggi_ripetizione_segnali(lettura_linea& r) {
  const dati_generali g(r.t.stazioni);
  if (!leggi_long(r.d.l, g.ripetizione_inizio()) ||
      !leggi_long(r.d.l, g.ripetizione_fine())) {
    return guasto(r.d);
  }
  if (g.ripetizione_inizio() % 50 != 0) return ferma(r.d, 3);
  if (g.ripetizione_fine() % 50 != 0) return ferma(r.d, 4);
  const std::string& parola = r.d.stringa_letta;
  if (contiene(parola, "4")) {
    g.ripetizione_codici() = 4;
  } else if (contiene(parola, "9")) {
    g.ripetizione_codici() = 9;
  } else {
    return ferma(r.d, 5);
  }
  if (g.ripetizione_fine() == 0) g.ripetizione_codici() = 0;
  return esito_passo::avanti;
}

// The single values of the general section: the three backgrounds.
esito_passo leggi_sfondi(lettura_linea& r) {
  const dati_generali g(r.t.stazioni);
  const std::pair<enum parola, int32_t*> sfondi[] = {
      {parola::sfondo_uno, &g.sfondo_uno()},
      {parola::sfondo_due, &g.sfondo_due()},
      {parola::sfondo_tre, &g.sfondo_tre()}};
  for (auto [p, valore] : sfondi) {
    if (!riconosce(p, r.d.stringa_letta)) continue;
    segna_parola(r.d);
    if (!leggi_long(r.d.l, *valore)) return guasto(r.d);
  }
  return esito_passo::avanti;
}

// The tests of the general section on one field, in order, each on its own.
esito_passo interpreta_generale(lettura_linea& r) {
  const std::string parola = r.d.stringa_letta;
  auto prova = [&](enum parola p) {
    if (!riconosce(p, parola)) return false;
    segna_parola(r.d);
    return true;
  };
  esito_passo esito = esito_passo::avanti;
  if (prova(parola::lunghezza_percorso)) esito = leggi_lunghezza(r);
  if (esito != esito_passo::avanti) return esito;
  const std::pair<enum parola, int> progressive[] = {
      {parola::progressiva_tre, record_progressiva_tre},
      {parola::progressiva_due, record_progressiva_due},
      {parola::progressiva_uno, record_progressiva_uno}};
  for (auto [p, record] : progressive) {
    if (prova(p) && !leggi_progressiva(r.d.l, r.t.stazioni[record]))
      return guasto(r.d);
  }
  esito = leggi_sfondi(r);
  if (esito != esito_passo::avanti) return esito;
  if (prova(parola::ripetizione_segnali)) esito = leggi_ripetizione_segnali(r);
  if (esito != esito_passo::avanti) return esito;
  return esito_passo::avanti;
}

// The general section ends with a field that does not begin with "-" (blanks in
// front removed) and holds both "[" and "]".
bool fine_generale(const std::string& campo) {
  const std::size_t primo = campo.find_first_not_of(" \t");
  const bool trattino = primo != std::string::npos && campo[primo] == '-';
  return !trattino && intestazione(campo);
}

esito_passo leggi_generale(lettura_linea& r) {
  lettore& l = r.d.l;
  for (;;) {
    if (fine_file(l)) return esito_passo::avanti;
    if (!leggi_testo(l, r.d.stringa_letta)) return guasto(r.d);
    if (fine_file(l)) return esito_passo::avanti;
    for (int volta = 0; volta < 10; ++volta) {
      if (campo_commento(r.d.stringa_letta) &&
          !leggi_testo(l, r.d.stringa_letta)) {
        return guasto(r.d);
      }
    }
    segna_campo(r.d);
    const esito_passo esito = interpreta_generale(r);
    if (esito != esito_passo::avanti) return esito;
    if (fine_generale(r.d.stringa_letta)) return esito_passo::avanti;
  }
}

// --- Main part ---------------------------------------------------------------

esito_passo leggi_pendenza(lettura_linea& r) {
  int32_t posizione, pendenza;
  if (!leggi_long(r.d.l, posizione) || !leggi_long(r.d.l, pendenza))
    return guasto(r.d);
  const esito_passo esito = controlla_posizione(r, posizione);
  if (esito != esito_passo::avanti) return esito;
  const auto cella =
      static_cast<int32_t>(cella_del_metro(posizione, aggancio::tratto));
  if (cella > 0 && !riempi_pendenza(r.t, r.pendenze, cella)) return guasto(r.d);
  r.pendenze.pendenza = pendenza;
  return esito_passo::avanti;
}

// The turn a metre of the class in a curve keyword: the first of the digits 1
// to 6 found, negative with an "s" (a left curve); 0 when there is none.
double svolta_della_curva(const std::string& parola) {
  double k = 0.0;
  for (char classe = '1'; classe <= '6' && k == 0.0; ++classe) {
    if (parola.find(classe) != std::string::npos)
      k = svolta_per_classe[classe - '1'];
  }
  return contiene_ogni_caso(parola, "s") ? -k : k;
}

esito_passo leggi_curva(lettura_linea& r) {
  const double k = svolta_della_curva(r.d.stringa_letta);
  int32_t inizio, lunghezza;
  if (!leggi_long(r.d.l, inizio) || !leggi_long(r.d.l, lunghezza))
    return guasto(r.d);
  const esito_passo esito = controlla_posizione(r, inizio);
  if (esito != esito_passo::avanti) return esito;
  if (k == 0.0) return ferma(r.d, 103);
  int32_t fine;
  if (!somma_32(inizio, lunghezza, fine) || !r.t.piano.presente())
    return guasto(r.d);
  piano_steso& p = r.t.piano;
  if (!stendi(p, inizio, 0.0, true) || !stendi(p, fine, k, true)) {
    return ferma(r.d, 103);
  }
  return esito_passo::avanti;
}

esito_passo leggi_montagna(lettura_linea& r) {
  int32_t inizio, fine, tipo;
  lettore& l = r.d.l;
  if (!leggi_long(l, inizio) || !leggi_long(l, fine) || !leggi_long(l, tipo))
    return guasto(r.d);
  const esito_passo esito = controlla_posizione(r, inizio);
  if (esito != esito_passo::avanti) return esito;
  if (!memo_montagna(r.t, r.montagne, inizio, fine, tipo)) return guasto(r.d);
  return esito_passo::avanti;
}

esito_passo leggi_indicatore(lettura_linea& r) {
  int32_t posizione, vas, vbs, vcs, vad, vbd, vcd;
  int16_t strisces, strisced;
  lettore& l = r.d.l;
  if (!leggi_long(l, posizione) || !leggi_long(l, vas) || !leggi_long(l, vbs) ||
      !leggi_long(l, vcs) || !leggi_intero(l, strisces) ||
      !leggi_long(l, vad) || !leggi_long(l, vbd) || !leggi_long(l, vcd) ||
      !leggi_intero(l, strisced)) {
    return guasto(r.d);
  }
  esito_passo esito = controlla_posizione(r, posizione);
  if (esito != esito_passo::avanti) return esito;
  int32_t cella;
  esito = cella_del_cartello(r, posizione, cella);
  if (esito != esito_passo::avanti) return esito;
  switch (memo_indicatori_v_max(r.t, posizione, vas, vbs, vcs, strisces, vad,
                                vbd, vcd, strisced)) {
    case esito_collocazione::posto:
      return esito_passo::avanti;
    case esito_collocazione::occupato:
      return ferma(r.d, 21, posizione);
    case esito_collocazione::fuori_misura:
      break;
  }
  return guasto(r.d);
}

esito_passo leggi_cartello(lettura_linea& r) {
  int32_t posizione;
  if (!leggi_long(r.d.l, posizione) || !leggi_testo(r.d.l, r.d.stringa_letta))
    return guasto(r.d);
  esito_passo esito = controlla_posizione(r, posizione);
  if (esito != esito_passo::avanti) return esito;
  int32_t c;
  esito = cella_del_cartello(r, posizione, c);
  if (esito != esito_passo::avanti) return esito;
  cella& cella = r.t.celle[static_cast<std::size_t>(c)];
  if (!cella_libera(cella)) return ferma(r.d, 6, posizione);
  if (r.indice_cartello < 1 || r.d.stringa_letta.size() > testo_massimo)
    return guasto(r.d);
  cella.tipo = cella_cartello;
  cella.dato1 = codifica_record_cartello(r.indice_cartello);
  r.t.stazioni[static_cast<std::size_t>(r.indice_cartello)].nome =
      r.d.stringa_letta;
  --r.indice_cartello;
  return esito_passo::avanti;
}

// The tests of the main part on one field, in order, each on its own.
esito_passo interpreta_principale(lettura_linea& r) {
  const std::string parola = r.d.stringa_letta;
  using lettura_riga = esito_passo (*)(lettura_linea&);
  const std::pair<enum parola, lettura_riga> prove[] = {
      {parola::pendenza, leggi_pendenza},
      {parola::curva, leggi_curva},
      {parola::montagna, leggi_montagna},
      {parola::indicatori_vmax, leggi_indicatore},
      {parola::cartello_indicatore, leggi_cartello}};
  for (auto [p, leggi] : prove) {
    if (!riconosce(p, parola)) continue;
    // Curves only build the plan: without it the line is skipped, its values
    // read as fields that match nothing.
    if (p == parola::curva && !r.con_piano) continue;
    segna_parola(r.d);
    const esito_passo esito = leggi(r);
    if (esito != esito_passo::avanti) return esito;
  }
  return esito_passo::avanti;
}

// The main part, up to the end of the file or a failed range check.
esito_passo leggi_principale(lettura_linea& r) {
  for (;;) {
    if (!leggi_parola(r.d, 2))
      return r.d.l.guasto ? guasto(r.d) : esito_passo::avanti;
    const esito_passo esito = interpreta_principale(r);
    if (esito != esito_passo::avanti) return esito;
  }
}

// The end of the line description: the file is deleted, the gradient in force
// is carried to the end of the route and the plan runs straight on to metre
// E - 2.
esito_passo chiudi_linea(lettura_linea& r) {
  if (!cancella_descrizione(r.d)) return guasto(r.d);
  if (r.t.celle.empty()) return guasto(r.d);
  if (!riempi_pendenza(r.t, r.pendenze, r.t.ultima_cella() - 2))
    return guasto(r.d);
  if (r.con_piano && r.t.piano.presente())
    stendi(r.t.piano, r.t.piano.ultimo_metro - 2, 0.0, false);
  return esito_passo::avanti;
}

// The start marker: the search tests the end of the file only after each read.
esito_passo cerca_generale(lettura_linea& r) {
  for (;;) {
    if (!leggi_testo(r.d.l, r.d.stringa_letta)) return guasto(r.d);
    segna_campo(r.d);
    if (fine_file(r.d.l)) return ferma(r.d, 102);
    if (riconosce(parola::generale, r.d.stringa_letta))
      return esito_passo::avanti;
  }
}

// The line description from its start marker to its end.
esito_passo leggi_linea(lettura_linea& r) {
  esito_passo esito = cerca_generale(r);
  if (esito == esito_passo::avanti) esito = leggi_generale(r);
  if (esito != esito_passo::avanti) return esito;
  if (!progressive_ordina(r.t.stazioni)) return guasto(r.d);
  if (r.con_piano && r.t.piano.presente()) semina_piano(r.t.piano);
  esito = leggi_principale(r);
  // Code 15 ends the main part as the end of the file does.
  const bool oltre = esito == esito_passo::fine_parte;
  if (esito == esito_passo::avanti || oltre) esito = chiudi_linea(r);
  return oltre && esito == esito_passo::avanti ? esito_passo::fine_parte
                                               : esito;
}

}  // namespace

esito_linea memorizza_dati_linea(contesto_lettura& x, bool con_piano) {
  const dati_generali g(x.t.stazioni);
  g.nome_linea() = x.sc.nome_linea;
  g.codice_treno() = x.sc.nome_treno;
  lettura_linea r{apri_descrizione(x, nome_descrizione_linea(x.sc),
                                   fonte_lettura::descrizione_linea),
                  x.t,
                  con_piano,
                  {},
                  {}};
  if (!x.c.esiste(r.d.nome)) {
    registra_errore(x.d, 101, r.d.luogo);
    return {esito_lettura::ritorna, r.indice_cartello};
  }
  esito_passo esito = esito_passo::avanti;
  if (!x.c.leggi_vista(r.d.nome, r.d.contenuto, r.d.l.testo).ok)
    esito = guasto(r.d);
  if (esito == esito_passo::avanti) esito = leggi_linea(r);
  switch (esito) {
    case esito_passo::avanti:
      return {esito_lettura::prosegui, r.indice_cartello};
    case esito_passo::fine_parte:
      return {esito_lettura::oltre_tabella, r.indice_cartello};
    case esito_passo::fermata:
      return {esito_lettura::ritorna, r.indice_cartello};
    case esito_passo::guasto:
      break;
  }
  return {gestisci_guasto(r.d), r.indice_cartello};
}
