#include "reading/lettura.h"

lettura_descrizione apri_descrizione(contesto_lettura& x, std::string nome,
                                     fonte_lettura fonte) {
  lettura_descrizione d{x, std::move(nome), fonte, {}, {}, {}, {}};
  d.luogo.fonte = fonte;
  return d;
}

bool leggi_parola(lettura_descrizione& d, int commenti) {
  if (fine_file(d.l)) return false;
  if (!leggi_testo(d.l, d.stringa_letta) || fine_file(d.l)) return false;
  for (int volta = 0; volta < commenti && campo_commento(d.stringa_letta);
       ++volta) {
    if (!leggi_testo(d.l, d.stringa_letta) || fine_file(d.l)) return false;
  }
  segna_campo(d);
  return true;
}

void segna_campo(lettura_descrizione& d) {
  d.luogo = {d.fonte, d.l.riga_campo, d.l.colonna_campo, "", -1};
}

void segna_parola(lettura_descrizione& d) { d.luogo.parola = d.stringa_letta; }

esito_passo guasto(lettura_descrizione&) { return esito_passo::guasto; }

bool cancella_descrizione(lettura_descrizione& d) {
  return d.x.c.cancella(d.nome).ok;
}

esito_passo ferma(lettura_descrizione& d, int32_t codice) {
  if (!cancella_descrizione(d)) return guasto(d);
  registra_errore(d.x.d, codice, d.luogo);
  return esito_passo::fermata;
}

esito_passo ferma(lettura_descrizione& d, int32_t codice, int32_t posizione) {
  if (!cancella_descrizione(d)) return guasto(d);
  registra_errore(d.x.d, codice, posizione, d.luogo);
  return esito_passo::fermata;
}

esito_passo oltre_tabella(lettura_descrizione& d, int32_t posizione) {
  registra_errore(d.x.d, 15, posizione, d.luogo);
  return esito_passo::fine_parte;
}

esito_lettura gestisci_guasto(lettura_descrizione& d) {
  for (const std::string& nome :
       {nome_descrizione_linea(d.x.sc), nome_descrizione_treno(d.x.sc)}) {
    if (d.x.c.esiste(nome)) d.x.c.cancella(nome);
  }
  registra_errore(d.x.d, 25, d.luogo);
  return esito_lettura::guasto;
}

bool entro_tabella(const tabelle& t, int32_t posizione, int32_t margine) {
  return (static_cast<double>(posizione) + margine) / 50.0 <= t.ultima_cella();
}

bool cella_in_tabella(const tabelle& t, int64_t cella) {
  return cella >= 0 && cella <= t.ultima_cella();
}
