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

// clang-format on

// The fields that an item writes: its kind, its values (dato1 to dato4 and
// tempo) and the approach mark. The fields after them are the profiles that
// every cell carries (tunnel, speed, gradient, adhesion).
inline constexpr std::span<const campo<cella>> campi_elemento{
    campi_cella.data(), 7};
inline constexpr std::span<const campo<cella>> valori_elemento{
    campi_cella.data() + 1, 5};
static_assert(campi_cella[5].nome == "tempo" &&
              campi_cella[6].nome == "avvicinamento");

// clang-format off
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
// the line and the train in fields named for a station. Each such field is
// named here once, with its record and the station field that holds it: the
// typed access below and the views of the records (`nome_del_campo`) both
// read this list.
template <typename T>
struct campo_generale {
  int record;  // 81 stands for each of the three progressions, 81 to 83
  T stazione::*dove;
  std::string_view nome;
};

namespace generali {
// Records 81 to 83: a progression's start, its kilometric value in metres,
// and 1 when it decreases along the line.
inline constexpr campo_generale<int32_t> progressiva_inizio{
    record_progressiva_tre, &stazione::inizio, "inizio"};
inline constexpr campo_generale<int32_t> progressiva_valore{
    record_progressiva_tre, &stazione::fine, "progressiva"};
inline constexpr campo_generale<int32_t> progressiva_segno{
    record_progressiva_tre, &stazione::posizione, "decrescente"};
// Record 84: the train and the route.
inline constexpr campo_generale<int32_t> massa_frenata{
    record_treno, &stazione::inizio, "percentuale_massa_frenata"};
inline constexpr campo_generale<int32_t> lunghezza_percorso{
    record_treno, &stazione::fine, "lunghezza_percorso"};
inline constexpr campo_generale<int32_t> numero_vetture{
    record_treno, &stazione::posizione, "numero_vetture"};
// Record 85: the line.
inline constexpr campo_generale<int32_t> sfondo_uno{
    record_linea, &stazione::inizio, "sfondo_uno"};
inline constexpr campo_generale<int32_t> sfondo_due{
    record_linea, &stazione::posizione, "sfondo_due"};
inline constexpr campo_generale<int32_t> sfondo_tre{
    record_linea, &stazione::fine, "sfondo_tre"};
inline constexpr campo_generale<std::string> nome_linea{
    record_linea, &stazione::nome, "nome_linea"};
inline constexpr campo_generale<int16_t> valore_riservato{
    record_linea, &stazione::campo7, "valore_riservato"};
inline constexpr campo_generale<int32_t> codice_gara_st{
    record_linea, &stazione::orario, "codice_gara_st"};
// Record 86: the cab-signal repetition, the train code, sand and clock.
inline constexpr campo_generale<int32_t> ripetizione_inizio{
    record_nome_treno, &stazione::inizio, "ripetizione_inizio"};
inline constexpr campo_generale<int32_t> ripetizione_fine{
    record_nome_treno, &stazione::fine, "ripetizione_fine"};
inline constexpr campo_generale<int32_t> ripetizione_codici{
    record_nome_treno, &stazione::posizione, "ripetizione_codici"};
inline constexpr campo_generale<std::string> codice_treno{
    record_nome_treno, &stazione::nome, "codice_treno"};
inline constexpr campo_generale<int16_t> sabbia{record_nome_treno,
                                                &stazione::campo7, "sabbia"};
inline constexpr campo_generale<int16_t> orologio_ore{
    record_nome_treno, &stazione::campo10, "orologio_ore"};
inline constexpr campo_generale<int16_t> orologio_minuti{
    record_nome_treno, &stazione::campo11, "orologio_minuti"};
inline constexpr campo_generale<int16_t> orologio_secondi{
    record_nome_treno, &stazione::campo12, "orologio_secondi"};
}  // namespace generali

// The name of a field in `record`: what it really holds in records 81 to 86
// ("percentuale_massa_frenata" for `inizio` of record 84), elsewhere the
// field's own name.
std::string_view nome_del_campo(int record, const campo<stazione>& f);

// Typed access to the general data, through the fields named above.
template <typename Tabella>
class dati_generali {
 public:
  explicit dati_generali(Tabella& t) : t_(t) {}

  auto& massa_frenata() const { return di(generali::massa_frenata); }
  auto& lunghezza_percorso() const { return di(generali::lunghezza_percorso); }
  auto& numero_vetture() const { return di(generali::numero_vetture); }
  auto& sfondo_uno() const { return di(generali::sfondo_uno); }
  auto& sfondo_due() const { return di(generali::sfondo_due); }
  auto& sfondo_tre() const { return di(generali::sfondo_tre); }
  auto& nome_linea() const { return di(generali::nome_linea); }
  auto& valore_riservato() const { return di(generali::valore_riservato); }
  auto& codice_gara_st() const { return di(generali::codice_gara_st); }
  auto& ripetizione_inizio() const { return di(generali::ripetizione_inizio); }
  auto& ripetizione_fine() const { return di(generali::ripetizione_fine); }
  auto& ripetizione_codici() const { return di(generali::ripetizione_codici); }
  auto& codice_treno() const { return di(generali::codice_treno); }
  auto& sabbia() const { return di(generali::sabbia); }
  auto& orologio_ore() const { return di(generali::orologio_ore); }
  auto& orologio_minuti() const { return di(generali::orologio_minuti); }
  auto& orologio_secondi() const { return di(generali::orologio_secondi); }
  // Progression n (0 to 2) after ordering, in record 81 + n.
  auto& progressiva_inizio(int n) const {
    return di(generali::progressiva_inizio, n);
  }
  auto& progressiva_valore(int n) const {
    return di(generali::progressiva_valore, n);
  }
  auto& progressiva_segno(int n) const {
    return di(generali::progressiva_segno, n);
  }

 private:
  template <typename T>
  auto& di(const campo_generale<T>& g, int n = 0) const {
    return t_[static_cast<std::size_t>(g.record + n)].*g.dove;
  }
  Tabella& t_;
};

template <typename Tabella>
dati_generali(Tabella&) -> dati_generali<Tabella>;

#endif  // TABLES_CAMPI_H_
