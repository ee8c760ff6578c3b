#include "tables/campi.h"

namespace {

struct nome_generale {
  int record;  // 81 to 83 stand for all three progressions
  membro<stazione> dove;
  std::string_view nome;
};

template <typename T>
constexpr nome_generale voce(const campo_generale<T>& g) {
  return {g.record, g.dove, g.nome};
}

const nome_generale nomi_generali[] = {
    voce(generali::progressiva_inizio),
    voce(generali::progressiva_valore),
    voce(generali::progressiva_segno),
    voce(generali::massa_frenata),
    voce(generali::lunghezza_percorso),
    voce(generali::numero_vetture),
    voce(generali::sfondo_uno),
    voce(generali::sfondo_due),
    voce(generali::sfondo_tre),
    voce(generali::nome_linea),
    voce(generali::valore_riservato),
    voce(generali::codice_gara_st),
    voce(generali::ripetizione_inizio),
    voce(generali::ripetizione_fine),
    voce(generali::ripetizione_codici),
    voce(generali::codice_treno),
    voce(generali::sabbia),
    voce(generali::orologio_ore),
    voce(generali::orologio_minuti),
    voce(generali::orologio_secondi),
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
