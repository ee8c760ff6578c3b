// A folder held for a whole run (watch): another run that would hold it or
// publish into it is refused at once, with the reason, rather than left
// waiting; a folder that a short run holds is waited for, as before.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "aiuti.h"
#include "platform/cartella_reale.h"
#include "platform/sostituzione.h"

namespace {

// Runs `prova` while a child process holds the folder: for a whole run (as
// watch does) until `prova` is done, or as a short run does for 300 ms.
template <typename Prova>
void con_un_altro_processo(const std::string& cartella, bool a_lungo,
                           Prova prova) {
  int pronto[2], fine[2];
  ASSERT_EQ(::pipe(pronto), 0);
  ASSERT_EQ(::pipe(fine), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fine[1]);
    cartella_reale c(cartella);
    const bool ok = a_lungo ? c.tieni().ok : c.riserva().ok;
    (void)!::write(pronto[1], ok ? "1" : "0", 1);
    char niente;
    if (a_lungo) {
      (void)!::read(fine[0], &niente, 1);  // until the parent closes it
    } else {
      ::usleep(300000);
    }
    ::_exit(0);
  }
  ::close(fine[0]);
  char tenuta = 0;
  ASSERT_EQ(::read(pronto[0], &tenuta, 1), 1);
  ::close(pronto[0]);
  ::close(pronto[1]);
  EXPECT_EQ(tenuta, '1');
  prova();
  ::close(fine[1]);
  int stato = 0;
  ::waitpid(pid, &stato, 0);
}

esito_file prova_a_pubblicare(const std::string& cartella) {
  cartella_reale c(cartella);
  return sostituisci_file(c, "a", [](scrittore_file& s) { s.scrivi("x", 1); });
}

TEST(Tenuta, UnaCartellaTenutaRifiutaSubitoGliAltri) {
  cartella_temporanea c;
  const std::string cartella = c.percorso().string();
  con_un_altro_processo(cartella, true, [&] {
    const esito_file pubblicato = prova_a_pubblicare(cartella);
    cartella_reale seconda(cartella);
    const esito_file tenuta = seconda.tieni();
    cartella_reale terza(cartella);
    const esito_file riservata = terza.riserva();
    for (const esito_file* e : {&pubblicato, &tenuta, &riservata}) {
      EXPECT_FALSE(e->ok);
      EXPECT_NE(e->motivo.find("held by a running watch"), std::string::npos)
          << e->motivo;
    }
    // Nothing was published, and nothing temporary stays.
    EXPECT_TRUE(elenco(cartella).empty());
  });
  // Once it ends, the folder is free.
  EXPECT_TRUE(prova_a_pubblicare(cartella).ok);
  cartella_reale dopo(cartella);
  EXPECT_TRUE(dopo.tieni().ok);
}

TEST(Tenuta, UnaCorsaBreveEAttesaNonRifiutata) {
  cartella_temporanea c;
  const std::string cartella = c.percorso().string();
  con_un_altro_processo(cartella, false, [&] {
    EXPECT_TRUE(prova_a_pubblicare(cartella).ok);
    cartella_reale lunga(cartella);
    EXPECT_TRUE(lunga.tieni().ok);
  });
}

}  // namespace
