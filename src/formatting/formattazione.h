// The canonical layout of both descriptions, as a pure function from a
// description's bytes to the formatted bytes (or a refusal with its reason).
//
// The layout: the lines before [generale] and the section headers as written;
// the fields of a line joined by a comma and one blank; in each section the
// values of the item lines aligned in columns by their display width, numbers
// to the right, a name or a quoted text last and unpadded; comments where they
// are and as they are; no blank at a line's start or at a line's end; at most one empty line in a
// row; CR LF line ends; the bytes of every field as written, so the encoding
// is kept.
//
// Nothing that the reader takes changes: the result is read (as a line
// description with and without its plan, and as a train run) into the same
// trace as the input, and a line whose change would alter it is left as
// written, as is everything from a value that the reader cannot read on.
#ifndef FORMATTING_FORMATTAZIONE_H_
#define FORMATTING_FORMATTAZIONE_H_

#include <string>
#include <string_view>

#include "core/diagnostica.h"

struct esito_formattazione {
  bool rifiutato = false;
  const char* motivo = nullptr;  // why it is refused, English (N_)
  std::string testo;             // the formatted bytes
  // The kind told from the content: the language whose keywords the text
  // holds more of.
  fonte_lettura fonte = fonte_lettura::descrizione_linea;
};

esito_formattazione formatta(std::string_view byte);

// The largest description that is formatted.
inline constexpr std::size_t dimensione_massima_formattazione = std::size_t{4}
                                                                << 20;

#endif  // FORMATTING_FORMATTAZIONE_H_
