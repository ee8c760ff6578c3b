// Arbitrary bytes as the two descriptions and as the names of their files,
// through `check`, with --json or without: the JSON document must parse
// whatever the bytes, and the lines for people must hold no raw control
// character. Input: a byte whose low bit asks for JSON, then the line file's
// name, the train-run file's name, the line description and the train-run
// description, separated by NUL bytes. The descriptions are handed over in
// memory, as if read from files of those names: check reads, converts,
// compiles, checks and prints them as it does files of the disk, and the
// fuzzer writes nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>

#include "commands/compila.h"
#include "dividi.h"
#include "ricompilazioni.h"

namespace {

// A file name made of the input's bytes: not too long, and never empty.
std::string nome_file(std::string nome, const char* di_riserva) {
  if (nome.size() > 100) nome.resize(100);
  if (nome.empty()) nome = di_riserva;
  return nome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  if (quanti == 0) return 0;
  const bool json = (dati[0] & 1) != 0;
  const std::string_view byte(reinterpret_cast<const char*>(dati + 1),
                              quanti - 1);
  std::vector<std::string> parti = dividi(byte, std::string_view("\0", 1), 4);
  opzioni_compila o;
  o.linea = nome_file(parti[0], "l");
  o.treno = nome_file(parti[1], "t");
  if (o.treno == o.linea) o.treno += "_t";
  o.json = json;
  // No compilation again without the faulty lines: forty, as check makes,
  // would cost forty compilations an input.
  o.ricompilazioni = ricompilazioni_fuzz;
  std::ostringstream uscita, errori;
  esegui_controlla_testi(o, std::move(parti[2]), std::move(parti[3]), uscita,
                         errori);
  // JSON escapes what it must (a DEL may stay raw); the lines for people must
  // hold no control character at all.
  // Checked by the parser's own grammar without building the document: the
  // same verdict as parsing it, for a fraction of the allocations.
  // The streams' own bytes are viewed, not copied.
  if (json && !nlohmann::json::accept(uscita.view())) std::abort();
  if (con_controlli(errori.view()) || (!json && con_controlli(uscita.view())))
    std::abort();
  return 0;
}
