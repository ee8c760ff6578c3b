#include "tables/piano_su_file.h"

#include <algorithm>
#include <string>

#include "core/codifica.h"

namespace {

constexpr std::size_t byte_per_lettura = 1 << 16;

// Walks the file from its start, a buffer at a time, an element at a time.
class lettura_elementi {
 public:
  explicit lettura_elementi(lettore_file& f) : f_(f) {}

  // Whether `quanti` bytes from the current offset are in the file; reads
  // them into the buffer.
  bool ha(std::size_t quanti) {
    if (pieni_ - pos_ >= quanti) return true;
    buffer_.erase(0, pos_);
    inizio_ += pos_;
    pieni_ -= pos_;
    pos_ = 0;
    while (pieni_ < quanti && !fine_) {
      // No more than the file holds (one byte past its end finds the end):
      // the buffer is filled to the read's size, and most plans read by the
      // tests and the fuzzer are a few hundred bytes long.
      const uint64_t dove = inizio_ + pieni_;
      const uint64_t resto = f_.dimensione() > dove ? f_.dimensione() - dove : 0;
      const std::size_t voluti = static_cast<std::size_t>(
          std::clamp<uint64_t>(resto, 1, byte_per_lettura));
      buffer_.resize(pieni_ + voluti);
      std::size_t letti = 0;
      esito_ = f_.leggi(dove, buffer_.data() + pieni_, voluti, letti);
      pieni_ += letti;
      fine_ = !esito_.ok || letti < voluti;
    }
    return pieni_ >= quanti;
  }
  const char* qui() const { return buffer_.data() + pos_; }
  void avanza(std::size_t quanti) { pos_ += quanti; }
  uint64_t offset() const { return inizio_ + pos_; }
  const esito_file& esito() const { return esito_; }

 private:
  lettore_file& f_;
  std::string buffer_;
  std::size_t pos_ = 0, pieni_ = 0;
  uint64_t inizio_ = 0;
  bool fine_ = false;
  esito_file esito_;
};

bool etichetta_nota(int16_t etichetta) {
  return etichetta == static_cast<int16_t>(tipo_variante::vuoto) ||
         etichetta == static_cast<int16_t>(tipo_variante::intero) ||
         etichetta == static_cast<int16_t>(tipo_variante::doppio);
}

// One pass over the elements: each one's offset to `visita`, which returns
// false to stop. False, with `e` set, at the first element that does not
// decode.
template <typename Visita>
bool scorri_elementi(lettore_file& f, errore_decodifica& e, Visita visita) {
  lettura_elementi l(f);
  uint64_t n = 0;
  while (l.ha(1)) {
    const uint64_t inizio = l.offset();
    if (!l.ha(2)) return fallisci(e, inizio, {N_("element cut short")});
    const int16_t etichetta = prendi_i16(l.qui());
    if (!etichetta_nota(etichetta)) {
      return fallisci(
          e, inizio,
          {N_("unknown element kind {0}"), {std::to_string(etichetta)}});
    }
    const std::size_t byte =
        byte_elemento(static_cast<tipo_variante>(etichetta));
    if (!l.ha(byte)) return fallisci(e, inizio, {N_("element cut short")});
    visita(n++, inizio);
    l.avanza(byte);
  }
  return true;
}

}  // namespace

blocchi_su_file::blocchi_su_file(std::shared_ptr<lettore_file> file,
                                 int32_t metri,
                                 std::array<std::vector<uint64_t>, 2> inizi)
    : blocchi_piano(metri), file_(std::move(file)), inizi_(std::move(inizi)) {}

// The file was checked whole when it was indexed; should it fail or change
// under the reader since, what cannot be read is Empty.
void blocchi_su_file::leggi_blocco(blocco_letto& b) const {
  b.tipi.fill(tipo_variante::vuoto);
  b.valori.fill(0.0);
  const int32_t primo = b.numero * metri_per_blocco;
  const int32_t quanti = std::min(metri_per_blocco, metri() - primo);
  std::string dati(static_cast<std::size_t>(quanti) * byte_massimi_elemento,
                   '\0');
  std::size_t letti = 0;
  const uint64_t inizio = inizi_[static_cast<std::size_t>(b.asse)]
                                [static_cast<std::size_t>(b.numero)];
  if (!file_->leggi(inizio, dati.data(), dati.size(), letti).ok) return;
  std::size_t pos = 0;
  for (int32_t i = 0; i < quanti && pos + 2 <= letti; ++i) {
    const int16_t etichetta = prendi_i16(dati.data() + pos);
    if (!etichetta_nota(etichetta)) return;
    const auto tipo = static_cast<tipo_variante>(etichetta);
    if (pos + byte_elemento(tipo) > letti) return;
    const auto k = static_cast<std::size_t>(i);
    b.tipi[k] = tipo;
    if (tipo == tipo_variante::doppio) {
      b.valori[k] = prendi_f64(dati.data() + pos + 2);
    } else if (tipo == tipo_variante::intero) {
      b.valori[k] = prendi_i16(dati.data() + pos + 2);
    }
    pos += byte_elemento(tipo);
  }
}

bool decodifica_piano(std::shared_ptr<lettore_file> file,
                      coordinate_piano& piano, errore_decodifica& e) {
  uint64_t elementi = 0;
  if (!scorri_elementi(*file, e, [&](uint64_t, uint64_t) { ++elementi; }))
    return false;
  if (elementi == 0) return fallisci(e, 0, {N_("empty file")});
  if (elementi % 2 != 0)
    return fallisci(e, file->dimensione(), {N_("odd number of elements")});
  const uint64_t meta = elementi / 2;
  std::array<std::vector<uint64_t>, 2> inizi;
  scorri_elementi(*file, e, [&](uint64_t n, uint64_t offset) {
    const int asse = n < meta ? 0 : 1;
    if ((n - (asse == 0 ? 0 : meta)) % blocchi_piano::metri_per_blocco == 0)
      inizi[static_cast<std::size_t>(asse)].push_back(offset);
  });
  const auto metri = static_cast<int32_t>(meta);
  piano.da_blocchi(std::make_shared<blocchi_su_file>(std::move(file), metri,
                                                     std::move(inizi)));
  return true;
}

bool decodifica_piano(std::string_view dati, coordinate_piano& piano,
                      errore_decodifica& e) {
  return decodifica_piano(lettore_in_memoria(std::string(dati)), piano, e);
}
