#include "tables/tabelle.h"

void coordinate_piano::alloca(int32_t ultimo_metro) {
  const auto metri = static_cast<std::size_t>(ultimo_metro) + 1;
  for (int asse = 0; asse < 2; ++asse) {
    tipo[asse].assign(metri, tipo_variante::vuoto);
    valore[asse].assign(metri, 0.0);
  }
}

void coordinate_piano::libera() {
  for (int asse = 0; asse < 2; ++asse) {
    tipo[asse].clear();
    tipo[asse].shrink_to_fit();
    valore[asse].clear();
    valore[asse].shrink_to_fit();
  }
}

messaggio nome_tipo_cella(uint8_t tipo) {
  switch (tipo) {
    case cella_vuota:
      return {N_("empty")};
    case cella_segnale:
      return {N_("signal")};
    case cella_fine_rallentamento:
      return {N_("slowdown end")};
    case cella_inizio_rallentamento:
      return {N_("slowdown start")};
    case cella_avviso_rallentamento:
      return {N_("slowdown warning")};
    case cella_prima_dell_avviso:
      return {N_("before the slowdown warning")};
    case cella_indicatore_vmax:
      return {N_("speed board")};
    case cella_fermata:
      return {N_("stop")};
    case cella_segno_galleria:
      return {N_("tunnel mark")};
    case cella_codice_velocita:
      return {N_("speed code")};
    case cella_codice_senza_valore:
      return {N_("code without a value")};
    case cella_cartello:
      return {N_("board with text")};
    default:
      return {N_("kind {0}"), {std::to_string(tipo)}};
  }
}
