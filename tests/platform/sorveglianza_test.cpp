// Following a file as editors save it: written in place, replaced by a new
// file renamed over it, deleted and written again; a file beside it that
// changes is not taken for it; an ending signal is an event, not the end of
// the process.
#include "platform/sorveglianza.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "aiuti.h"

namespace {

// Waits for the events of one save: the first, then those that follow at
// once.
sorveglianza_file::evento dopo(sorveglianza_file& s) {
  sorveglianza_file::evento e = s.attendi(2000);
  for (;;) {
    const sorveglianza_file::evento altro = s.attendi(50);
    if (!altro.qualcosa()) return e;
    for (std::size_t i = 0; i < e.cambiati.size(); ++i)
      e.cambiati[i] = e.cambiati[i] || altro.cambiati[i];
    if (altro.segnale != 0) e.segnale = altro.segnale;
  }
}

TEST(Sorveglianza, OgniModoDiSalvareEVisto) {
  cartella_temporanea c;
  std::filesystem::create_directory(c.percorso() / "altra");
  const std::string linea = c / "linea.txt";
  const std::string treno = (c.percorso() / "altra" / "treno.txt").string();
  scrivi_tutto(linea, "uno");
  scrivi_tutto(treno, "uno");
  sorveglianza_file s({linea, treno});
  ASSERT_TRUE(s.apertura().ok) << s.apertura().percorso;
  const struct {
    const char* come;
    std::function<void()> salva;
    std::vector<bool> attesi;
  } casi[] = {
      {"in place", [&] { scrivi_tutto(linea, "due"); }, {true, false}},
      {"by rename",
       [&] {
         scrivi_tutto(c / ".linea.txt.swp", "tre");
         std::rename((c / ".linea.txt.swp").c_str(), linea.c_str());
       },
       {true, false}},
      {"in the other folder",
       [&] { scrivi_tutto(treno, "due"); },
       {false, true}},
      {"deleted", [&] { std::filesystem::remove(linea); }, {true, false}},
      {"written again", [&] { scrivi_tutto(linea, "quattro"); }, {true, false}},
      {"renamed away",
       [&] { std::rename(treno.c_str(), (treno + "~").c_str()); },
       {false, true}},
      {"a file beside it",
       [&] { scrivi_tutto(c / "linea.txt.bak", "x"); },
       {false, false}},
  };
  for (const auto& caso : casi) {
    caso.salva();
    const sorveglianza_file::evento e = dopo(s);
    EXPECT_EQ(e.cambiati, caso.attesi) << caso.come;
    EXPECT_EQ(e.segnale, 0) << caso.come;
  }
}

TEST(Sorveglianza, UnSegnaleDiFineEUnEvento) {
  cartella_temporanea c;
  scrivi_tutto(c / "a.txt", "");
  for (int segnale : {SIGINT, SIGTERM, SIGHUP}) {
    sorveglianza_file s({c / "a.txt"});
    ASSERT_TRUE(s.apertura().ok);
    ::raise(segnale);  // waits, blocked, until it is read
    EXPECT_EQ(s.attendi(2000).segnale, segnale);
  }
  // Nothing waits once the watch has ended.
  sigset_t attesa;
  sigpending(&attesa);
  EXPECT_FALSE(sigismember(&attesa, SIGINT));
}

TEST(Sorveglianza, UnaCartellaCheNonCeERifiutata) {
  cartella_temporanea c;
  sorveglianza_file s({(c.percorso() / "manca" / "a.txt").string()});
  EXPECT_FALSE(s.apertura().ok);
}

}  // namespace
