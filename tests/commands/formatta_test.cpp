// The `fmt` command: files rewritten in place, --check, --diff, standard input,
// refusals that leave the file as it was.
#include "commands/formatta.h"

#include <gtest/gtest.h>

#include <sstream>

#include "../aiuti.h"

namespace {

const std::string storto =
    "[generale]\r\npendenza,0,  0\r\npendenza,  2000 ,5   \r\n\r\n\r\n[fine]";
const std::string canonico =
    "[generale]\r\npendenza,    0, 0\r\npendenza, 2000, 5\r\n\r\n[fine]\r\n";

struct esito_comando {
  int uscita;
  std::string scritto, errori;
};

esito_comando formatta_file(std::vector<std::string> file, bool controlla,
                            bool differenze, const std::string& ingresso = "") {
  std::istringstream in(ingresso);
  std::ostringstream out, err;
  const int uscita =
      esegui_formatta({std::move(file), controlla, differenze}, in, out, err);
  return {uscita, out.str(), err.str()};
}

TEST(Formatta, RiscriveSulPostoESoloCioCheCambia) {
  cartella_temporanea t;
  scrivi_tutto(t / "a.txt", storto);
  scrivi_tutto(t / "b.txt", canonico);
  const esito_comando e =
      formatta_file({t / "a.txt", t / "b.txt"}, false, false);
  EXPECT_EQ(e.uscita, 0) << e.errori;
  EXPECT_EQ(e.scritto, "");
  EXPECT_EQ(leggi_tutto(t / "a.txt"), canonico);
  EXPECT_EQ(leggi_tutto(t / "b.txt"), canonico);
  // No temporary file is left behind.
  EXPECT_EQ(elenco(t.percorso()), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST(Formatta, CheckElencaIFileCheCambierebberoENonScriveNulla) {
  cartella_temporanea t;
  scrivi_tutto(t / "a.txt", storto);
  scrivi_tutto(t / "b.txt", canonico);
  esito_comando e = formatta_file({t / "a.txt", t / "b.txt"}, true, false);
  EXPECT_EQ(e.uscita, 1);
  EXPECT_EQ(e.scritto, t / "a.txt" + "\n");
  EXPECT_EQ(leggi_tutto(t / "a.txt"), storto);
  e = formatta_file({t / "b.txt"}, true, false);
  EXPECT_EQ(e.uscita, 0);
  EXPECT_EQ(e.scritto, "");
}

TEST(Formatta, DiffMostraLeRigheCambiateENonScriveNulla) {
  cartella_temporanea t;
  scrivi_tutto(t / "a.txt", storto);
  const esito_comando e = formatta_file({t / "a.txt"}, false, true);
  EXPECT_EQ(e.uscita, 0);
  const std::string nome = t / "a.txt";
  EXPECT_EQ(e.scritto, "--- " + nome + "\n+++ " + nome +
                           "\n@@ -1,6 +1,5 @@\n [generale]\r\n"
                           "-pendenza,0,  0\r\n-pendenza,  2000 ,5   \r\n-\r\n"
                           "+pendenza,    0, 0\r\n+pendenza, 2000, 5\r\n"
                           " \r\n-[fine]\n\\ No newline at end of file\n"
                           "+[fine]\r\n");
  EXPECT_EQ(leggi_tutto(t / "a.txt"), storto);
  EXPECT_EQ(diff_unificato(canonico, canonico, "x"), "");
}

TEST(Formatta, IlTrattinoLeggeLoStandardInputEScriveLoStandardOutput) {
  const esito_comando e = formatta_file({"-"}, false, false, storto);
  EXPECT_EQ(e.uscita, 0);
  EXPECT_EQ(e.scritto, canonico);
  EXPECT_EQ(formatta_file({"-"}, true, false, storto).scritto, "-\n");
}

TEST(Formatta, UnFileRifiutatoRestaComEraEGliAltriSiFormattano) {
  cartella_temporanea t;
  const std::string utf16("\xFF\xFE[\0g\0e\0", 8);
  scrivi_tutto(t / "u.txt", utf16);
  scrivi_tutto(t / "a.txt", storto);
  const esito_comando e =
      formatta_file({t / "u.txt", t / "manca.txt", t / "a.txt"}, false, false);
  EXPECT_EQ(e.uscita, 3);
  EXPECT_NE(e.errori.find(t / "u.txt" + ": "), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find("UTF-16"), std::string::npos) << e.errori;
  EXPECT_NE(e.errori.find(t / "manca.txt"), std::string::npos);
  EXPECT_EQ(leggi_tutto(t / "u.txt"), utf16);
  EXPECT_EQ(leggi_tutto(t / "a.txt"), canonico);
}

}  // namespace
