// The three binary files, as the field tables lay them out: the cells (15 bytes
// each), the station table (87 records of 34 bytes plus their names) and the
// plan (the x half then the y half, each element Empty, an Integer or a
// Double). Encoding appends a record's bytes; decoding checks the bytes it is
// given and refuses a truncated or malformed file with the byte offset where
// decoding failed.
#ifndef TABLES_FORMATO_H_
#define TABLES_FORMATO_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tables/campi.h"
#include "tables/piano_steso.h"
#include "tables/tabelle.h"

template <typename R, std::size_t N>
constexpr std::size_t byte_fissi(const std::array<campo<R>, N>& campi) {
  std::size_t somma = 0;
  for (const campo<R>& f : campi) somma += byte_del_campo(f);
  return somma;
}

inline constexpr std::size_t byte_per_cella = byte_fissi(campi_cella);
inline constexpr std::size_t byte_fissi_stazione = byte_fissi(campi_stazione);
static_assert(byte_per_cella == 15 && byte_fissi_stazione == 34);

// A plan element: its 16-bit tag, then an Integer or a Double.
inline constexpr std::size_t byte_massimi_elemento = 10;
// Inline: the plan's readers ask it of every element.
constexpr std::size_t byte_elemento(tipo_variante tipo) {
  switch (tipo) {
    case tipo_variante::vuoto:
      return 2;
    case tipo_variante::intero:
      return 4;
    case tipo_variante::doppio:
      return 10;
  }
  return 2;
}

void codifica_cella(std::string& d, const cella& c);
void codifica_stazione(std::string& d, const stazione& r);
// Stores the plan's elements of one axis (0 = x, 1 = y) from metre `da` to
// metre `a` into `p`, which has room for byte_massimi_elemento bytes a metre;
// returns the position after the last.
char* codifica_asse(char* p, const coordinate_piano& piano, int asse,
                    int32_t da, int32_t a);
// Stores the next `quanti` metres of one axis of a plan being walked.
char* codifica_asse(char* p, cammino_piano& cammino, int asse,
                    int32_t quanti);
// The same as the first, appended to a string.
void codifica_asse(std::string& d, const coordinate_piano& piano, int asse,
                   int32_t da, int32_t a);

struct errore_decodifica {
  std::size_t offset = 0;
  messaggio motivo;
};

// Records where the decoding failed and why; false, so that a decoder can
// `return fallisci(...)`.
bool fallisci(errore_decodifica& e, std::size_t offset, messaggio motivo);

bool decodifica_celle(std::string_view dati, std::vector<cella>& celle,
                      errore_decodifica& e);
bool decodifica_stazioni(std::string_view dati, tabella_stazioni& stazioni,
                         errore_decodifica& e);
bool decodifica_piano(std::string_view dati, coordinate_piano& piano,
                      errore_decodifica& e);

#endif  // TABLES_FORMATO_H_
