#include "line/lettura_linea.h"

#include <limits>

#include "app/diagnostica.h"
#include "app/nomi_file.h"
#include "line/parole_chiave.h"

namespace {

constexpr int32_t lunghezza_massima = 1000000;
// The plan's metre counter may not pass this while curves are laid.
constexpr int32_t metro_massimo_curve = 1000000;
constexpr int32_t montagne_massime = 80;
constexpr std::size_t testo_massimo = std::numeric_limits<uint16_t>::max();
// Turn per metre of the curve classes "1" to "6".
constexpr double svolta_per_classe[] = {0.0001, 0.0002, 0.0004,
                                        0.001,  0.002,  0.003};

// The working values of one line reading.
struct lettura_linea {
  lettura_descrizione d;
  int32_t e = 0;         // E: the last metre of the plan
  int32_t g = 0;         // the next cell whose gradient is still to be set
  int32_t pendenza = 0;  // the gradient in force
  int32_t m = 2;         // the next metre of the plan to be computed
  int32_t ultima_pendenza = std::numeric_limits<int32_t>::min();
};

bool senza_celle(const stato& s) { return s.celle.empty(); }

// The plan's step from metre m - 1 to metre m: straight when k is 0, curved
// otherwise.
void passo(coordinate_piano& p, int32_t m, double k) {
  const double dx = p.x(m - 1) - p.x(m - 2);
  const double dy = p.y(m - 1) - p.y(m - 2);
  if (k == 0.0) {
    p.poni_doppio(m, 0, p.x(m - 1) + dx);
    p.poni_doppio(m, 1, p.y(m - 1) + dy);
  } else {
    p.poni_doppio(m, 0, p.x(m - 1) + (dx + k * dy));
    p.poni_doppio(m, 1, p.y(m - 1) + (dy - k * dx));
  }
}

// Lays the plan up to metre `fino` (never past E - 2). False when the metre
// counter passes the limit of the curves.
bool stendi(lettura_linea& r, int32_t fino, double k, bool con_limite) {
  coordinate_piano& p = r.d.s.planimetria;
  while (r.m <= fino && r.m <= r.e - 2) {
    passo(p, r.m, k);
    ++r.m;
    if (con_limite && r.m > metro_massimo_curve) return false;
  }
  return true;
}

// Fills the gradient in force + 100 (its low 8 bits) from cell g up to the cell
// before `fino`, at least one cell, never past the table. False when the
// gradient + 100 does not fit 32 bits.
bool riempi_pendenza(lettura_linea& r, int32_t fino) {
  int32_t valore;
  if (!somma_long(r.pendenza, 100, valore)) return false;
  stato& s = r.d.s;
  do {
    if (r.g >= 0 && r.g <= s.ultima_cella()) {
      s.celle[static_cast<std::size_t>(r.g)].pendenza =
          static_cast<uint8_t>(valore);
    }
    ++r.g;
  } while (r.g < fino);
  return true;
}

// A range check of the main part: code 15 ends the main part, a missing table
// is a reading failure.
passo_lettura controlla_posizione(lettura_linea& r, int32_t posizione,
                                  esito_lettura& esito) {
  if (senza_celle(r.d.s)) {
    esito = guasto_lettura(r.d);
    return passo_lettura::esci;
  }
  if (!entro_tabella(r.d.s, posizione, 100)) {
    registra_errore(r.d.s, 15, posizione);
    return passo_lettura::fine_parte;
  }
  return passo_lettura::avanti;
}

// The cell of a board at `posizione`: P / 50 + 1, rounded. Code 15 when it
// falls below cell 0.
passo_lettura cella_del_cartello(lettura_linea& r, int32_t posizione,
                                 int32_t& cella) {
  cella = static_cast<int32_t>(arrotonda(posizione / 50.0 + 1.0));
  if (cella < 0) {
    registra_errore(r.d.s, 15, posizione);
    return passo_lettura::fine_parte;
  }
  return passo_lettura::avanti;
}

// --- General section
// -------------------------------------------------------------------------

esito_lettura leggi_lunghezza(lettura_linea& r) {
  stato& s = r.d.s;
  int32_t lunghezza;
  if (!leggi_long(r.d.l, lunghezza)) return guasto_lettura(r.d);
  s.stazioni[record_treno].fine = lunghezza;
  if (lunghezza > lunghezza_massima || lunghezza < 0)
    return ferma_lettura(r.d, 1);
  r.e = lunghezza + 7000;
  const auto ultima = static_cast<int32_t>(arrotonda(r.e / 50.0));
  s.celle.assign(static_cast<std::size_t>(ultima) + 1, cella{});
  if (s.j != 0) s.planimetria.alloca(r.e);
  return esito_lettura::prosegui;
}

// Reads three values into the start, value and flag of a progression record,
// one by one.
bool leggi_progressiva(lettore& l, stazione& record) {
  return leggi_long(l, record.inizio) && leggi_long(l, record.fine) &&
         leggi_long(l, record.posizione);
}

esito_lettura leggi_ripetizione_segnali(lettura_linea& r) {
  stazione& record = r.d.s.stazioni[record_nome_treno];
  if (!leggi_long(r.d.l, record.inizio) || !leggi_long(r.d.l, record.fine)) {
    return guasto_lettura(r.d);
  }
  if (record.inizio % 50 != 0) return ferma_lettura(r.d, 3);
  if (record.fine % 50 != 0) return ferma_lettura(r.d, 4);
  const std::string& parola = r.d.s.stringa_letta;
  if (contiene(parola, "4")) {
    record.posizione = 4;
  } else if (contiene(parola, "9")) {
    record.posizione = 9;
  } else {
    return ferma_lettura(r.d, 5);
  }
  if (record.fine == 0) record.posizione = 0;
  return esito_lettura::prosegui;
}

// The tests of the general section on one field, in order, each on its own.
esito_lettura interpreta_generale(lettura_linea& r) {
  stato& s = r.d.s;
  const std::string parola = s.stringa_letta;
  bool riconosciuta = false;
  auto prova = [&](enum parola p) {
    if (!riconosce(p, parola)) return false;
    riconosciuta = true;
    segna_parola(r.d);
    return true;
  };
  if (prova(parola::lunghezza_percorso)) {
    esito_lettura esito = leggi_lunghezza(r);
    if (esito != esito_lettura::prosegui) return esito;
  }
  const std::pair<enum parola, int> progressive[] = {
      {parola::progressiva_tre, record_progressiva_tre},
      {parola::progressiva_due, record_progressiva_due},
      {parola::progressiva_uno, record_progressiva_uno}};
  for (auto [p, record] : progressive) {
    if (prova(p) && !leggi_progressiva(r.d.l, s.stazioni[record]))
      return guasto_lettura(r.d);
  }
  stazione& linea = s.stazioni[record_linea];
  if (prova(parola::sfondo_uno) && !leggi_long(r.d.l, linea.inizio))
    return guasto_lettura(r.d);
  if (prova(parola::sfondo_due) && !leggi_long(r.d.l, linea.posizione))
    return guasto_lettura(r.d);
  if (prova(parola::sfondo_tre) && !leggi_long(r.d.l, linea.fine))
    return guasto_lettura(r.d);
  if (prova(parola::ripetizione_segnali)) {
    esito_lettura esito = leggi_ripetizione_segnali(r);
    if (esito != esito_lettura::prosegui) return esito;
  }
  if (!riconosciuta && !intestazione(parola)) avvisa_campo_ignorato(r.d);
  return esito_lettura::prosegui;
}

// The general section ends with a field that does not begin with "-" (blanks in
// front removed) and holds both "[" and "]".
bool fine_generale(const std::string& campo) {
  const std::size_t primo = campo.find_first_not_of(" \t");
  const bool trattino = primo != std::string::npos && campo[primo] == '-';
  return !trattino && intestazione(campo);
}

esito_lettura leggi_generale(lettura_linea& r) {
  stato& s = r.d.s;
  lettore& l = r.d.l;
  for (;;) {
    if (fine_file(l)) return esito_lettura::prosegui;
    if (!leggi_testo(l, s.stringa_letta)) return guasto_lettura(r.d);
    if (fine_file(l)) return esito_lettura::prosegui;
    for (int volta = 0; volta < 10; ++volta) {
      if (campo_commento(s.stringa_letta) && !leggi_testo(l, s.stringa_letta)) {
        return guasto_lettura(r.d);
      }
    }
    esito_lettura esito = interpreta_generale(r);
    if (esito != esito_lettura::prosegui) return esito;
    if (fine_generale(s.stringa_letta)) return esito_lettura::prosegui;
  }
}

// --- Main part
// -------------------------------------------------------------------------------

passo_lettura leggi_pendenza(lettura_linea& r, esito_lettura& esito) {
  int32_t posizione, pendenza;
  if (!leggi_long(r.d.l, posizione) || !leggi_long(r.d.l, pendenza)) {
    esito = guasto_lettura(r.d);
    return passo_lettura::esci;
  }
  passo_lettura passo = controlla_posizione(r, posizione, esito);
  if (passo != passo_lettura::avanti) return passo;
  if (posizione <= r.ultima_pendenza) {
    registra_avviso(r.d.s, "pendenza a " + std::to_string(posizione) +
                               " m non dopo la precedente a " +
                               std::to_string(r.ultima_pendenza) + " m");
  }
  r.ultima_pendenza = posizione;
  const auto cella = static_cast<int32_t>(arrotonda(posizione / 50.0));
  if (cella > 0 && !riempi_pendenza(r, cella)) {
    esito = guasto_lettura(r.d);
    return passo_lettura::esci;
  }
  r.pendenza = pendenza;
  return passo_lettura::avanti;
}

passo_lettura leggi_curva(lettura_linea& r, esito_lettura& esito) {
  stato& s = r.d.s;
  const std::string parola = s.stringa_letta;
  int32_t inizio, lunghezza;
  if (!leggi_long(r.d.l, inizio) || !leggi_long(r.d.l, lunghezza)) {
    esito = guasto_lettura(r.d);
    return passo_lettura::esci;
  }
  passo_lettura passo = controlla_posizione(r, inizio, esito);
  if (passo != passo_lettura::avanti) return passo;
  double k = 0.0;
  for (char classe = '1'; classe <= '6' && k == 0.0; ++classe) {
    if (parola.find(classe) != std::string::npos)
      k = svolta_per_classe[classe - '1'];
  }
  if (k == 0.0) {
    esito = ferma_lettura(r.d, 103);
    return passo_lettura::esci;
  }
  if (contiene_ogni_caso(parola, "s")) k = -k;
  int32_t fine;
  if (!somma_long(inizio, lunghezza, fine) || !s.planimetria.presente()) {
    esito = guasto_lettura(r.d);
    return passo_lettura::esci;
  }
  if (inizio < r.m - 1) {
    registra_avviso(s, "curva che inizia a " + std::to_string(inizio) +
                           " m, dietro il tracciato gi\xE0 steso fino a " +
                           std::to_string(r.m - 1) + " m");
  }
  if (!stendi(r, inizio, 0.0, true) || !stendi(r, fine, k, true)) {
    esito = ferma_lettura(r.d, 103);
    return passo_lettura::esci;
  }
  return passo_lettura::avanti;
}

passo_lettura leggi_montagna(lettura_linea& r, esito_lettura& esito) {
  int32_t inizio, fine, tipo;
  lettore& l = r.d.l;
  if (!leggi_long(l, inizio) || !leggi_long(l, fine) || !leggi_long(l, tipo)) {
    esito = guasto_lettura(r.d);
    return passo_lettura::esci;
  }
  passo_lettura passo = controlla_posizione(r, inizio, esito);
  if (passo != passo_lettura::avanti) return passo;
  if (!memo_montagna(r.d.s, inizio, fine, tipo)) {
    esito = guasto_lettura(r.d);
    return passo_lettura::esci;
  }
  return passo_lettura::avanti;
}

passo_lettura leggi_indicatore(lettura_linea& r, esito_lettura& esito) {
  int32_t posizione, vas, vbs, vcs, vad, vbd, vcd;
  int16_t strisces, strisced;
  lettore& l = r.d.l;
  if (!leggi_long(l, posizione) || !leggi_long(l, vas) || !leggi_long(l, vbs) ||
      !leggi_long(l, vcs) || !leggi_intero(l, strisces) ||
      !leggi_long(l, vad) || !leggi_long(l, vbd) || !leggi_long(l, vcd) ||
      !leggi_intero(l, strisced)) {
    esito = guasto_lettura(r.d);
    return passo_lettura::esci;
  }
  passo_lettura passo = controlla_posizione(r, posizione, esito);
  if (passo != passo_lettura::avanti) return passo;
  int32_t cella;
  passo = cella_del_cartello(r, posizione, cella);
  if (passo != passo_lettura::avanti) return passo;
  switch (memo_indicatori_v_max(r.d.s, posizione, vas, vbs, vcs, strisces, vad,
                                vbd, vcd, strisced)) {
    case esito_indicatore::posto:
      return passo_lettura::avanti;
    case esito_indicatore::occupato:
      esito = ferma_lettura(r.d, r.d.s.codice_errore, posizione);
      return passo_lettura::esci;
    case esito_indicatore::fuori_misura:
      break;
  }
  esito = guasto_lettura(r.d);
  return passo_lettura::esci;
}

passo_lettura leggi_cartello(lettura_linea& r, esito_lettura& esito) {
  stato& s = r.d.s;
  int32_t posizione;
  if (!leggi_long(r.d.l, posizione) || !leggi_testo(r.d.l, s.stringa_letta)) {
    esito = guasto_lettura(r.d);
    return passo_lettura::esci;
  }
  passo_lettura passo = controlla_posizione(r, posizione, esito);
  if (passo != passo_lettura::avanti) return passo;
  int32_t c;
  passo = cella_del_cartello(r, posizione, c);
  if (passo != passo_lettura::avanti) return passo;
  cella& cella = s.celle[static_cast<std::size_t>(c)];
  if (!cella_libera(cella)) {
    esito = ferma_lettura(r.d, 6, posizione);
    return passo_lettura::esci;
  }
  if (s.indice_cartello < 1 || s.stringa_letta.size() > testo_massimo) {
    esito = guasto_lettura(r.d);
    return passo_lettura::esci;
  }
  cella.tipo = cella_cartello;
  cella.dato1 = static_cast<int16_t>(s.indice_cartello);
  s.stazioni[static_cast<std::size_t>(s.indice_cartello)].nome =
      s.stringa_letta;
  --s.indice_cartello;
  return passo_lettura::avanti;
}

// The tests of the main part on one field, in order, each on its own.
passo_lettura interpreta_principale(lettura_linea& r, esito_lettura& esito) {
  stato& s = r.d.s;
  const std::string parola = s.stringa_letta;
  using lettura_riga = passo_lettura (*)(lettura_linea&, esito_lettura&);
  const std::pair<enum parola, lettura_riga> prove[] = {
      {parola::pendenza, leggi_pendenza},
      {parola::curva, leggi_curva},
      {parola::montagna, leggi_montagna},
      {parola::indicatori_vmax, leggi_indicatore},
      {parola::cartello_indicatore, leggi_cartello}};
  bool riconosciuta = false;
  for (auto [p, leggi] : prove) {
    if (!riconosce(p, parola)) continue;
    riconosciuta = true;
    if (p == parola::curva && s.j == 0) {
      // Curves only build the plan: without it the line is skipped, its values
      // read as fields that match nothing, which is no news for the author.
      r.d.riga_ultimo_avviso = r.d.l.riga_campo;
      continue;
    }
    segna_parola(r.d);
    passo_lettura passo = leggi(r, esito);
    if (passo != passo_lettura::avanti) return passo;
  }
  if (!riconosciuta && !intestazione(parola)) avvisa_campo_ignorato(r.d);
  return passo_lettura::avanti;
}

// The main part, up to the end of the file or a failed range check. Anything
// else ends the reading.
esito_lettura leggi_principale(lettura_linea& r) {
  for (;;) {
    if (!leggi_parola(r.d, 2)) {
      return r.d.l.guasto ? guasto_lettura(r.d) : esito_lettura::prosegui;
    }
    esito_lettura esito = esito_lettura::prosegui;
    switch (interpreta_principale(r, esito)) {
      case passo_lettura::avanti:
        break;
      case passo_lettura::fine_parte:
        return esito_lettura::prosegui;
      case passo_lettura::esci:
        return esito;
    }
  }
}

// The end of the line description: the file is deleted, the gradient in force
// is carried to the end of the route and the plan runs straight on to metre E
// - 2.
esito_lettura chiudi_linea(lettura_linea& r) {
  stato& s = r.d.s;
  if (!chiudi_e_cancella(r.d)) return guasto_lettura(r.d);
  if (senza_celle(s)) return guasto_lettura(r.d);
  if (!riempi_pendenza(r, s.ultima_cella() - 2)) return guasto_lettura(r.d);
  if (s.j != 0) stendi(r, r.e - 2, 0.0, false);
  return esito_lettura::prosegui;
}

}  // namespace

