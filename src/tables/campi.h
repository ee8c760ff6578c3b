// One table per record: the fields of a cell and of a station record, in file
// order, each with its name, its width and its meaning. The encoder, the
// decoder and every view of the records walk these tables, so a field is
// listed in one place only.
#ifndef TABLES_CAMPI_H_
#define TABLES_CAMPI_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "tables/tabelle.h"

// A field of record type R: which member it is decides its width in the files
// (uint8_t: Byte, int16_t: Integer, int32_t: Long, std::string: a 16-bit byte
// count and the Windows-1252 bytes).
template <typename R>
using membro =
    std::variant<uint8_t R::*, int16_t R::*, int32_t R::*, std::string R::*>;

template <typename R>
struct campo {
  std::string_view nome;
  membro<R> dove;
  std::string_view significato;
};

// The bytes a fixed-width field takes in the files (a text: its count only).
template <typename R>
constexpr std::size_t byte_del_campo(const campo<R>& f) {
  constexpr std::size_t larghezze[] = {1, 2, 4, 2};
  return larghezze[f.dove.index()];
}

// A number field's value, widened; 0 for a text.
template <typename R>
int64_t valore_numerico(const campo<R>& f, const R& r) {
  return std::visit(
      [&r](auto m) -> int64_t {
        if constexpr (std::is_same_v<decltype(m), std::string R::*>) {
          return 0;
        } else {
          return r.*m;
        }
      },
      f.dove);
}

bool campo_di_testo(const campo<stazione>& f);

// clang-format off
// Cells: 15 bytes each.
inline constexpr std::array<campo<cella>, 11> campi_cella = {{
    {"tipo", &cella::tipo, "kind of the item in the cell, 0 = nothing"},
    {"dato1", &cella::dato1, "first value of the item"},
    {"dato2", &cella::dato2, "second value of the item"},
    {"dato3", &cella::dato3, "third value of the item"},
    {"dato4", &cella::dato4, "fourth value of the item"},
    {"tempo", &cella::tempo, "a signal's time value"},
    {"avvicinamento", &cella::avvicinamento, "approach mark before a signal or a station's end"},
    {"montagna", &cella::montagna, "tunnel kind, 0 = no tunnel"},
    {"velocita", &cella::velocita, "the train's maximum speed / 5"},
    {"pendenza", &cella::pendenza, "gradient per mille + 100"},
    {"aderenza", &cella::aderenza, "adhesion"},
}};

// Station records: 34 bytes plus the length of the name.
inline constexpr std::array<campo<stazione>, 16> campi_stazione = {{
    {"tipo", &stazione::tipo, "station kind"},
    {"inizio", &stazione::inizio, "first metre of the station area"},
    {"fine", &stazione::fine, "last metre of the station area"},
    {"posizione", &stazione::posizione, "position in metres"},
    {"campo4", &stazione::campo4, "4th value of the station line"},
    {"nome", &stazione::nome, "station name, or a board's text"},
    {"campo7", &stazione::campo7, "7th value"},
    {"campo8", &stazione::campo8, "8th value"},
    {"campo10", &stazione::campo10, "10th value"},
    {"campo11", &stazione::campo11, "11th value"},
    {"campo12", &stazione::campo12, "12th value"},
    {"campo9", &stazione::campo9, "9th value"},
    {"campo13", &stazione::campo13, "13th value"},
    {"campo6", &stazione::campo6, "6th value: the area is 50 m longer"},
    {"campo5", &stazione::campo5, "5th value"},
    {"orario", &stazione::orario, "scheduled time, seconds after midnight"},
}};
// clang-format on

// Records 81 to 86 hold the kilometric progressions and the general data of
// the line and the train in fields named for a station. The name of a field
// there says what it really holds ("percentuale_massa_frenata" for `inizio`
// of record 84); elsewhere it is the field's own name.
std::string_view nome_del_campo(int record, const campo<stazione>& f);

// Typed access to the general data: what each field of records 84 to 86
// holds, and the three progressions of records 81 to 83.
template <typename Tabella>
class dati_generali {
 public:
  explicit dati_generali(Tabella& t) : t_(t) {}

  // Record 84: the train and the route.
  auto& massa_frenata() const { return t_[record_treno].inizio; }
  auto& lunghezza_percorso() const { return t_[record_treno].fine; }
  auto& numero_vetture() const { return t_[record_treno].posizione; }
  // Record 85: the line.
  auto& sfondo_uno() const { return t_[record_linea].inizio; }
  auto& sfondo_due() const { return t_[record_linea].posizione; }
  auto& sfondo_tre() const { return t_[record_linea].fine; }
  auto& nome_linea() const { return t_[record_linea].nome; }
  auto& valore_riservato() const { return t_[record_linea].campo7; }
  auto& codice_gara_st() const { return t_[record_linea].orario; }
  // Record 86: the cab-signal repetition, the train code, sand and clock.
  auto& ripetizione_inizio() const { return t_[record_nome_treno].inizio; }
  auto& ripetizione_fine() const { return t_[record_nome_treno].fine; }
  auto& ripetizione_codici() const { return t_[record_nome_treno].posizione; }
  auto& codice_treno() const { return t_[record_nome_treno].nome; }
  auto& sabbia() const { return t_[record_nome_treno].campo7; }
  auto& orologio_ore() const { return t_[record_nome_treno].campo10; }
  auto& orologio_minuti() const { return t_[record_nome_treno].campo11; }
  auto& orologio_secondi() const { return t_[record_nome_treno].campo12; }
  // Records 81 to 83: progression n (0 to 2) after ordering: its start, its
  // kilometric value in metres, and 1 when it decreases along the line.
  auto& progressiva_inizio(int n) const { return progressiva(n).inizio; }
  auto& progressiva_valore(int n) const { return progressiva(n).fine; }
  auto& progressiva_segno(int n) const { return progressiva(n).posizione; }

 private:
  auto& progressiva(int n) const {
    return t_[static_cast<std::size_t>(record_progressiva_tre + n)];
  }
  Tabella& t_;
};

template <typename Tabella>
dati_generali(Tabella&) -> dati_generali<Tabella>;

#endif  // TABLES_CAMPI_H_
