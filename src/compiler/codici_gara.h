// The two competition codes of a scenario, computed from the train code and the
// line name held in records 86 and 85 of the station table.
#ifndef COMPILER_CODICI_GARA_H_
#define COMPILER_CODICI_GARA_H_

#include <cstdint>
#include <string>

#include "tables/tabelle.h"

// The 25 characters that both codes are computed from: train code and line name
// joined, lower-cased in Windows-1252, then the filler
// "aabbccddeeffgghhiillmmnnoo".
std::string testo_codice_gara(const tabella_stazioni& stazioni);

// The plain sum of the character codes, 0 to 6375.
int32_t codice_gara_og(const tabella_stazioni& stazioni);
// The sum weighted by position (1 to 25), 0 to 82875: it needs 32 bits.
int32_t codice_gara_st(const tabella_stazioni& stazioni);

#endif  // COMPILER_CODICI_GARA_H_
