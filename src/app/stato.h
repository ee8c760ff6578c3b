// The build state: everything one build works on, from the scenario's names to
// the compiled tables and the record of the last fault. Every procedure takes
// the part of it that it works on; there is no other state, so every test makes
// its own.
#ifndef APP_STATO_H_
#define APP_STATO_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tables/tabelle.h"

// Which description, or which stage of the compiler, a fault or a warning
// belongs to.
enum class fonte_lettura {
  nessuna,
  descrizione_linea,
  descrizione_treno,
  scansione
};

// Where the reader stands: the description, the line of the field read last and
// the keyword of the line being read; for the route scan, the cell.
struct luogo_lettura {
  fonte_lettura fonte = fonte_lettura::nessuna;
  int riga = 0;
  std::string parola;  // Windows-1252 bytes, as read
  int32_t cella = -1;
};

// Something the reader passed over without a fault: it changes no output and no
// code.
struct avviso {
  luogo_lettura luogo;
  std::string testo;  // Windows-1252 bytes
};

struct stato {
  // The scenario's names, as Windows-1252 bytes: they go into records 85
  // and 86.
  std::string nome_linea = "Valdora_Cesina";
  std::string nome_treno = "KT52806";
  // The stems of the file names; the same as the names unless a caller gives
  // other ones.
  std::string radice_linea = "Valdora_Cesina";
  std::string radice_treno = "KT52806";

  // The record of the last fault: 0 when none has been recorded.
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;

  // The compiled tables. `celle` is empty until the route length has been read.
  std::vector<cella> celle;
  tabella_stazioni stazioni;
  coordinate_piano planimetria;
  // Non-zero when the plan is built and written.
  int32_t j = 0;

  // The reader's working state.
  std::string stringa_letta;
  std::array<int32_t, 81> inizi_montagne{};
  std::array<int32_t, 81> fini_montagne{};
  int32_t numero_montagne = 0;
  int32_t indice_cartello = primo_record_cartelli;

  // For the reports: where the reader stands, where the last fault was
  // recorded, and what the reader passed over.
  luogo_lettura luogo_corrente;
  luogo_lettura luogo_errore;
  std::vector<avviso> avvisi;

  // The last cell index N, or -1 when there is no cell table yet.
  int32_t ultima_cella() const {
    return static_cast<int32_t>(celle.size()) - 1;
  }
};

#endif  // APP_STATO_H_
