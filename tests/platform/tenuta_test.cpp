// A folder held for a whole run (watch): another run that would hold it or
// publish into it is refused at once, with the reason, rather than left
// waiting; a folder that a short run holds is waited for, as before.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "aiuti.h"
#include "platform/cartella_reale.h"
#include "platform/sostituzione.h"

namespace {

// Runs `prova` while a child process holds the folder (for a whole run with
// `a_lungo`, else as a short run does) for `millisecondi`.
template <typename Prova>
void con_un_altro_processo(const std::string& cartella, bool a_lungo,
                           int millisecondi, Prova prova) {
  int tubo[2];
  ASSERT_EQ(::pipe(tubo), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    cartella_reale c(cartella);
    const bool ok = a_lungo ? c.tieni().ok : c.riserva().ok;
    (void)!::write(tubo[1], ok ? "1" : "0", 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(millisecondi));
    ::_exit(0);
  }
  char pronto = 0;
  ASSERT_EQ(::read(tubo[0], &pronto, 1), 1);
  ::close(tubo[0]);
  ::close(tubo[1]);
  ASSERT_EQ(pronto, '1');
  prova();
  int stato = 0;
  ::waitpid(pid, &stato, 0);
}

esito_file pubblica_un_file(const std::string& cartella) {
  cartella_reale c(cartella);
  return sostituisci_file(c, "a", [](scrittore_file& s) { s.scrivi("x", 1); });
}

TEST(Tenuta, UnaCartellaTenutaRifiutaSubitoGliAltri) {
  cartella_temporanea c;
  const std::string cartella = c.percorso().string();
  con_un_altro_processo(cartella, true, 2000, [&] {
    const auto inizio = std::chrono::steady_clock::now();
    const esito_file pubblicato = pubblica_un_file(cartella);
    cartella_reale seconda(cartella);
    const esito_file tenuta = seconda.tieni();
    cartella_reale terza(cartella);
    const esito_file riservata = terza.riserva();
    EXPECT_LT(std::chrono::steady_clock::now() - inizio,
              std::chrono::milliseconds(1500));
    for (const esito_file* e : {&pubblicato, &tenuta, &riservata}) {
      EXPECT_FALSE(e->ok);
      EXPECT_NE(e->motivo.find("held by a running watch"), std::string::npos)
          << e->motivo;
    }
    // Nothing was published, and nothing temporary stays.
    EXPECT_TRUE(elenco(cartella).empty());
  });
  // Once it ends, the folder is free.
  EXPECT_TRUE(pubblica_un_file(cartella).ok);
  cartella_reale dopo(cartella);
  EXPECT_TRUE(dopo.tieni().ok);
}

TEST(Tenuta, UnaCorsaBreveEAttesaNonRifiutata) {
  cartella_temporanea c;
  const std::string cartella = c.percorso().string();
  con_un_altro_processo(cartella, false, 300, [&] {
    EXPECT_TRUE(pubblica_un_file(cartella).ok);
    cartella_reale lunga(cartella);
    EXPECT_TRUE(lunga.tieni().ok);
  });
}

}  // namespace
