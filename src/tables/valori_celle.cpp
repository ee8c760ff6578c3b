#include "tables/valori_celle.h"

#include <limits>

#include "core/aritmetica.h"

bool coppia_segnale(int32_t a, int32_t b, int32_t& risultato) {
  int32_t decine;
  return prodotto_32(a, 10, decine) && somma_32(decine, b, risultato);
}

bool lati_segnale(int32_t sx, int32_t dx, int32_t& risultato) {
  int32_t tripli;
  return prodotto_32(sx, 3, tripli) && somma_32(tripli, dx, risultato);
}

bool quarto_dato_segnale(int32_t rapp, int32_t sx, int32_t dx,
                         int32_t& risultato) {
  int32_t decine, tripli, somma;
  return prodotto_32(rapp, 10, decine) && prodotto_32(sx, 3, tripli) &&
         somma_32(decine, tripli, somma) && somma_32(somma, dx, risultato);
}

std::optional<uint8_t> segno_segnale(int64_t lati, int b) {
  int32_t stretti, segno;
  if (!entra_in_32(lati, stretti) || !coppia_segnale(stretti, b, segno))
    return std::nullopt;
  return static_cast<uint8_t>(segno);
}

int32_t tempo_alzato(int32_t tempo) {
  return tempo >= 1 && tempo <= 100 ? 101 : tempo;
}

uint8_t tempo_in_cella(int32_t sx, int32_t tempo) {
  return sx == 2 ? static_cast<uint8_t>(tempo) : 0;
}

int64_t tempo_scritto(uint8_t tempo) {
  return tempo >= 1 && tempo <= 100 ? tempo + 256 : tempo;
}

std::pair<int64_t, int64_t> coppia_del_dato(int64_t dato) {
  return {quoziente(dato, 10), resto(dato, 10)};
}

int64_t lati_naturali(const cella& c) { return resto(c.dato4, 10); }

std::pair<int64_t, int64_t> lati_divisi(int64_t lati, uint8_t tempo) {
  const int64_t sx = tempo != 0 ? 2 : quoziente(lati, 3);
  return {sx, lati - 3 * sx};
}

valori_segnale decodifica_segnale(const cella& c, int64_t lati, int16_t dato1) {
  const auto [sx, dx] = lati_divisi(lati, c.tempo);
  const auto [s1, d1] = coppia_del_dato(dato1);
  const auto [s2, d2] = coppia_del_dato(c.dato2);
  const auto [s3, d3] = coppia_del_dato(c.dato3);
  return {sx, s1, s2, s3, quoziente(c.dato4 - lati, 10), dx, d1, d2, d3};
}

bool codifica_velocita_cartello(int32_t sinistra, int32_t destra,
                                int16_t& dato) {
  // Computed as a real number and rounded to an Integer, as the reader does.
  const double valore = arrotonda(destra / 5.0 + sinistra * 20.0);
  if (valore < std::numeric_limits<int16_t>::min() ||
      valore > std::numeric_limits<int16_t>::max()) {
    return false;
  }
  dato = static_cast<int16_t>(valore);
  return true;
}

velocita_lati decodifica_velocita_cartello(int16_t dato) {
  return {quoziente(dato, 100) * 5, resto(dato, 100) * 5};
}

int16_t codifica_strisce(int16_t sinistra, int16_t destra) {
  return static_cast<int16_t>(static_cast<uint16_t>(sinistra * 10 + destra));
}

velocita_lati decodifica_strisce(int16_t dato4) {
  const auto [sinistra, destra] = coppia_del_dato(dato4);
  return {sinistra, destra};
}

bool codifica_velocita(int32_t kmh, uint8_t& byte) {
  const double quinto = arrotonda(kmh / 5.0);
  if (quinto < 0 || quinto > 255) return false;
  byte = static_cast<uint8_t>(quinto);
  return true;
}

int decodifica_velocita(uint8_t byte) { return byte * 5; }

int64_t velocita_tenuta(int64_t kmh) {
  return static_cast<int64_t>(arrotonda(static_cast<double>(kmh) / 5)) * 5;
}

bool codifica_pendenza(int32_t per_mille, uint8_t& byte) {
  int32_t valore;
  if (!somma_32(per_mille, 100, valore)) return false;
  byte = static_cast<uint8_t>(valore);
  return true;
}

int decodifica_pendenza(uint8_t byte) { return int{byte} - 100; }

int64_t pendenza_tenuta(int64_t per_mille) {
  return decodifica_pendenza(static_cast<uint8_t>(per_mille + 100));
}

int64_t valore_progressiva(int32_t valore, int32_t segno) {
  return segno == 1 ? int64_t{valore} - 100 : valore;
}

int16_t codifica_record_cartello(int32_t record) {
  return static_cast<int16_t>(record);
}

std::optional<int32_t> decodifica_record_cartello(int16_t dato1) {
  if (dato1 < 0 || dato1 >= numero_stazioni) return std::nullopt;
  return dato1;
}

bool codifica_orario(int32_t ore, int32_t minuti, int32_t secondi,
                     int32_t& orario) {
  int32_t x;
  if (!prodotto_32(ore, 60, x) || !somma_32(x, minuti, x) ||
      !prodotto_32(x, 60, x) || !somma_32(x, secondi, x))
    return false;
  orario = x;
  return true;
}

ora_stazione decodifica_orario(int32_t orario) {
  return {quoziente(orario, 3600), quoziente(resto(orario, 3600), 60),
          resto(orario, 60)};
}
