// A folder held for reading makes a publication wait until the reading ends,
// so that a reader never sees two runs' files mixed; a wait is bounded, told
// after its first second, and gives up with the reason.
#include <gtest/gtest.h>

#include <chrono>

#include "aiuti.h"
#include "platform/cartella_reale.h"
#include "platform/sostituzione.h"

namespace {

esito_file pubblica_un_file(const std::string& cartella,
                            std::chrono::milliseconds limite, int& avvisi) {
  cartella_reale c(cartella);
  attesa_cartella attesa;
  attesa.limite = limite;
  attesa.avvisa = [&avvisi](const std::string&, long) { ++avvisi; };
  c.imposta_attesa(attesa);
  return sostituisci_file(c, "a", [](scrittore_file& s) { s.scrivi("x", 1); });
}

TEST(LetturaCondivisa, UnaPubblicazioneAttendeLaFineDellaLettura) {
  cartella_temporanea c;
  const std::string cartella = c.percorso().string();
  int avvisi = 0;
  {
    cartella_reale lettore(cartella);
    lettura_cartella lettura;
    ASSERT_TRUE(lettore.blocca_lettura(lettura).ok);
    // A second reader is not held up.
    cartella_reale altro(cartella);
    lettura_cartella seconda;
    EXPECT_TRUE(altro.blocca_lettura(seconda).ok);
    // A writer waits, within its bound, and gives up having changed nothing.
    const auto inizio = std::chrono::steady_clock::now();
    const esito_file scritto =
        pubblica_un_file(cartella, std::chrono::milliseconds(1300), avvisi);
    EXPECT_GE(std::chrono::steady_clock::now() - inizio,
              std::chrono::milliseconds(1300));
    EXPECT_FALSE(scritto.ok);
    EXPECT_NE(scritto.motivo.find("--lock-wait"), std::string::npos)
        << scritto.motivo;
    EXPECT_EQ(avvisi, 1);
    EXPECT_TRUE(elenco(cartella).empty());
  }
  // Once the readings end, the writer goes ahead at once.
  avvisi = 0;
  EXPECT_TRUE(
      pubblica_un_file(cartella, std::chrono::milliseconds(1300), avvisi).ok);
  EXPECT_EQ(avvisi, 0);
  EXPECT_EQ(elenco(cartella), std::vector<std::string>{"a"});
}

}  // namespace
