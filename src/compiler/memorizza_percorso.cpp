#include "compiler/memorizza_percorso.h"

#include "compiler/codici_gara.h"
#include "compiler/scansione.h"
#include "compiler/uscita_binaria.h"
#include "line/lettura_linea.h"
#include "platform/cartella_sorvegliata.h"
#include "tables/campi.h"
#include "train_run/lettura_treno.h"

namespace {

// The reserved values and the competition codes: refused over content that a
// description put where they go.
esito_compilazione stampa_riservati(tabelle& t) {
  const dati_generali g(t.stazioni);
  cella& prima = t.celle[1];
  if (g.valore_riservato() != 0 || prima.dato1 != 0)
    return {esito_compilazione::fatale, "1250", {}};
  g.valore_riservato() = riservato_linea;
  prima.dato1 = riservato_cella;
  if (g.codice_gara_st() != 0 || prima.dato2 != 0)
    return {esito_compilazione::fatale, "1251", {}};
  g.codice_gara_st() = codice_gara_st(t.stazioni);
  prima.dato2 = static_cast<int16_t>(codice_gara_og(t.stazioni));
  return {};
}

}  // namespace

void memorizza_dati(const scenario& sc, cartella& ingresso, tabelle& t,
                    diagnostica& d, bool con_piano) {
  contesto_lettura x{sc, ingresso, t, d};
  const esito_linea linea = memorizza_dati_linea(x, con_piano);
  if (linea.esito == esito_lettura::prosegui ||
      linea.esito == esito_lettura::oltre_tabella) {
    memorizza_dati_treno(x, linea.indice_cartello,
                         linea.esito == esito_lettura::oltre_tabella);
  }
}

esito_compilazione compila_tabelle(const scenario& sc, cartella& ingresso,
                                   bool con_piano, tabelle& t, diagnostica& d) {
  t = tabelle{};
  d.codice_errore = 0;
  cartella_sorvegliata sorvegliata(ingresso);
  memorizza_dati(sc, sorvegliata, t, d, con_piano);
  if (sorvegliata.guasto())
    return {esito_compilazione::guasto_file, "", *sorvegliata.guasto()};
  if (t.celle.empty()) return {esito_compilazione::senza_tabella, "", {}};
  scansione_percorso(t.celle, d);
  return stampa_riservati(t);
}

esito_compilazione memorizza_percorso(const scenario& sc, cartella& ingresso,
                                      insieme_sostituzioni& uscita,
                                      bool con_piano, tabelle& t,
                                      diagnostica& d) {
  esito_compilazione esito = compila_tabelle(sc, ingresso, con_piano, t, d);
  if (esito.tipo != esito_compilazione::completata) return esito;
  esito.file = prepara_file_binari(sc, t, uscita);
  if (!esito.file.ok) esito.tipo = esito_compilazione::guasto_file;
  return esito;
}

esito_compilazione memorizza_percorso(const scenario& sc, cartella& ingresso,
                                      cartella& uscita, bool con_piano,
                                      tabelle& t, diagnostica& d) {
  insieme_sostituzioni insieme(uscita);
  esito_compilazione esito =
      memorizza_percorso(sc, ingresso, insieme, con_piano, t, d);
  if (esito.tipo != esito_compilazione::completata) return esito;
  esito.file = insieme.pubblica();
  if (!esito.file.ok) esito.tipo = esito_compilazione::guasto_file;
  return esito;
}
