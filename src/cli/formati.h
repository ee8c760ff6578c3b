// Small text forms shared by the views: times of day and real numbers.
#ifndef CLI_FORMATI_H_
#define CLI_FORMATI_H_

#include <cstdint>
#include <string>

// "09:57:00" for a time of day in seconds after midnight; empty for a
// negative value, which is not one.
std::string ora_del_giorno(int32_t secondi);

// A real number in at most six significant digits ("0.003", "69000").
std::string numero_breve(double x);
// A real number with one decimal ("448.5").
std::string numero_1(double x);

#endif  // CLI_FORMATI_H_
