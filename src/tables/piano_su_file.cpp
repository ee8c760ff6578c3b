#include "tables/piano_su_file.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "core/codifica.h"

namespace {

constexpr std::size_t byte_per_lettura = 1 << 16;
// Blocks read at once by a walk in order: four (40 KB an axis) read the
// 990-km plan as fast as eight, for 80 KB less at report's peak.
constexpr std::size_t blocchi_letti_avanti = 4;

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
      const uint64_t resto =
          f_.dimensione() > dove ? f_.dimensione() - dove : 0;
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

// What one pass over the elements finds: how many there are, where every
// 1024th starts, and which elements a drawing cannot use.
struct indice_elementi {
  uint64_t elementi = 0;
  std::vector<uint64_t> inizi;  // of elements 0, 1024, 2048 ...
  // Of each such run of 1024, how many from its first are Doubles.
  std::vector<uint16_t> doppi_in_testa;
  // The first few elements that are Empty or a Double that is not finite;
  // `tutti_non_pieni` tells whether there were no more.
  std::vector<uint64_t> non_pieni;
  bool tutti_non_pieni = true;
};

constexpr std::size_t non_pieni_tenuti = 64;

void registra(indice_elementi& i, uint64_t offset, tipo_variante tipo,
              const char* dati) {
  const uint64_t n = i.elementi++;
  if (n % blocchi_piano::metri_per_blocco == 0) {
    i.inizi.push_back(offset);
    i.doppi_in_testa.push_back(0);
  }
  const bool doppio = tipo == tipo_variante::doppio;
  uint16_t& doppi = i.doppi_in_testa.back();
  if (doppio && doppi == n % blocchi_piano::metri_per_blocco) ++doppi;
  if (tipo == tipo_variante::intero ||
      (doppio && std::isfinite(prendi_f64(dati + 2))))
    return;
  if (i.non_pieni.size() < non_pieni_tenuti)
    i.non_pieni.push_back(n);
  else
    i.tutti_non_pieni = false;
}

// One pass over the elements, indexing them into `i`. False, with `e` set,
// at the first element that does not decode.
bool scorri_elementi(lettore_file& f, errore_decodifica& e,
                     indice_elementi& i) {
  lettura_elementi l(f);
  while (l.ha(1)) {
    const uint64_t inizio = l.offset();
    if (!l.ha(2)) return fallisci(e, inizio, {N_("element cut short")});
    const int16_t etichetta = prendi_i16(l.qui());
    if (!etichetta_nota(etichetta)) {
      return fallisci(
          e, inizio,
          {N_("unknown element kind {0}"), {std::to_string(etichetta)}});
    }
    const auto tipo = static_cast<tipo_variante>(etichetta);
    const std::size_t byte = byte_elemento(tipo);
    if (!l.ha(byte)) return fallisci(e, inizio, {N_("element cut short")});
    registra(i, inizio, tipo, l.qui());
    l.avanza(byte);
  }
  return true;
}

// The offset of element `n`, from the start of its run of 1024: counted when
// the elements before it in the run are all Doubles, walked in the file
// otherwise.
uint64_t offset_elemento(lettore_file& f, const indice_elementi& i,
                         uint64_t n) {
  const std::size_t run = n / blocchi_piano::metri_per_blocco;
  const std::size_t dopo = n % blocchi_piano::metri_per_blocco;
  uint64_t offset = i.inizi[run];
  if (dopo <= i.doppi_in_testa[run])
    return offset + dopo * byte_elemento(tipo_variante::doppio);
  std::string dati(dopo * byte_massimi_elemento, '\0');
  std::size_t letti = 0;
  f.leggi(offset, dati.data(), dati.size(), letti);
  std::size_t pos = 0;
  for (std::size_t k = 0; k < dopo && pos + 2 <= letti; ++k) {
    const int16_t etichetta = prendi_i16(dati.data() + pos);
    if (!etichetta_nota(etichetta)) break;
    pos += byte_elemento(static_cast<tipo_variante>(etichetta));
  }
  return offset + pos;
}

// The metres from 0 whose two elements a drawing can use, when the elements
// that it cannot use were all kept.
std::optional<int32_t> metri_pieni(const indice_elementi& i, uint64_t meta) {
  uint64_t primo[2] = {meta, meta};
  bool visto[2] = {false, false};
  for (const uint64_t n : i.non_pieni) {
    const int asse = n < meta ? 0 : 1;
    if (!visto[asse]) primo[asse] = n - (asse == 0 ? 0 : meta);
    visto[asse] = true;
  }
  if (!visto[1] && !i.tutti_non_pieni) return std::nullopt;
  return static_cast<int32_t>(std::min(primo[0], primo[1]));
}

}  // namespace

