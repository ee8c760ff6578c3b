#include "lsp/verifica.h"

#include "commands/compila.h"
#include "core/scenario.h"
#include "platform/cartella_memoria.h"
#include "platform/cp1252.h"
#include "validation/controllo.h"

namespace {

// The bytes `check` would read, and whether they must be read as UTF-8.
bool prepara(const testo_da_controllare& t, std::string& grezzi,
             std::string& letti) {
  grezzi = t.testo;
  letti = t.testo;
  if (!t.dall_editor) return false;
  std::string convertito;
  if (utf8_a_cp1252(t.testo, convertito)) {
    grezzi = convertito;
    letti = std::move(convertito);
    return false;
  }
  return true;
}

}  // namespace

esito_verifica verifica_coppia(const testo_da_controllare& linea,
                               const testo_da_controllare& treno,
                               int ricompilazioni) {
  esito_verifica v;
  const scenario sc;
  // The bytes that `grezzi` and `testi` view.
  struct {
    std::string linea, treno;
  } grezzi_propri, testi;
  v.in_utf8[0] = prepara(linea, grezzi_propri.linea, testi.linea);
  v.in_utf8[1] = prepara(treno, grezzi_propri.treno, testi.treno);
  const bool in_utf8 = v.in_utf8[0] || v.in_utf8[1];
  // As `--encoding utf-8` reads a file: a letter that has no place in the
  // code page is an error at its place and nothing is compiled.
  if (v.in_utf8[0]) {
    if (auto p = da_utf8(testi.linea, fonte_lettura::descrizione_linea))
      v.problemi.push_back(std::move(*p));
  }
  if (v.in_utf8[1]) {
    if (auto p = da_utf8(testi.treno, fonte_lettura::descrizione_treno))
      v.problemi.push_back(std::move(*p));
  }
  v.letti[0] = testi.linea;
  v.letti[1] = testi.treno;
  if (!v.problemi.empty()) {
    v.esito.tipo = esito_compilazione::senza_tabella;
    return v;
  }
  cartella_memoria c;
  c.file[nome_descrizione_linea(sc)] = testi.linea;
  c.file[nome_descrizione_treno(sc)] = testi.treno;
  tabelle t;
  v.esito = compila_tabelle(sc, c, true, t, v.d);
  ingresso_controllo in{sc,
                        {grezzi_propri.linea, grezzi_propri.treno},
                        {testi.linea, testi.treno},
                        in_utf8,
                        true};
  in.ricompilazioni_massime = ricompilazioni;
  v.problemi = controlla_descrizioni(in, t, v.d, v.esito);
  v.compilate.celle = std::move(t.celle);
  v.compilate.stazioni = std::move(t.stazioni);
  return v;
}
