// The keywords of both descriptions and the substring tests that recognise
// them, in one table. A keyword is never compared whole: each has one or two
// substrings that must all occur in the field, with or without regard to case.
#ifndef READING_PAROLE_CHIAVE_H_
#define READING_PAROLE_CHIAVE_H_

#include <string_view>

enum class parola {
  // Start marker of both descriptions.
  generale,
  // General section of the line description.
  lunghezza_percorso,
  progressiva_tre,
  progressiva_due,
  progressiva_uno,
  sfondo_uno,
  sfondo_due,
  sfondo_tre,
  ripetizione_segnali,
  // Main part of the line description.
  pendenza,
  curva,
  montagna,
  indicatori_vmax,
  cartello_indicatore,
  // Train-run description, in the order of the reader's tests.
  massa_frenata,
  numero_vetture,
  velocita,
  aderenza,
  orologio,
  sabbia,
  segnale,
  rallentamento,
  abbattimento,
  stazione,
};

struct parola_chiave {
  parola chiave;
  std::string_view prima;    // substrings that must all occur in the field
  std::string_view seconda;  // empty when one is enough
  bool ogni_caso;            // compared without regard to case
};

const parola_chiave& prove_di(parola p);

// True when the field passes the keyword's tests.
bool riconosce(parola p, std::string_view campo);

// A section header ("[curve]") or the end marker ("[fine]"): a field with "["
// and "]".
bool intestazione(std::string_view campo);

#endif  // READING_PAROLE_CHIAVE_H_
