#include "tables/campi.h"

namespace {

struct nome_generale {
  int record;  // 81 to 83 stand for all three progressions
  membro<stazione> dove;
  std::string_view nome;
};

// What the fields of records 81 to 86 hold (the same as `dati_generali`).
const nome_generale nomi_generali[] = {
    {record_progressiva_tre, &stazione::inizio, "inizio"},
    {record_progressiva_tre, &stazione::fine, "progressiva"},
    {record_progressiva_tre, &stazione::posizione, "decrescente"},
    {record_treno, &stazione::inizio, "percentuale_massa_frenata"},
    {record_treno, &stazione::fine, "lunghezza_percorso"},
    {record_treno, &stazione::posizione, "numero_vetture"},
    {record_linea, &stazione::inizio, "sfondo_uno"},
    {record_linea, &stazione::posizione, "sfondo_due"},
    {record_linea, &stazione::fine, "sfondo_tre"},
    {record_linea, &stazione::nome, "nome_linea"},
    {record_linea, &stazione::campo7, "valore_riservato"},
    {record_linea, &stazione::orario, "codice_gara_st"},
    {record_nome_treno, &stazione::inizio, "ripetizione_inizio"},
    {record_nome_treno, &stazione::fine, "ripetizione_fine"},
    {record_nome_treno, &stazione::posizione, "ripetizione_codici"},
    {record_nome_treno, &stazione::nome, "codice_treno"},
    {record_nome_treno, &stazione::campo7, "sabbia"},
    {record_nome_treno, &stazione::campo10, "orologio_ore"},
    {record_nome_treno, &stazione::campo11, "orologio_minuti"},
    {record_nome_treno, &stazione::campo12, "orologio_secondi"},
};

}  // namespace

bool campo_di_testo(const campo<stazione>& f) {
  return std::holds_alternative<std::string stazione::*>(f.dove);
}

std::string_view nome_del_campo(int record, const campo<stazione>& f) {
  const bool progressiva =
      record >= record_progressiva_tre && record <= record_progressiva_uno;
  for (const nome_generale& n : nomi_generali) {
    const bool stesso_record =
        progressiva ? n.record == record_progressiva_tre : n.record == record;
    if (stesso_record && n.dove == f.dove) return n.nome;
  }
  return f.nome;
}
