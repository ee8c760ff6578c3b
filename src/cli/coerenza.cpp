#include "cli/coerenza.h"

#include "tables/campi.h"
#include "tables/formato.h"
#include "tables/metri.h"
#include "cli/lingua.h"

namespace {

constexpr int32_t lunghezza_massima = 1000000;
// The plan and the cells run this far beyond the route's end.
constexpr int32_t oltre_la_fine = 7000;

// The size of the route that the files describe, from either end.
struct misura_percorso {
  int64_t celle;  // cells 0 to celle - 1
  int64_t metri;  // metres 0 to metri - 1
};

misura_percorso da_lunghezza(int32_t lunghezza) {
  const int64_t ultimo = int64_t{lunghezza} + oltre_la_fine;
  return {cella_del_metro(static_cast<double>(ultimo), aggancio::tratto) + 1,
          ultimo + 1};
}

int64_t celle_del_piano(const coordinate_piano& p) {
  return cella_del_metro(p.ultimo_metro(), aggancio::tratto) + 1;
}

// The byte of the station file where the route length is stored.
std::size_t offset_lunghezza(const tabella_stazioni& t) {
  std::size_t offset = 0;
  for (int n = 0; n < record_treno; ++n) {
    offset += byte_fissi_stazione + t[static_cast<std::size_t>(n)].nome.size();
  }
  for (const campo<stazione>& f : campi_stazione) {
    if (f.dove == membro<stazione>(&stazione::fine)) break;
    offset += byte_del_campo(f);
  }
  return offset;
}

// The bytes of the plan's first `metri` elements of the x half, where the
// file's elements beyond the route would start.
std::size_t offset_metro(const coordinate_piano& p, int64_t metri) {
  std::size_t offset = 0;
  for (int64_t m = 0; m < metri; ++m)
    offset += byte_elemento(p.tipo(0, static_cast<std::size_t>(m)));
  return offset;
}

std::size_t byte_del_piano(const coordinate_piano& p) {
  std::size_t byte = 0;
  for (int asse = 0; asse < 2; ++asse) {
    for (int32_t m = 0; m <= p.ultimo_metro(); ++m)
      byte += byte_elemento(p.tipo(asse, m));
  }
  return byte;
}

// "what: 3001 cells expected, 2000 in the file", `forma` being the
// translated form for `attese`.
std::string attese(const char* cosa, const char* forma, int64_t attese,
                   int64_t trovate) {
  return sostituisci(
      cosa,
      {sostituisci(forma, {std::to_string(attese), std::to_string(trovate)})});
}

const char* celle_attese(int64_t n) {
  return traduci_plurale("{0} cell expected, {1} in the file",
                         "{0} cells expected, {1} in the file",
                         static_cast<unsigned long>(n));
}

const char* coordinate_attese(int64_t n) {
  return traduci_plurale("{0} coordinate per axis expected, {1} in the file",
                         "{0} coordinates per axis expected, {1} in the file",
                         static_cast<unsigned long>(n));
}

incoerenza celle_sbagliate(int64_t trovate, int64_t attese_) {
  const bool corto = trovate < attese_;
  const int64_t fino = corto ? trovate : attese_;
  return {file_binario::celle, static_cast<std::size_t>(fino) * byte_per_cella,
          attese(corto ? traduci("file cut short: {0}")
                       : traduci("cells beyond the route: {0}"),
                 celle_attese(attese_), attese_, trovate)};
}

incoerenza piano_sbagliato(const coordinate_piano& p, int64_t attesi) {
  const int64_t trovati = int64_t{p.ultimo_metro()} + 1;
  if (trovati < attesi) {
    return {file_binario::geometria, byte_del_piano(p),
            attese(traduci("file cut short: {0}"), coordinate_attese(attesi),
                   attesi, trovati)};
  }
  return {file_binario::geometria, offset_metro(p, attesi),
          attese(traduci("coordinates beyond the route: {0}"),
                 coordinate_attese(attesi), attesi, trovati)};
}

// Without the station table: the cells and the plan against each other.
std::optional<incoerenza> senza_stazioni(const insieme_decodificato& f) {
  if (f.celle == nullptr || f.piano == nullptr) return std::nullopt;
  const auto celle = static_cast<int64_t>(f.celle->size());
  const int64_t dal_piano = celle_del_piano(*f.piano);
  if (celle == dal_piano) return std::nullopt;
  if (celle < dal_piano) return celle_sbagliate(celle, dal_piano);
  const int64_t metri =
      metro_della_cella(celle - 1, aggancio::tratto) + 1;  // the cells' end
  return piano_sbagliato(*f.piano, metri);
}

}  // namespace

std::optional<incoerenza> controlla_insieme(const insieme_decodificato& f) {
  if (f.stazioni == nullptr) return senza_stazioni(f);
  const int32_t lunghezza = dati_generali(*f.stazioni).lunghezza_percorso();
  const std::size_t record_84 = offset_lunghezza(*f.stazioni);
  if (lunghezza < 0 || lunghezza > lunghezza_massima) {
    return incoerenza{
        file_binario::stazioni, record_84,
        sostituisci(traduci("route length {0} out of bounds (0 to 1000000 m)"),
                    {std::to_string(lunghezza)})};
  }
  const misura_percorso attesa = da_lunghezza(lunghezza);
  const bool celle_giuste =
      f.celle == nullptr ||
      static_cast<int64_t>(f.celle->size()) == attesa.celle;
  const bool piano_giusto =
      f.piano == nullptr ||
      int64_t{f.piano->ultimo_metro()} + 1 == attesa.metri;
  if (celle_giuste && piano_giusto) return std::nullopt;
  // The cells and the plan agree with each other but not with the route
  // length: the station table is the one that does not belong.
  if (f.celle != nullptr && f.piano != nullptr && !celle_giuste &&
      !piano_giusto && !senza_stazioni(f)) {
    return incoerenza{file_binario::stazioni, record_84,
                      sostituisci(traduci("route length {0} m differs from "
                                          "that of the cells and the plan"),
                                  {std::to_string(lunghezza)})};
  }
  if (!celle_giuste)
    return celle_sbagliate(static_cast<int64_t>(f.celle->size()), attesa.celle);
  return piano_sbagliato(*f.piano, attesa.metri);
}
