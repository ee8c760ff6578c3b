// Text positions as the protocol counts them: a line (ended by LF, CR LF or a
// lone CR) and a character offset in UTF-16 code units, or in bytes when the
// client and the server agreed on UTF-8; edits of a document; file URIs.
#ifndef LSP_TESTO_LSP_H_
#define LSP_TESTO_LSP_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class unita_posizione { utf16, utf8 };

// Where each line begins in `testo` (bytes); the first is 0.
std::vector<std::size_t> inizi_righe(std::string_view testo);

// Line `riga` (0-based) without its line end; empty past the end.
std::string_view riga_di(std::string_view testo, int riga);

// The byte offset of a position, clamped to the line and to the text.
std::size_t offset_di(std::string_view testo, int riga, int carattere,
                      unita_posizione u);

// The character offset of byte `byte` of a line (UTF-8), in the client's unit.
int carattere_di(std::string_view riga, std::size_t byte, unita_posizione u);

// The byte of a line where its code point number `n` (0-based) begins.
std::size_t byte_del_punto(std::string_view riga, std::size_t n);

// Replaces the text between two positions with `nuovo`.
void sostituisci_intervallo(std::string& testo, int riga_da, int car_da,
                            int riga_a, int car_a, std::string_view nuovo,
                            unita_posizione u);

// The local path of a file:// URI, percent-decoded; nothing for another URI.
std::optional<std::string> percorso_da_uri(std::string_view uri);
std::string uri_da_percorso(std::string_view percorso);

// `s` without the blanks and tabs at its ends.
std::string_view senza_spazi(std::string_view s);

#endif  // LSP_TESTO_LSP_H_
