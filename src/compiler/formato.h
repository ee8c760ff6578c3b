// The layout of the three binary files, shared by the writer and the decoder.
#ifndef COMPILER_FORMATO_H_
#define COMPILER_FORMATO_H_

#include <cstddef>

// File C: one record per cell, fields back to back.
inline constexpr std::size_t byte_per_cella = 15;
// File B: 87 records of 34 bytes plus the length of their name.
inline constexpr std::size_t byte_fissi_stazione = 34;
// File A: a plan element is Empty (2 bytes), Integer (4) or Double (10).
inline constexpr std::size_t byte_vuoto = 2;
inline constexpr std::size_t byte_intero = 4;
inline constexpr std::size_t byte_doppio = 10;

#endif  // COMPILER_FORMATO_H_