bool leggi_parola(lettura_descrizione& d, int commenti) {
  stato& s = d.s;
  if (fine_file(d.l)) return false;
  if (!leggi_testo(d.l, s.stringa_letta) || fine_file(d.l)) return false;
  for (int volta = 0; volta < commenti && campo_commento(s.stringa_letta);
       ++volta) {
    if (!leggi_testo(d.l, s.stringa_letta) || fine_file(d.l)) return false;
  }
  return true;
}

void segna_parola(lettura_descrizione& d) {
  d.s.luogo_corrente = {d.fonte, d.l.riga_campo, d.s.stringa_letta, -1};
}

void avvisa_campo_ignorato(lettura_descrizione& d) {
  // An empty line is an empty field: harmless, not worth a warning.
  if (d.s.stringa_letta.empty() || d.l.riga_campo == d.riga_ultimo_avviso)
    return;
  d.riga_ultimo_avviso = d.l.riga_campo;
  d.s.luogo_corrente = {d.fonte, d.l.riga_campo, "", -1};
  registra_avviso(d.s, "campo ignorato: \"" + d.s.stringa_letta + "\"");
}

esito_lettura guasto_lettura(lettura_descrizione& d) {
  d.s.luogo_corrente.fonte = d.fonte;
  d.s.luogo_corrente.riga = d.l.riga_campo;
  return esito_lettura::guasto;
}

