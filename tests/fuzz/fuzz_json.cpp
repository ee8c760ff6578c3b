// Arbitrary bytes as the two descriptions and as the names of their files,
// through `check`, with --json or without: the JSON document must parse
// whatever the bytes, and the lines for people must hold no raw control
// character. Input: a byte whose low bit asks for JSON, then the line file's
// name, the train-run file's name, the line description and the train-run
// description, separated by NUL bytes. The files are written into a folder of
// the process's own.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "dividi.h"
#include "commands/compila.h"

namespace {

namespace fs = std::filesystem;

const fs::path& cartella() {
  static const fs::path c = [] {
    fs::path p =
        fs::temp_directory_path() / ("fuzz_json_" + std::to_string(::getpid()));
    fs::create_directories(p);
    return p;
  }();
  return c;
}

// A file name made of the input's bytes: no separator, no NUL, not too long,
// and never "." or "..".
std::string nome_file(std::string nome, const char* di_riserva) {
  for (char& c : nome) {
    if (c == '/') c = '_';
  }
  if (nome.size() > 100) nome.resize(100);
  if (nome.empty() || nome == "." || nome == "..") nome = di_riserva;
  return nome;
}

std::string scrivi(const std::string& nome, const std::string& contenuto) {
  const fs::path via = cartella() / nome;
  std::ofstream(via, std::ios::binary) << contenuto;
  return via.string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, std::size_t quanti) {
  if (quanti == 0) return 0;
  const bool json = (dati[0] & 1) != 0;
  const std::string_view byte(reinterpret_cast<const char*>(dati + 1),
                              quanti - 1);
  const std::vector<std::string> parti =
      dividi(byte, std::string_view("\0", 1), 4);
  std::string linea = nome_file(parti[0], "l");
  std::string treno = nome_file(parti[1], "t");
  if (treno == linea) treno += "_t";
  opzioni_compila o;
  o.linea = scrivi(linea, parti[2]);
  o.treno = scrivi(treno, parti[3]);
  o.json = json;
  std::ostringstream uscita, errori;
  esegui_controlla(o, uscita, errori);
  // JSON escapes what it must (a DEL may stay raw); the lines for people must
  // hold no control character at all.
  if (json) (void)nlohmann::json::parse(uscita.str());  // throws if invalid
  if (con_controlli(errori.str()) || (!json && con_controlli(uscita.str())))
    std::abort();
  fs::remove(o.linea);
  fs::remove(o.treno);
  return 0;
}
