// The fault record: the codes that the compiler records while it reads and
// post-processes, each with its meaning, and the way a fault is recorded.
#ifndef APP_DIAGNOSTICA_H_
#define APP_DIAGNOSTICA_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "app/stato.h"

struct codice_diagnostico {
  int32_t codice;
  bool con_posizione;      // whether the fault records a position
  std::string_view testo;  // short Italian description, Windows-1252
};

// Every code that the compiler can record.
std::span<const codice_diagnostico> codici_diagnostici();
// The entry of a code, or nullptr for a code that the table does not hold.
const codice_diagnostico* cerca_codice(int32_t codice);

// Records a fault without a position: `posizione_errore` keeps its value.
void registra_errore(stato& s, int32_t codice);
// Records a fault with its position in metres.
void registra_errore(stato& s, int32_t codice, int32_t posizione);
// Records a warning at the reader's current place.
void registra_avviso(stato& s, std::string testo);

#endif  // APP_DIAGNOSTICA_H_