blocchi_su_file::blocchi_su_file(std::shared_ptr<lettore_file> file,
                                 int32_t metri,
                                 std::array<std::vector<uint64_t>, 2> inizi,
                                 std::optional<int32_t> pieni)
    : blocchi_piano(metri),
      file_(std::move(file)),
      inizi_(std::move(inizi)),
      pieni_(pieni) {}

std::optional<int32_t> blocchi_su_file::metri_pieni() const { return pieni_; }

// The bytes of block `b`, from the window of its axis when they are there;
// read otherwise, a single block when reads jump about (the drawings' marks)
// and several ahead when they go on in order (a walk), so that a walk costs
// a read every few blocks.
std::string_view blocchi_su_file::byte_del_blocco(const blocco_letto& b,
                                                  std::size_t byte) const {
  finestra& f = finestre_[static_cast<std::size_t>(b.asse)];
  const uint64_t inizio = inizi_[static_cast<std::size_t>(b.asse)]
                                [static_cast<std::size_t>(b.numero)];
  const bool in_ordine = b.numero == f.ultimo + 1;
  f.ultimo = b.numero;
  if (inizio >= f.inizio && inizio + byte <= f.inizio + f.pieni)
    return {f.dati.data() + (inizio - f.inizio), byte};
  const std::size_t da_leggere = in_ordine ? byte * blocchi_letti_avanti : byte;
  f.dati.resize(std::max(f.dati.size(), da_leggere));
  f.inizio = inizio;
  f.pieni = 0;
  if (!file_->leggi(inizio, f.dati.data(), da_leggere, f.pieni).ok) f.pieni = 0;
  return {f.dati.data(), std::min(byte, f.pieni)};
}

// The file was checked whole when it was indexed; should it fail or change
// under the reader since, what cannot be read is Empty.
void blocchi_su_file::leggi_blocco(blocco_letto& b) const {
  const int32_t primo = b.numero * metri_per_blocco;
  const auto quanti =
      static_cast<std::size_t>(std::min(metri_per_blocco, metri() - primo));
  const std::string_view dati =
      byte_del_blocco(b, quanti * byte_massimi_elemento);
  const std::size_t letti = dati.size();
  const std::size_t doppio = byte_elemento(tipo_variante::doppio);
  std::size_t pos = 0, k = 0;
  // Doubles in a row, the plan's usual run, without a look at each size.
  for (; k < quanti && pos + doppio <= letti &&
         prendi_i16(dati.data() + pos) ==
             static_cast<int16_t>(tipo_variante::doppio);
       ++k, pos += doppio) {
    b.tipi[k] = tipo_variante::doppio;
    b.valori[k] = prendi_f64(dati.data() + pos + 2);
  }
  for (; k < quanti && pos + 2 <= letti; ++k) {
    const int16_t etichetta = prendi_i16(dati.data() + pos);
    if (!etichetta_nota(etichetta)) break;
    const auto tipo = static_cast<tipo_variante>(etichetta);
    if (pos + byte_elemento(tipo) > letti) break;
    b.tipi[k] = tipo;
    b.valori[k] =
        tipo == tipo_variante::doppio   ? prendi_f64(dati.data() + pos + 2)
        : tipo == tipo_variante::intero ? prendi_i16(dati.data() + pos + 2)
                                        : 0.0;
    pos += byte_elemento(tipo);
  }
  std::fill(b.tipi.begin() + static_cast<std::ptrdiff_t>(k), b.tipi.end(),
            tipo_variante::vuoto);
  std::fill(b.valori.begin() + static_cast<std::ptrdiff_t>(k), b.valori.end(),
            0.0);
}

bool decodifica_piano(std::shared_ptr<lettore_file> file,
                      coordinate_piano& piano, errore_decodifica& e) {
  indice_elementi i;
  if (!scorri_elementi(*file, e, i)) return false;
  if (i.elementi == 0) return fallisci(e, 0, {N_("empty file")});
  if (i.elementi % 2 != 0)
    return fallisci(e, file->dimensione(), {N_("odd number of elements")});
  const uint64_t meta = i.elementi / 2;
  std::array<std::vector<uint64_t>, 2> inizi;
  for (uint64_t n = 0; n < meta; n += blocchi_piano::metri_per_blocco) {
    inizi[0].push_back(i.inizi[n / blocchi_piano::metri_per_blocco]);
    inizi[1].push_back(offset_elemento(*file, i, meta + n));
  }
  const auto metri = static_cast<int32_t>(meta);
  piano.da_blocchi(std::make_shared<blocchi_su_file>(
      std::move(file), metri, std::move(inizi), metri_pieni(i, meta)));
  return true;
}

bool decodifica_piano(std::string_view dati, coordinate_piano& piano,
                      errore_decodifica& e) {
  return decodifica_piano(lettore_in_memoria(std::string(dati)), piano, e);
}
