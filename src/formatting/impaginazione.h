// The canonical layout of a description's lines, before any proof: the lines
// as the file holds them, which of them stay as written, and the lines that
// take their place.
#ifndef FORMATTING_IMPAGINAZIONE_H_
#define FORMATTING_IMPAGINAZIONE_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct riga_testo {
  std::string contenuto;  // without its line end
  std::string fine;       // "\r\n", "\n", "\r", or "" for the last line
  std::string intera() const { return contenuto + fine; }
};

// The lines of a text, split at CR LF, a lone LF or a lone CR as the reader
// counts them; no empty line after a final line end.
std::vector<riga_testo> dividi_righe(std::string_view testo);

// The lines laid out: each line's new text with its line end, nullopt for an
// empty line dropped (one empty line before it is kept). Lines marked in
// `fisse` come out as written and take no part in the columns.
std::vector<std::optional<std::string>> impagina(
    const std::vector<riga_testo>& righe, const std::vector<bool>& fisse,
    bool utf8);

#endif  // FORMATTING_IMPAGINAZIONE_H_
