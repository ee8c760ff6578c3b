// The fault record: the codes that the compiler records while it reads and
// post-processes, each with its meaning, the place where each was found, and
// the warnings about what the reader passed over.
#ifndef CORE_DIAGNOSTICA_H_
#define CORE_DIAGNOSTICA_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Which description, or which stage of the compiler, a fault or a warning
// belongs to.
enum class fonte_lettura {
  nessuna,
  descrizione_linea,
  descrizione_treno,
  scansione
};

// Where the reader stands: the description, the line and column of the
// keyword of the item being read (or of the field read last, between items)
// and the keyword itself; for the route scan, the cell.
struct luogo_lettura {
  fonte_lettura fonte = fonte_lettura::nessuna;
  int riga = 0;
  int colonna = 0;
  std::string parola;  // Windows-1252 bytes, as read
  int32_t cella = -1;
};

// One fault as it was recorded.
struct registro_errore {
  int32_t codice = 0;
  bool con_posizione = false;
  int32_t posizione = 0;
  luogo_lettura luogo;
};

// What one compilation found: the record of the last fault (code 0 when none)
// with its position and place, and every fault recorded, in order: a later
// fault replaces an earlier one in the record, but the checks want them all.
struct diagnostica {
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;
  luogo_lettura luogo_errore;
  std::vector<registro_errore> storia;
};

struct codice_diagnostico {
  int32_t codice;
  bool con_posizione;      // whether the fault records a position
  std::string_view testo;  // short description, English (core/testi.h)
};

// Every code that the compiler can record.
std::span<const codice_diagnostico> codici_diagnostici();
// The entry of a code, or nullptr for a code that the table does not hold.
const codice_diagnostico* cerca_codice(int32_t codice);

// Records a fault found at `luogo`; without a position, `posizione_errore`
// keeps its value.
void registra_errore(diagnostica& d, int32_t codice,
                     const luogo_lettura& luogo);
void registra_errore(diagnostica& d, int32_t codice, int32_t posizione,
                     const luogo_lettura& luogo);

#endif  // CORE_DIAGNOSTICA_H_