bool chiudi_e_cancella(lettura_descrizione& d) {
  return d.c.cancella(d.nome).ok;
}

esito_lettura ferma_lettura(lettura_descrizione& d, int32_t codice) {
  if (!chiudi_e_cancella(d)) return guasto_lettura(d);
  registra_errore(d.s, codice);
  return esito_lettura::ritorna;
}

esito_lettura ferma_lettura(lettura_descrizione& d, int32_t codice,
                            int32_t posizione) {
  if (!chiudi_e_cancella(d)) return guasto_lettura(d);
  registra_errore(d.s, codice, posizione);
  return esito_lettura::ritorna;
}

bool entro_tabella(const stato& s, int32_t posizione, int32_t margine) {
  return (static_cast<double>(posizione) + margine) / 50.0 <= s.ultima_cella();
}

esito_lettura memorizza_dati_linea(stato& s, cartella& c) {
  s.stazioni[record_linea].nome = s.nome_linea;
  s.stazioni[record_nome_treno].nome = s.nome_treno;
  lettura_linea r{
      {s, c, nome_descrizione_linea(s), fonte_lettura::descrizione_linea, {}}};
  s.luogo_corrente = {fonte_lettura::descrizione_linea, 0, "", -1};
  if (!c.esiste(r.d.nome)) {
    registra_errore(s, 101);
    return esito_lettura::ritorna;
  }
  if (!c.leggi(r.d.nome, r.d.l.testo).ok) return guasto_lettura(r.d);

  // The start marker: the search tests the end of the file only after each
  // read.
  for (;;) {
    if (!leggi_testo(r.d.l, s.stringa_letta)) return guasto_lettura(r.d);
    if (fine_file(r.d.l)) return ferma_lettura(r.d, 102);
    if (riconosce(parola::generale, s.stringa_letta)) break;
  }
  esito_lettura esito = leggi_generale(r);
  if (esito != esito_lettura::prosegui) return esito;

  if (!progressive_ordina(s.stazioni)) return guasto_lettura(r.d);

  s.numero_montagne = 0;
  s.indice_cartello = primo_record_cartelli;
  if (s.j != 0 && s.planimetria.presente()) {
    s.planimetria.poni_intero(0, 0, 0);
    s.planimetria.poni_intero(0, 1, 0);
    s.planimetria.poni_intero(1, 0, 0);
    s.planimetria.poni_intero(1, 1, 1);
  }
  esito = leggi_principale(r);
  if (esito != esito_lettura::prosegui) return esito;
  return chiudi_linea(r);
}

