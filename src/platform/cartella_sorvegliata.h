// A folder seen through a watch that remembers the first failure of the
// system: a read or a deletion that failed for any reason but a missing file
// (a failing disk, a file that cannot be read). The compiler's reader treats
// every failed read as a fault of the description; a failing disk is not one,
// and the watch lets the compiler tell the two apart.
#ifndef PLATFORM_CARTELLA_SORVEGLIATA_H_
#define PLATFORM_CARTELLA_SORVEGLIATA_H_

#include <optional>

#include "platform/cartella.h"

class cartella_sorvegliata : public cartella {
 public:
  explicit cartella_sorvegliata(cartella& c) : c_(c) {}

  // The first failure of the system, if one happened.
  const std::optional<esito_file>& guasto() const { return guasto_; }

  std::string percorso(std::string_view nome) const override {
    return c_.percorso(nome);
  }
  bool esiste(std::string_view nome) const override { return c_.esiste(nome); }
  esito_file leggi(std::string_view nome, std::string& contenuto) override {
    return sorveglia(c_.leggi(nome, contenuto));
  }
  esito_file leggi_vista(std::string_view nome, std::string& deposito,
                         std::string_view& testo) override {
    return sorveglia(c_.leggi_vista(nome, deposito, testo));
  }
  esito_file crea(std::string_view nome, std::string_view sostituisce,
                  std::unique_ptr<scrittore_file>& scrittore) override {
    return c_.crea(nome, sostituisce, scrittore);
  }
  esito_file pubblica(const std::vector<rinomina>& rinomine) override {
    return c_.pubblica(rinomine);
  }
  esito_file cancella(std::string_view nome) override {
    return sorveglia(c_.cancella(nome));
  }

 private:
  esito_file sorveglia(esito_file esito);

  cartella& c_;
  std::optional<esito_file> guasto_;
};

#endif  // PLATFORM_CARTELLA_SORVEGLIATA_H_
