// A default build that fails before the compiler has read its descriptions
// (a description or a document that cannot be written) leaves neither
// description beside the executable, and replaces none of the files that
// stay.
#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

#include "app/costruzione.h"
#include "core/scenario.h"
#include "platform/cartella_memoria.h"

namespace {

const scenario sc;

// A folder whose creation of a file for `nome` (the file itself or its
// temporary) fails as a full disk would.
class cartella_che_rifiuta : public cartella_memoria {
 public:
  explicit cartella_che_rifiuta(std::string nome) : nome_(std::move(nome)) {}
  esito_file crea(std::string_view nome, std::string_view sostituisce,
                  std::unique_ptr<scrittore_file>& scrittore) override {
    if (sostituisce == nome_)
      return esito_file::del_sistema(percorso(nome), ENOSPC);
    return cartella_memoria::crea(nome, sostituisce, scrittore);
  }

 private:
  std::string nome_;
};

TEST(CostruzioneFallita, NonLasciaLeDescrizioni) {
  for (const std::string& rifiutato :
       {nome_descrizione_treno(sc), nome_note(sc), nome_scheda_treno(sc)}) {
    SCOPED_TRACE(rifiutato);
    cartella_che_rifiuta c(rifiutato);
    c.file[nome_note(sc)] = "vecchio";
    std::ostringstream uscita, errori;
    EXPECT_EQ(costruisci_scenario(sc, c, uscita, errori), 3);
    EXPECT_EQ(uscita.str(), "");
    EXPECT_FALSE(c.esiste(nome_descrizione_linea(sc)));
    EXPECT_FALSE(c.esiste(nome_descrizione_treno(sc)));
    // Nothing but the older file, and no temporary.
    ASSERT_EQ(c.file.size(), 1u);
    EXPECT_EQ(c.file[nome_note(sc)], "vecchio");
  }
}

}  // namespace
