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

// What one compilation found: the last fault recorded (code 0 when none) with
// its position and place, and the warnings.
struct diagnostica {
  int32_t codice_errore = 0;
  int32_t posizione_errore = 0;
  luogo_lettura luogo_errore;
  std::vector<avviso> avvisi;
};

struct codice_diagnostico {
  int32_t codice;
  bool con_posizione;      // whether the fault records a position
  std::string_view testo;  // short Italian description, Windows-1252
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
void registra_avviso(diagnostica& d, const luogo_lettura& luogo,
                     std::string testo);

#endif  // CORE_DIAGNOSTICA_H_