bool progressive_ordina(tabella_stazioni& stazioni) {
  struct terna {
    int32_t inizio, valore, segno;
  };
  auto terna_di = [&](int record) {
    const stazione& r = stazioni[static_cast<std::size_t>(record)];
    return terna{r.inizio, r.fine, r.posizione};
  };
  const terna t81 = terna_di(record_progressiva_tre);
  const terna t82 = terna_di(record_progressiva_due);
  const terna t83 = terna_di(record_progressiva_uno);
  const terna zero{0, 0, 0};
  terna ordine[3] = {zero, zero, zero};
  const int64_t somma = int64_t{t81.inizio} + t82.inizio + t83.inizio;
  if (somma != 0) {
    if (t81.inizio > t82.inizio && t81.inizio > t83.inizio) {
      ordine[0] = t81;
      ordine[1] = t82.inizio > t83.inizio ? t82 : t83;
      ordine[2] = t82.inizio > t83.inizio ? t83 : t82;
    } else if (t82.inizio > t81.inizio && t82.inizio > t83.inizio) {
      ordine[0] = t82;
      ordine[1] = t81.inizio > t83.inizio ? t81 : t83;
      ordine[2] = t81.inizio > t83.inizio ? t83 : t81;
    } else if (t83.inizio > t81.inizio && t83.inizio > t82.inizio) {
      ordine[0] = t83;
      ordine[1] = t81.inizio > t82.inizio ? t81 : t82;
      ordine[2] = t81.inizio > t82.inizio ? t82 : t81;
    }
  } else {
    if (t81.valore > 0) ordine[0] = t81, ordine[1] = t82, ordine[2] = t83;
    if (t82.valore > 0) ordine[0] = t82, ordine[1] = t81, ordine[2] = t83;
    if (t83.valore > 0) ordine[0] = t83, ordine[1] = t82, ordine[2] = t81;
  }
  for (int n = 0; n < 3; ++n) {
    stazione& r =
        stazioni[static_cast<std::size_t>(record_progressiva_tre + n)];
    r.inizio = ordine[n].inizio;
    r.fine = ordine[n].valore;
    r.posizione = ordine[n].segno;
    // A decreasing progression (flag 1) gains 100 m.
    if (r.posizione == 1 && !somma_long(r.fine, 100, r.fine)) return false;
  }
  return true;
}

