#include "tables/blocchi_piano.h"

namespace {

constexpr std::size_t blocchi_tenuti = 16;

}  // namespace

// The room for every block kept is taken at once, so that `ultimo_` stays
// valid, but a block is made only when first needed: a short plan fills a
// few, and the others would cost a fill of their own for nothing.
blocchi_piano::blocchi_piano(int32_t metri) : metri_(metri) {
  tenuti_.reserve(blocchi_tenuti);
}

const blocchi_piano::blocco_letto& blocchi_piano::cerca(int asse,
                                                        int32_t metro) const {
  const int32_t numero = metro / metri_per_blocco;
  blocco_letto* scelto = nullptr;
  for (blocco_letto& b : tenuti_) {
    if (b.asse == asse && b.numero == numero) {
      scelto = &b;
      break;
    }
    if (scelto == nullptr || b.uso < scelto->uso) scelto = &b;
  }
  // A block not kept goes to a new place while there is one, else to the one
  // used longest ago.
  if ((scelto == nullptr || scelto->asse != asse || scelto->numero != numero) &&
      tenuti_.size() < blocchi_tenuti)
    scelto = &tenuti_.emplace_back();
  if (scelto->asse != asse || scelto->numero != numero) {
    scelto->asse = asse;
    scelto->numero = numero;
    leggi_blocco(*scelto);
  }
  scelto->uso = ++orologio_;
  ultimo_[static_cast<std::size_t>(asse)] = scelto;
  return *scelto;
}
