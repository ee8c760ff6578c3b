#include "tables/piano_su_file.h"

#include <algorithm>
#include <string>

#include "core/codifica.h"

namespace {

constexpr std::size_t blocchi_tenuti = 8;
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
      buffer_.resize(pieni_ + byte_per_lettura);
      std::size_t letti = 0;
      esito_ = f_.leggi(inizio_ + pieni_, buffer_.data() + pieni_,
                        byte_per_lettura, letti);
      pieni_ += letti;
      fine_ = !esito_.ok || letti < byte_per_lettura;
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

bool fallisci(errore_decodifica& e, uint64_t offset, messaggio motivo) {
  e.offset = static_cast<std::size_t>(offset);
  e.motivo = std::move(motivo);
  return false;
}

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

blocchi_piano::blocchi_piano(std::shared_ptr<lettore_file> file,
                             int32_t metri,
                             std::array<std::vector<uint64_t>, 2> inizi)
    : file_(std::move(file)), metri_(metri), inizi_(std::move(inizi)) {
  tenuti_.resize(blocchi_tenuti);
}

const blocchi_piano::blocco_letto& blocchi_piano::blocco(int asse,
                                                         int32_t metro) const {
  const int32_t numero = metro / metri_per_blocco;
  const blocco_letto* ultimo = ultimo_[static_cast<std::size_t>(asse)];
  if (ultimo != nullptr && ultimo->numero == numero && ultimo->asse == asse)
    return *ultimo;
  blocco_letto* scelto = &tenuti_[0];
  for (blocco_letto& b : tenuti_) {
    if (b.asse == asse && b.numero == numero) {
      scelto = &b;
      break;
    }
    if (b.uso < scelto->uso) scelto = &b;
  }
  if (scelto->asse != asse || scelto->numero != numero) {
    scelto->asse = asse;
    scelto->numero = numero;
    leggi_blocco(*scelto);
  }
  scelto->uso = ++orologio_;
  ultimo_[static_cast<std::size_t>(asse)] = scelto;
  return *scelto;
}

// The file was checked whole when it was indexed; should it fail or change
// under the reader since, what cannot be read is Empty.
void blocchi_piano::leggi_blocco(blocco_letto& b) const {
  const int32_t primo = b.numero * metri_per_blocco;
  const int32_t quanti = std::min(metri_per_blocco, metri_ - primo);
  // The buffer is kept from block to block: only the bytes read are looked at.
  dati_.resize(static_cast<std::size_t>(quanti) * byte_massimi_elemento);
  std::size_t letti = 0;
  const uint64_t inizio =
      inizi_[static_cast<std::size_t>(b.asse)][static_cast<std::size_t>(b.numero)];
  int32_t i = 0;
  if (file_->leggi(inizio, dati_.data(), dati_.size(), letti).ok) {
    for (std::size_t pos = 0; i < quanti && pos + 2 <= letti; ++i) {
      const int16_t etichetta = prendi_i16(dati_.data() + pos);
      if (!etichetta_nota(etichetta)) break;
      const auto tipo = static_cast<tipo_variante>(etichetta);
      if (pos + byte_elemento(tipo) > letti) break;
      const auto k = static_cast<std::size_t>(i);
      b.tipi[k] = tipo;
      b.valori[k] = tipo == tipo_variante::doppio
                        ? prendi_f64(dati_.data() + pos + 2)
                    : tipo == tipo_variante::intero
                        ? prendi_i16(dati_.data() + pos + 2)
                        : 0.0;
      pos += byte_elemento(tipo);
    }
  }
  // What could not be read is Empty.
  std::fill(b.tipi.begin() + i, b.tipi.end(), tipo_variante::vuoto);
  std::fill(b.valori.begin() + i, b.valori.end(), 0.0);
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
  piano.da_blocchi(
      std::make_shared<blocchi_piano>(std::move(file), metri, std::move(inizi)));
  return true;
}

bool decodifica_piano(std::string_view dati, coordinate_piano& piano,
                      errore_decodifica& e) {
  return decodifica_piano(lettore_in_memoria(std::string(dati)), piano, e);
}
