#include "cli/colore.h"

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <iostream>

#include "cli/rapporto.h"

namespace {

constexpr std::string_view rosso = "\x1b[1;31m";
constexpr std::string_view giallo = "\x1b[1;33m";
constexpr std::string_view normale = "\x1b[0m";

struct parola_colorata {
  std::string_view prima;  // what stands before the word
  std::string parola;      // the word coloured
  std::string_view tinta;
};

// The words as the report lines say them in the language of the run.
std::array<parola_colorata, 3> parole() {
  return {{
      {": ", parola_gravita(gravita::errore), rosso},
      {": ", parola_gravita(gravita::avviso), giallo},
      {" ", parola_errore_fatale(), rosso},
  }};
}

// The position of the word of `p` in `riga`: after its prefix and followed by
// a blank, a colon or the end.
std::size_t trova(std::string_view riga, const parola_colorata& p) {
  const std::string cercata = std::string(p.prima) + p.parola;
  for (std::size_t da = riga.find(cercata); da != std::string_view::npos;
       da = riga.find(cercata, da + 1)) {
    const std::size_t dopo = da + cercata.size();
    if (dopo == riga.size() || riga[dopo] == ' ' || riga[dopo] == ':')
      return da + p.prima.size();
  }
  return std::string_view::npos;
}

// Collects a line and hands it on whole, so that the colour codes never split
// a multi-byte letter or a word.
class filtro_righe : public std::streambuf {
 public:
  filtro_righe(std::streambuf* destinazione, bool con_colori)
      : destinazione_(destinazione), con_colori_(con_colori) {}
  ~filtro_righe() override { sync(); }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return 0;
    riga_ += traits_type::to_char_type(c);
    if (c == '\n') return scarica() ? c : traits_type::eof();
    return c;
  }
  int sync() override {
    if (!scarica()) return -1;
    return destinazione_->pubsync();
  }

 private:
  bool scarica() {
    if (riga_.empty()) return true;
    const std::string testo = con_colori_ ? colora_riga(riga_) : riga_;
    riga_.clear();
    const auto scritti = destinazione_->sputn(
        testo.data(), static_cast<std::streamsize>(testo.size()));
    return scritti == static_cast<std::streamsize>(testo.size());
  }

  std::streambuf* destinazione_;
  bool con_colori_;
  std::string riga_;
};

}  // namespace

bool colori_richiesti(bool terminale, const char* no_color, const char* term) {
  if (!terminale) return false;
  if (no_color != nullptr && no_color[0] != '\0') return false;
  return term == nullptr || std::string_view(term) != "dumb";
}

std::string colora_riga(std::string_view riga) {
  std::size_t primo = std::string_view::npos;
  const std::array<parola_colorata, 3> cercate = parole();
  const parola_colorata* scelta = nullptr;
  for (const parola_colorata& p : cercate) {
    const std::size_t dove = trova(riga, p);
    if (dove < primo) {
      primo = dove;
      scelta = &p;
    }
  }
  if (scelta == nullptr) return std::string(riga);
  const std::size_t fine = primo + scelta->parola.size();
  return std::string(riga.substr(0, primo)) + std::string(scelta->tinta) +
         scelta->parola + std::string(normale) + std::string(riga.substr(fine));
}

flusso_colorato::flusso_colorato(std::ostream& destinazione, bool con_colori)
    : filtro_(std::make_unique<filtro_righe>(destinazione.rdbuf(), con_colori)),
      flusso_(filtro_.get()) {}

flusso_colorato::~flusso_colorato() { flusso_.flush(); }

std::unique_ptr<flusso_colorato> errori_del_programma() {
  const bool colori =
      colori_richiesti(::isatty(STDERR_FILENO) == 1, std::getenv("NO_COLOR"),
                       std::getenv("TERM"));
  return std::make_unique<flusso_colorato>(std::cerr, colori);
}