bool memo_montagna(stato& s, int32_t inizio, int32_t fine, int32_t& tipo) {
  const bool segnata = tipo > 10;
  if (segnata) tipo -= 10;
  if (s.numero_montagne >= montagne_massime) return false;
  const int32_t n = ++s.numero_montagne;
  s.inizi_montagne[static_cast<std::size_t>(n)] = inizio;
  s.fini_montagne[static_cast<std::size_t>(n)] = fine;
  if (n > 1) {
    const int64_t distanza =
        int64_t{inizio} - s.fini_montagne[static_cast<std::size_t>(n - 1)];
    int32_t non_usato;
    if (!somma_long(distanza, 0, non_usato)) return false;
    if (distanza <= 150) tipo = 3;
  }
  const auto prima = static_cast<int64_t>(arrotonda(inizio / 50.0));
  const auto ultima = static_cast<int64_t>(arrotonda(fine / 50.0 - 1.0));
  // Only the cells inside the table; q counts from the stretch's computed first
  // cell.
  const int64_t da = std::max<int64_t>(prima, 0);
  const int64_t a = std::min<int64_t>(ultima, s.ultima_cella());
  for (int64_t c = da; c <= a; ++c) {
    cella& cella = s.celle[static_cast<std::size_t>(c)];
    cella.montagna = static_cast<uint8_t>(tipo);
    const int64_t q = c - prima + 1;
    if (segnata && q % 4 == 0 && cella.tipo == cella_vuota)
      cella.tipo = cella_segno_galleria;
  }
  return true;
}

