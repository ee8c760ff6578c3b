#include "compiler/decodifica.h"

#include <bit>
#include <cstdint>

#include "compiler/formato.h"

namespace {

// Reads little-endian values from a byte range, remembering where it stands.
class lettore_binario {
 public:
  explicit lettore_binario(std::string_view dati) : dati_(dati) {}

  std::size_t offset() const { return pos_; }
  std::size_t resto() const { return dati_.size() - pos_; }
  bool ha(std::size_t quanti) const { return resto() >= quanti; }

  uint8_t byte() { return static_cast<uint8_t>(dati_[pos_++]); }
  int16_t intero() {
    return static_cast<int16_t>(static_cast<uint16_t>(senza_segno(2)));
  }
  int32_t lungo() {
    return static_cast<int32_t>(static_cast<uint32_t>(senza_segno(4)));
  }
  double doppio() { return std::bit_cast<double>(senza_segno(8)); }
  std::string testo(std::size_t quanti) {
    std::string t(dati_.substr(pos_, quanti));
    pos_ += quanti;
    return t;
  }

 private:
  uint64_t senza_segno(int byte) {
    uint64_t valore = 0;
    for (int i = 0; i < byte; ++i)
      valore |= uint64_t{static_cast<uint8_t>(dati_[pos_++])} << (8 * i);
    return valore;
  }

  std::string_view dati_;
  std::size_t pos_ = 0;
};

bool fallisci(errore_decodifica& e, std::size_t offset, std::string motivo) {
  e.offset = offset;
  e.motivo = std::move(motivo);
  return false;
}

}  // namespace

bool decodifica_celle(std::string_view dati, std::vector<cella>& celle,
                      errore_decodifica& e) {
  if (dati.empty()) return fallisci(e, 0, "file vuoto");
  if (dati.size() % byte_per_cella != 0) {
    return fallisci(e, dati.size() - dati.size() % byte_per_cella,
                    "cella incompleta");
  }
  lettore_binario l(dati);
  celle.clear();
  celle.reserve(dati.size() / byte_per_cella);
  while (l.resto() > 0) {
    cella c;
    c.tipo = l.byte();
    c.dato1 = l.intero();
    c.dato2 = l.intero();
    c.dato3 = l.intero();
    c.dato4 = l.intero();
    c.tempo = l.byte();
    c.avvicinamento = l.byte();
    c.montagna = l.byte();
    c.velocita = l.byte();
    c.pendenza = l.byte();
    c.aderenza = l.byte();
    celle.push_back(c);
  }
  return true;
}

bool decodifica_stazioni(std::string_view dati, tabella_stazioni& stazioni,
                         errore_decodifica& e) {
  lettore_binario l(dati);
  for (int n = 0; n < numero_stazioni; ++n) {
    const std::size_t inizio = l.offset();
    if (!l.ha(16))
      return fallisci(e, inizio, "record " + std::to_string(n) + " troncato");
    stazione& r = stazioni[static_cast<std::size_t>(n)];
    r.tipo = l.byte();
    r.inizio = l.lungo();
    r.fine = l.lungo();
    r.posizione = l.lungo();
    r.campo4 = l.byte();
    const auto lunghezza = static_cast<uint16_t>(l.intero());
    if (!l.ha(lunghezza + byte_fissi_stazione - 16)) {
      return fallisci(e, l.offset(),
                      "record " + std::to_string(n) + " troncato");
    }
    r.nome = l.testo(lunghezza);
    r.campo7 = l.intero();
    r.campo8 = l.intero();
    r.campo10 = l.intero();
    r.campo11 = l.intero();
    r.campo12 = l.intero();
    r.campo9 = l.byte();
    r.campo13 = l.byte();
    r.campo6 = l.byte();
    r.campo5 = l.byte();
    r.orario = l.lungo();
  }
  if (l.resto() > 0) return fallisci(e, l.offset(), "byte dopo il record 86");
  return true;
}

bool decodifica_piano(std::string_view dati, coordinate_piano& piano,
                      errore_decodifica& e) {
  lettore_binario l(dati);
  std::vector<tipo_variante> tipi;
  std::vector<double> valori;
  while (l.resto() > 0) {
    const std::size_t inizio = l.offset();
    if (!l.ha(byte_vuoto)) return fallisci(e, inizio, "elemento troncato");
    const int16_t tipo = l.intero();
    switch (tipo) {
      case static_cast<int16_t>(tipo_variante::vuoto):
        tipi.push_back(tipo_variante::vuoto);
        valori.push_back(0.0);
        break;
      case static_cast<int16_t>(tipo_variante::intero):
        if (!l.ha(byte_intero - byte_vuoto))
          return fallisci(e, inizio, "elemento troncato");
        tipi.push_back(tipo_variante::intero);
        valori.push_back(l.intero());
        break;
      case static_cast<int16_t>(tipo_variante::doppio):
        if (!l.ha(byte_doppio - byte_vuoto))
          return fallisci(e, inizio, "elemento troncato");
        tipi.push_back(tipo_variante::doppio);
        valori.push_back(l.doppio());
        break;
      default:
        return fallisci(e, inizio,
                        "tipo di elemento sconosciuto " + std::to_string(tipo));
    }
  }
  if (tipi.empty()) return fallisci(e, 0, "file vuoto");
  if (tipi.size() % 2 != 0)
    return fallisci(e, dati.size(), "numero dispari di elementi");
  const std::size_t meta = tipi.size() / 2;
  for (int asse = 0; asse < 2; ++asse) {
    const auto da = static_cast<std::ptrdiff_t>(asse * meta);
    const auto a = da + static_cast<std::ptrdiff_t>(meta);
    piano.tipo[asse].assign(tipi.begin() + da, tipi.begin() + a);
    piano.valore[asse].assign(valori.begin() + da, valori.begin() + a);
  }
  return true;
}
