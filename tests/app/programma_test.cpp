// The program as a user starts it: from any current directory, in a folder
// whose path has blanks, in a folder that cannot be written.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "aiuti.h"
#include "tables/formato.h"

namespace fs = std::filesystem;

namespace {

TEST(Programma, ScriveAccantoAlProprioEseguibileOvunqueSiaAvviato) {
  cartella_temporanea radice(" con spazi");
  const fs::path cartella = radice.percorso() / "cartella del programma";
  fs::create_directories(cartella);
  const std::string programma = installa_programma(cartella);
  cartella_temporanea altrove;
  const std::string comando =
      "cd '" + altrove.percorso().string() + "' && '" + programma + "'";

  std::string scritto, errori;
  EXPECT_EQ(esegui(comando, &scritto, &errori), 0) << errori;
  EXPECT_EQ(errori, "Attendere\n");
  // What stays, and where, on standard output.
  std::string attesi;
  for (const char* nome :
       {"Valdora_Cesina_KT52806_note.txt",
        "Valdora_Cesina_KT52806_rallentamenti.txt",
        "Valdora_Cesina_KT52806_scheda_treno.txt", "Valdora_Cesina_linea.dat",
        "Valdora_Cesina_KT52806.sim", "Valdora_Cesina_KT52806.dat"}) {
    attesi += (cartella / nome).string() + "\n";
  }
  EXPECT_EQ(scritto, attesi);
  // The descriptions are read and deleted: the companions and the binary files
  // stay.
  EXPECT_EQ(elenco(cartella),
            (std::vector<std::string>{
                "Valdora_Cesina_KT52806.dat", "Valdora_Cesina_KT52806.sim",
                "Valdora_Cesina_KT52806_note.txt",
                "Valdora_Cesina_KT52806_rallentamenti.txt",
                "Valdora_Cesina_KT52806_scheda_treno.txt",
                "Valdora_Cesina_linea.dat", "scenario_builder"}));
  EXPECT_TRUE(fs::is_empty(altrove.percorso()));
  EXPECT_EQ(leggi_tutto(cartella / "Valdora_Cesina_KT52806_scheda_treno.txt"),
            leggi_tutto(fixture("attesi/scheda.txt")));
  const std::string celle =
      leggi_tutto(cartella / "Valdora_Cesina_KT52806.dat");
  const std::string stazioni =
      leggi_tutto(cartella / "Valdora_Cesina_KT52806.sim");
  const std::string piano = leggi_tutto(cartella / "Valdora_Cesina_linea.dat");
  EXPECT_EQ(celle.size(), 20715u);
  EXPECT_EQ(piano.size(), 1379964u);
  EXPECT_EQ(stazioni.size(), 3748u);
  // The "Lavis" record: records 0 to 9 take 34 bytes each plus their names.
  const std::size_t lavis =
      10 * 34 + std::string(
                    "BOLZANO / BOZENBivio Merano/MeranLaives / "
                    "LeifersBronzolo / BranzollOra / AuerEgna / "
                    "NeumarktMagr\xE8/ MagreidSalorno / "
                    "SalurnMezzocorona")
                    .size();
  EXPECT_EQ(stazioni.substr(lavis, 39),
            std::string("\x0C\xB6\xB2\0\0\xAA\xB4\0\0\xB0\xB3\0\0\0\x05\0Lavis"
                        "\x01\0\x01\0\x04"
                        "\0\x01\0\x01\0\0\0\0\0\0\0\0\0",
                        39));
  // Cell 143: the signal at 7100 m.
  EXPECT_EQ(celle.substr(143 * 15, 11),
            std::string("\x01\x2A\0\0\0\0\0\x08\0\0\0", 11));

  EXPECT_EQ(leggi_tutto(cartella / "Valdora_Cesina_KT52806_rallentamenti.txt"),
            leggi_tutto(fixture("attesi/rallentamenti.txt")));

  // Decoded: the profiles, the stations, the reserved values and the
  // competition codes.
  errore_decodifica e;
  std::vector<cella> c;
  tabella_stazioni r;
  ASSERT_TRUE(decodifica_celle(celle, c, e));
  ASSERT_TRUE(decodifica_stazioni(stazioni, r, e));
  const std::tuple<int, int, int> velocita[] = {
      {0, 13, 11},      {14, 27, 21},   {28, 330, 30},  {331, 369, 25},
      {370, 635, 30},   {636, 782, 28}, {783, 834, 25}, {835, 1058, 28},
      {1059, 1377, 15}, {1378, 1380, 0}};
  for (auto [da, a, valore] : velocita) {
    for (int i = da; i <= a; ++i) {
      ASSERT_EQ(c[i].velocita, valore) << i;
      ASSERT_EQ(c[i].aderenza, i <= 1377 ? 100 : 0) << i;
    }
  }
  EXPECT_EQ(std::make_tuple(c[1].dato1, c[1].dato2),
            std::make_tuple(5121, 2341));
  EXPECT_EQ(std::make_tuple(r[85].campo7, r[85].orario, r[85].nome),
            std::make_tuple(610, 32008, std::string("Valdora_Cesina")));
  EXPECT_EQ(std::make_tuple(r[1].inizio, r[1].fine, r[1].orario),
            std::make_tuple(-500, 500, 35820));
  EXPECT_EQ(std::make_tuple(r[2].tipo, r[2].inizio, r[2].fine),
            std::make_tuple(27, 1500, 1700));
  EXPECT_EQ(r[12].orario, 37860);
  EXPECT_EQ(std::make_tuple(r[81].fine, r[81].posizione),
            std::make_tuple(150400, 1));
  EXPECT_EQ(r[86].nome, "KT52806");

  // A second run gives the same bytes.
  EXPECT_EQ(esegui(comando), 0);
  EXPECT_EQ(leggi_tutto(cartella / "Valdora_Cesina_KT52806.dat"), celle);
  EXPECT_EQ(leggi_tutto(cartella / "Valdora_Cesina_KT52806.sim"), stazioni);
  EXPECT_EQ(leggi_tutto(cartella / "Valdora_Cesina_linea.dat"), piano);
}

TEST(Programma, CartellaDiSolaLetturaFermaIlProgrammaSenzaFilePariali) {
  // A read-only folder for root too: a read-only tmpfs in a private mount
  // namespace.
  if (esegui("unshare -m true") != 0)
    GTEST_SKIP() << "no private mount namespace here";
  cartella_temporanea radice;
  const fs::path cartella = radice.percorso() / "sola lettura";
  fs::create_directories(cartella);
  const std::string vecchio = "vecchia descrizione\r\n";
  const std::string c = "'" + cartella.string() + "'";
  const std::string script =
      "set -e\nmount -t tmpfs tmpfs " + c + "\ncp '" PROGRAMMA "' " + c +
      "/\nprintf 'vecchia descrizione\\r\\n' > " + c +
      "/Valdora_Cesina_linea.txt\nmount -o remount,ro " + c + "\nset +e\n" + c +
      "/scenario_builder\necho \"uscita=$?\"\nLC_ALL=C ls -A " + c + "\ncat " +
      c + "/Valdora_Cesina_linea.txt\n";
  scrivi_tutto(radice / "prova.sh", script);
  std::string uscita, errori;
  ASSERT_EQ(
      esegui("unshare -m sh '" + (radice / "prova.sh") + "'", &uscita, &errori),
      0)
      << errori;

  EXPECT_NE(uscita.find("uscita=3\n"), std::string::npos) << uscita;
  // The system's reason, in the language of the run: a copy of the program
  // without its catalogues speaks English, whatever the locale says.
  EXPECT_NE(errori.find(cartella.string() +
                        "/Valdora_Cesina_linea.txt: Read-only file system"),
            std::string::npos)
      << errori;
  // Nothing but the program and the older file, which is unchanged.
  EXPECT_NE(
      uscita.find("Valdora_Cesina_linea.txt\nscenario_builder\n" + vecchio),
      std::string::npos)
      << uscita;
}

}  // namespace
