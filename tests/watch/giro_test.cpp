// One build of the watch: which builds replace the output folder's files (none
// with an error; with --strict, none with a warning either), what the page and
// the terminal say about it, and the drawings kept from the last build that
// had tables when a description is missing. (The tests run in Italian.)
#include "watch/giro.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "aiuti.h"
#include "platform/cartella_reale.h"

namespace {

const std::string avviso = "campo_sconosciuto, 1\r\n";

struct banco_giro {
  cartella_temporanea c;
  opzioni_compila o;
  stato_vigilanza s;
  std::string treno_buono;

  banco_giro() {
    treno_buono = leggi_tutto(fixture("piccola/treno.txt"));
    scrivi_tutto(c / "linea.txt", leggi_tutto(fixture("piccola/linea.txt")));
    scrivi_tutto(c / "treno.txt", treno_buono);
    std::filesystem::create_directory(c.percorso() / "out");
    o.linea = c / "linea.txt";
    o.treno = c / "treno.txt";
    o.cartella = "out";
    o.pagina = true;
  }
  // A build, its folder written when it may be, as the watch does.
  giro_vigilato costruisci(const std::string& treno) {
    if (treno.empty()) {
      std::filesystem::remove(c / "treno.txt");
    } else {
      scrivi_tutto(c / "treno.txt", treno);
    }
    giro_vigilato g = costruisci_giro(o, s, "10:00:0" + std::to_string(s.costruzioni));
    if (g.da_scrivere) {
      cartella_reale out(c / "out");
      EXPECT_TRUE(scrivi_compilazione(o, *g.c, out).ok);
    }
    return g;
  }
  std::string sim() {
    return leggi_tutto(c / "out/Valdora_Cesina_KT52806.sim");
  }
};

// The train run with a station off the 50-m grid: an error.
std::string con_errore(std::string treno) {
  const std::size_t p = treno.find("stazione,");
  const std::size_t virgola = treno.find(',', treno.find(',', p) + 1);
  treno.insert(virgola, "5");  // 1000 becomes 10005, say
  return treno;
}

TEST(GiroDelWatch, SoloUnaCostruzioneSenzaErroriSostituisceIFile) {
  for (bool rigoroso : {false, true}) {
    SCOPED_TRACE(rigoroso ? "--strict" : "");
    banco_giro b;
    b.o.rigoroso = rigoroso;
    giro_vigilato g = b.costruisci(b.treno_buono);
    ASSERT_TRUE(g.da_scrivere) << riga_del_giro(b.o, g, b.s);
    EXPECT_NE(riga_del_giro(b.o, g, b.s)
                  .find("i file in out sono di questa "
                        "compilazione"),
              std::string::npos);
    registra_giro(g, b.s);
    const std::string primo = b.sim();
    // A warning: written unless --strict.
    g = b.costruisci(b.treno_buono + avviso);
    EXPECT_EQ(g.da_scrivere, !rigoroso);
    EXPECT_NE(problemi_del_giro(b.o, g).find("avviso"), std::string::npos);
    registra_giro(g, b.s);
    // An error: never written; the folder keeps the last good build.
    const std::string prima_dell_errore = b.sim();
    g = b.costruisci(con_errore(b.treno_buono));
    EXPECT_FALSE(g.da_scrivere);
    EXPECT_EQ(b.sim(), prima_dell_errore);
    const std::string pagina = pagina_del_giro(b.o, g, b.s, 3);
    const std::string attesa = rigoroso
                                   ? "ancora quelli della compilazione 1 delle"
                                   : "ancora quelli della compilazione 2 delle";
    EXPECT_NE(riga_del_giro(b.o, g, b.s).find(attesa), std::string::npos)
        << riga_del_giro(b.o, g, b.s);
    EXPECT_NE(pagina.find(attesa), std::string::npos);
    EXPECT_NE(pagina.find("data-numero=\"3\""), std::string::npos);
    EXPECT_NE(pagina.find("<script id=\"vivo\">"), std::string::npos);
    EXPECT_EQ(primo.empty(), false);
  }
}

TEST(GiroDelWatch, UnaDescrizioneMancanteTieneIDisegniDellUltimaCostruzione) {
  banco_giro b;
  giro_vigilato g = b.costruisci(b.treno_buono);
  registra_giro(g, b.s);
  g = b.costruisci("");
  EXPECT_TRUE(g.mancante);
  EXPECT_FALSE(g.da_scrivere);
  const std::string riga = riga_del_giro(b.o, g, b.s);
  EXPECT_NE(riga.find("treno.txt"), std::string::npos) << riga;
  EXPECT_NE(riga.find("manca una descrizione"), std::string::npos) << riga;
  const std::string pagina = pagina_del_giro(b.o, g, b.s, 2);
  EXPECT_NE(pagina.find("id=\"mappa\""), std::string::npos);
  EXPECT_NE(
      pagina.find("i disegni sono quelli della compilazione 1 delle 10:00:00"),
      std::string::npos);
  // Before any build had tables there is nothing to draw, only the
  // problems.
  banco_giro senza;
  std::filesystem::remove(senza.c / "linea.txt");
  const giro_vigilato primo = senza.costruisci(senza.treno_buono);
  const std::string vuota = pagina_del_giro(senza.o, primo, senza.s, 1);
  EXPECT_EQ(vuota.find("id=\"mappa\""), std::string::npos);
  EXPECT_NE(vuota.find("niente da disegnare"), std::string::npos);
  EXPECT_NE(vuota.find("linea.txt"), std::string::npos);
}

}  // namespace