esito_indicatore memo_indicatori_v_max(stato& s, int32_t posizione, int32_t vas,
                                       int32_t vbs, int32_t vcs,
                                       int16_t strisces, int32_t vad,
                                       int32_t vbd, int32_t vcd,
                                       int16_t strisced) {
  const auto c = static_cast<int32_t>(arrotonda(posizione / 50.0 + 1.0));
  cella& cella = s.celle[static_cast<std::size_t>(c)];
  if (!cella_libera(cella)) {
    registra_errore(s, 21);
    return esito_indicatore::occupato;
  }
  // Each value is computed as a real number and rounded to an Integer; one that
  // does not fit is a reading failure, and nothing is placed.
  int16_t dati[3];
  const std::pair<int32_t, int32_t> velocita[3] = {
      {vas, vad}, {vbs, vbd}, {vcs, vcd}};
  for (int n = 0; n < 3; ++n) {
    const double valore =
        arrotonda(velocita[n].second / 5.0 + velocita[n].first * 20.0);
    if (valore < std::numeric_limits<int16_t>::min() ||
        valore > std::numeric_limits<int16_t>::max()) {
      return esito_indicatore::fuori_misura;
    }
    dati[n] = static_cast<int16_t>(valore);
  }
  cella.tipo = cella_indicatore_vmax;
  cella.dato1 = dati[0];
  cella.dato2 = dati[1];
  cella.dato3 = dati[2];
  cella.dato4 =
      static_cast<int16_t>(static_cast<uint16_t>(strisces * 10 + strisced));
  return esito_indicatore::posto;
}

void gestore_guasto_lettura(stato& s, cartella& c) {
  for (const std::string& nome :
       {nome_descrizione_linea(s), nome_descrizione_treno(s)}) {
    if (c.esiste(nome)) c.cancella(nome);
  }
  registra_errore(s, 25);
}
