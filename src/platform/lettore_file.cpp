#include <algorithm>
#include <cstring>

#include "platform/cartella.h"

namespace {

class lettore_memoria : public lettore_file {
 public:
  explicit lettore_memoria(std::string dati) : dati_(std::move(dati)) {}

  uint64_t dimensione() const override { return dati_.size(); }
  esito_file leggi(uint64_t offset, char* dati, std::size_t quanti,
                   std::size_t& letti) override {
    letti = 0;
    if (offset < dati_.size()) {
      letti = std::min<std::size_t>(quanti, dati_.size() - offset);
      std::memcpy(dati, dati_.data() + offset, letti);
    }
    return esito_file::riuscito();
  }

 private:
  std::string dati_;
};

}  // namespace

std::unique_ptr<lettore_file> lettore_in_memoria(std::string dati) {
  return std::make_unique<lettore_memoria>(std::move(dati));
}

esito_file cartella::leggi_vista(std::string_view nome, std::string& deposito,
                                 std::string_view& testo) {
  const esito_file esito = leggi(nome, deposito);
  if (esito.ok) testo = deposito;
  return esito;
}

esito_file cartella::apri(std::string_view nome,
                          std::unique_ptr<lettore_file>& lettore) {
  std::string dati;
  const esito_file esito = leggi(nome, dati);
  if (esito.ok) lettore = lettore_in_memoria(std::move(dati));
  return esito;
}
