// The JSON-RPC framing of the language server: each message is a header of
// `Name: value` lines ended by an empty line, then exactly Content-Length
// bytes of JSON.
#ifndef LSP_TRASPORTO_H_
#define LSP_TRASPORTO_H_

#include <cstddef>
#include <string>

enum class esito_cornice { completo, incompleto, errato };

struct cornice {
  esito_cornice esito = esito_cornice::incompleto;
  std::string corpo;  // the message, when complete
};

// The largest message taken: a description is at most 64 MB, and its JSON
// string escapes some bytes.
inline constexpr std::size_t corpo_massimo = std::size_t{160} << 20;

// Takes the first message off the front of `buffer`. A header without a
// usable Content-Length is dropped from the buffer with whatever follows it up
// to the next Content-Length, and reported as `errato`, so that the reading
// goes on with the next message.
cornice estrai_messaggio(std::string& buffer);

// A message with its header, ready to be written.
std::string incornicia(const std::string& corpo);

#endif  // LSP_TRASPORTO_H_
