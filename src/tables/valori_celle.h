// What an item's values become in the fields of a cell, and back: one
// encoder and one decoder per kind of value, with its units and its packing.
// The readers encode with these; the page, `inspect`, the documents and the
// decompiler decode with them, so a packing is written in one place only.
//
// Decoding splits by floor division, so that a negative packed value gives a
// quotient and a remainder from 0 up, and encoding the parts gives the packed
// value back.
#ifndef TABLES_VALORI_CELLE_H_
#define TABLES_VALORI_CELLE_H_

#include <cstdint>
#include <optional>
#include <utility>

#include "tables/tabelle.h"

// Floor division and its remainder (from 0 to b - 1 for b > 0).
inline int64_t quoziente(int64_t a, int64_t b) {
  return (a >= 0) ? a / b : -((-a + b - 1) / b);
}
inline int64_t resto(int64_t a, int64_t b) { return a - quoziente(a, b) * b; }

// --- Signals -----------------------------------------------------------------
// A signal line's values. Its cell holds s1 × 10 + d1, s2 × 10 + d2 and
// s3 × 10 + d3 in dato1 to dato3 and rapp × 10 + sx × 3 + dx in dato4; the
// cells 2b before it (b = 1 to 4) carry the approach mark
// (sx × 3 + dx) × 10 + b in a byte.
struct valori_segnale {
  int64_t sx = 0, s1 = 0, s2 = 0, s3 = 0, rapp = 0;
  int64_t dx = 0, d1 = 0, d2 = 0, d3 = 0;
};

// Each packing computed step by step in 32 bits; false when a step does not
// fit, `risultato` then unchanged.
bool coppia_segnale(int32_t a, int32_t b, int32_t& risultato);  // a × 10 + b
bool lati_segnale(int32_t sx, int32_t dx, int32_t& risultato);  // sx × 3 + dx
// rapp × 10 + sx × 3 + dx, in the order it is written.
bool quarto_dato_segnale(int32_t rapp, int32_t sx, int32_t dx,
                         int32_t& risultato);
// The approach mark of the cell 2b before a signal whose sides give
// `lati` = sx × 3 + dx: its low 8 bits; none when lati × 10 + b does not fit
// 32 bits.
std::optional<uint8_t> segno_segnale(int64_t lati, int b);

// A time value from 1 to 100 is raised to 101, and only a signal with sx 2
// keeps one (its low 8 bits).
int32_t tempo_alzato(int32_t tempo);
uint8_t tempo_in_cella(int32_t sx, int32_t tempo);
// The time value to write for a stored byte: one from 1 to 100 can only come
// from a value 256 higher.
int64_t tempo_scritto(uint8_t tempo);

// (x, y) = (floor(dato / 10), dato mod 10): s1 and d1 from dato1, and so on.
std::pair<int64_t, int64_t> coppia_del_dato(int64_t dato);
// sx × 3 + dx as the last digit of dato4, which it is when rapp is written
// in whole numbers and sx × 3 + dx is below 10, as in most signals.
int64_t lati_naturali(const cella& c);
// sx and dx from sx × 3 + dx: a stored time value says sx is 2.
std::pair<int64_t, int64_t> lati_divisi(int64_t lati, uint8_t tempo);
// A signal's values from its cell, with sx × 3 + dx taken as `lati` (the
// last digit of dato4 is only the likeliest) and s1 × 10 + d1 as `dato1` (a
// station's stop cell written over a signal keeps the rest).
valori_segnale decodifica_segnale(const cella& c, int64_t lati, int16_t dato1);
inline valori_segnale decodifica_segnale(const cella& c) {
  return decodifica_segnale(c, lati_naturali(c), c.dato1);
}

// --- Speed boards ------------------------------------------------------------
// One value of a speed board packs its left and right speeds (km/h) as
// round(right / 5 + left × 20), an Integer; dato4 packs the stripes as left ×
// 10 + right. Authors write multiples of 5, so the hundreds of the value give
// left / 5 and the rest right / 5, for any right speed below 500 km/h.
struct velocita_lati {
  int64_t sinistra = 0, destra = 0;
};
// False when the value does not fit an Integer.
bool codifica_velocita_cartello(int32_t sinistra, int32_t destra,
                                int16_t& dato);
velocita_lati decodifica_velocita_cartello(int16_t dato);
int16_t codifica_strisce(int16_t sinistra, int16_t destra);
velocita_lati decodifica_strisce(int16_t dato4);

// --- Profiles: speed and gradient --------------------------------------------
// A cell's speed is the train's maximum speed in km/h / 5, rounded; false when
// it does not fit a byte.
bool codifica_velocita(int32_t kmh, uint8_t& byte);
int decodifica_velocita(uint8_t byte);
// The speed a value in km/h is kept as: the nearest multiple of 5.
int64_t velocita_tenuta(int64_t kmh);

// A cell's gradient is the gradient per mille + 100, its low 8 bits; false
// when the sum does not fit 32 bits.
bool codifica_pendenza(int32_t per_mille, uint8_t& byte);
int decodifica_pendenza(uint8_t byte);
// The gradient per mille that a value reads back as once stored.
int64_t pendenza_tenuta(int64_t per_mille);

// --- Board texts -------------------------------------------------------------
// A board text's cell holds in dato1 the number of the record that keeps its
// text: the records from 80 downward, one a board in line order.
int16_t codifica_record_cartello(int32_t record);
// The record that a board text's dato1 names when the table has one of that
// number (0 to 86); none otherwise.
std::optional<int32_t> decodifica_record_cartello(int16_t dato1);

// --- Station times -----------------------------------------------------------
// A station's scheduled time is kept in seconds after midnight, (h × 60 + m) ×
// 60 + s, each step computed in 32 bits; false when a step does not fit,
// `orario` then unchanged.
bool codifica_orario(int32_t ore, int32_t minuti, int32_t secondi,
                     int32_t& orario);
// The hours, minutes and seconds that encode to `orario` again: minutes and
// seconds from 0 to 59 by floor division, whatever the sign; the hours as
// many as it takes (24 and more past midnight, negative before it).
struct ora_stazione {
  int64_t ore = 0, minuti = 0, secondi = 0;
};
ora_stazione decodifica_orario(int32_t orario);

// --- Kilometric progressions (records 81 to 83) ------------------------------
// A decreasing progression (segno 1) is stored 100 m above the value written.
int64_t valore_progressiva(int32_t valore, int32_t segno);

#endif  // TABLES_VALORI_CELLE_H_
