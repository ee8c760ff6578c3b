#include "tables/blocchi_piano.h"

namespace {

constexpr std::size_t blocchi_tenuti = 16;

}  // namespace

blocchi_piano::blocchi_piano(int32_t metri) : metri_(metri) {
  tenuti_.resize(blocchi_tenuti);
}

const blocchi_piano::blocco_letto& blocchi_piano::cerca(int asse,
                                                        int32_t metro) const {
  const int32_t numero = metro / metri_per_blocco;
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
