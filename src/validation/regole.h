// The checks over the items of the two descriptions as their author wrote them:
// each rule is a small function that adds the problems it finds. What the
// compiler itself records is added elsewhere (guasti.h); these rules say what
// it does not: values missing or left over on a line, misspelt keywords,
// positions off the grid or past the route, values outside what the data can
// mean, times and tunnels that cannot be meant.
#ifndef VALIDATION_REGOLE_H_
#define VALIDATION_REGOLE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tables/metri.h"
#include "validation/problemi.h"
#include "validation/voci.h"

// The route that the line description sets up: its length and the last cell.
struct percorso {
  std::optional<int32_t> lunghezza;
  int32_t ultima_cella = -1;
};
percorso percorso_di(const descrizione_letta& linea);

// How an item's position goes on the cells: stretches and profiles at
// round(P / 50), point items at the cell that starts at P.
aggancio aggancio_della_voce(parola p);

// A number split by a blank after its thousands ("4 000"): the value that
// ended at the blank and the three digits one blank on (the next value, or
// the first field left over); nothing when the line has none.
std::optional<std::pair<const valore_letto*, const valore_letto*>>
migliaia_staccate(const voce& v);

// The known keyword or section header that `campo` most probably misspells,
// or empty.
std::string forse_intendevi(std::string_view campo, fonte_lettura fonte);

void controlla_valori(const descrizione_letta& d, std::vector<problema>& p);
// A quoted text with words after its closing quote, or one that runs over
// lines: what the reader drops or takes in.
void controlla_testi_tra_virgolette(const descrizione_letta& d,
                                    std::vector<problema>& p);
void controlla_campi_ignorati(const descrizione_letta& d,
                              std::vector<problema>& p);
// A file whose lines hold mostly in the other description: one problem for
// the file (or for both, when they look swapped) in place of one a line.
void controlla_scambio(const descrizione_letta& linea,
                       const descrizione_letta& treno,
                       std::vector<problema>& p);
void controlla_ripetizioni(const descrizione_letta& d,
                           std::vector<problema>& p);
void controlla_posizioni(const descrizione_letta& d, const percorso& r,
                         std::vector<problema>& p);
void controlla_intervalli(const descrizione_letta& d, std::vector<problema>& p);
void controlla_ordine(const descrizione_letta& d, std::vector<problema>& p);
void controlla_gallerie(const descrizione_letta& d, const percorso& r,
                        std::vector<problema>& p);
void controlla_orari(const descrizione_letta& d, std::vector<problema>& p);
// Speeds that the cells keep in fifths: the value stored when it is not a
// multiple of 5.
void controlla_multipli_di_5(const descrizione_letta& d,
                             std::vector<problema>& p);
// Slowdowns, and tunnels, that overlap one given before them.
void controlla_sovrapposizioni(const descrizione_letta& d,
                               std::vector<problema>& p);
// The train's speed limit and adhesion are 0 before their first line.
void controlla_profili_da_zero(const descrizione_letta& d,
                               std::vector<problema>& p);
// A slowdown before 1000 m loses speed-code marks before its start.
void controlla_rallentamenti_presto(const descrizione_letta& d,
                                    std::vector<problema>& p);

// The bytes of a description: a file in UTF-16 is an error, one in UTF-8 with
// letters outside ASCII is a warning that names the first of them.
void controlla_codifica(std::string_view byte, fonte_lettura fonte,
                        std::vector<problema>& p);

#endif  // VALIDATION_REGOLE_H_
