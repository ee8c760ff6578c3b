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

std::string nome_tipo_cella(uint8_t tipo) {
  switch (tipo) {
    case cella_vuota:
      return "vuota";
    case cella_segnale:
      return "segnale";
    case cella_fine_rallentamento:
      return "fine rallentamento";
    case cella_inizio_rallentamento:
      return "inizio rallentamento";
    case cella_avviso_rallentamento:
      return "avviso di rallentamento";
    case cella_prima_dell_avviso:
      return "prima dell'avviso di rallentamento";
    case cella_indicatore_vmax:
      return "indicatore di velocit\xE0 massima";
    case cella_fermata:
      return "fermata";
    case cella_segno_galleria:
      return "segno di galleria";
    case cella_codice_velocita:
      return "codice di velocit\xE0";
    case cella_codice_senza_valore:
      return "codice senza valore";
    case cella_cartello:
      return "cartello indicatore";
    default:
      return "tipo " + std::to_string(tipo);
  }
}
