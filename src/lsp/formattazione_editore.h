// `fmt` for an editor's buffer: the text arrives and leaves as UTF-8.
#ifndef LSP_FORMATTAZIONE_EDITORE_H_
#define LSP_FORMATTAZIONE_EDITORE_H_

#include <optional>
#include <string>

// The buffer in the canonical layout, or nothing when `fmt` refuses it. A
// buffer that Windows-1252 can hold is formatted as the file on disk would be;
// any other is formatted as a UTF-8 description.
std::optional<std::string> formatta_per_editore(const std::string& utf8);

#endif  // LSP_FORMATTAZIONE_EDITORE_H_
