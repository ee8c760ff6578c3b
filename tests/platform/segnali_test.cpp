// A program ended by a signal leaves no temporary file: a real child process
// stages files in a real folder and is stopped in the middle of the set.
#include "platform/segnali.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "aiuti.h"
#include "platform/cartella_reale.h"
#include "platform/sostituzione.h"

namespace {

// Runs `figlio` in a child process with the program's handlers installed and
// returns the child's status as waitpid gives it.
int in_un_processo_figlio(const std::function<int()>& figlio) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    installa_gestori_segnali();
    ::_exit(figlio());
  }
  int stato = 0;
  ::waitpid(pid, &stato, 0);
  return stato;
}

// Stages a, b and c over the older files, and sends itself `segnale` while the
// third file is being written: two temporary files are complete then, the third
// is open.
int fermato_a_meta(const std::string& cartella, int segnale) {
  cartella_reale c(cartella);
  insieme_sostituzioni insieme(c);
  for (const char* nome : {"a", "b", "c"}) {
    insieme.prepara(nome, [&](scrittore_file& s) {
      s.scrivi("nuovo", 5);
      if (nome[0] == 'c') ::kill(::getpid(), segnale);
    });
  }
  insieme.pubblica();
  return 0;  // not reached: the signal ends the process
}

class FineConUnSegnale : public ::testing::TestWithParam<int> {};

TEST_P(FineConUnSegnale, NessunFileTemporaneoResta) {
  const int segnale = GetParam();
  cartella_temporanea cartella;
  for (const char* nome : {"a", "b", "c"})
    scrivi_tutto(cartella / nome, "vecchio");
  const int stato = in_un_processo_figlio(
      [&] { return fermato_a_meta(cartella.percorso().string(), segnale); });
  // Ended by the signal itself: a shell sees 128 + its number.
  ASSERT_TRUE(WIFSIGNALED(stato)) << stato;
  EXPECT_EQ(WTERMSIG(stato), segnale);
  EXPECT_EQ(elenco(cartella.percorso()),
            (std::vector<std::string>{"a", "b", "c"}));
  for (const char* nome : {"a", "b", "c"})
    EXPECT_EQ(leggi_tutto(cartella / nome), "vecchio") << nome;
}

INSTANTIATE_TEST_SUITE_P(Segnali, FineConUnSegnale,
                         ::testing::Values(SIGINT, SIGTERM, SIGHUP),
                         [](const auto& info) {
                           return std::string(sigabbrev_np(info.param));
                         });

TEST(Segnali, OltreIlLimiteDiDimensioneLaScritturaFallisce) {
  // Under a file-size limit (ulimit -f) a write beyond it raises SIGXFSZ,
  // which would kill the program; ignored, the write fails with EFBIG, which
  // the set reports, and nothing is left.
  cartella_temporanea cartella;
  scrivi_tutto(cartella / "a", "vecchio");
  const int stato = in_un_processo_figlio([&] {
    const rlimit limite{4096, 4096};
    ::setrlimit(RLIMIT_FSIZE, &limite);
    cartella_reale c(cartella.percorso().string());
    const esito_file esito = sostituisci_file(c, "a", [](scrittore_file& s) {
      const std::string grande(1 << 20, 'g');
      s.scrivi(grande.data(), grande.size());
    });
    return !esito.ok && esito.errno_sistema == EFBIG ? 0 : 1;
  });
  ASSERT_TRUE(WIFEXITED(stato)) << stato;
  EXPECT_EQ(WEXITSTATUS(stato), 0);
  EXPECT_EQ(elenco(cartella.percorso()), std::vector<std::string>{"a"});
  EXPECT_EQ(leggi_tutto(cartella / "a"), "vecchio");
}

TEST(Segnali, IlRegistroSegueIFileCreatiFinoAllaRinomina) {
  cartella_temporanea cartella;
  cartella_reale c(cartella.percorso().string());
  const int prima = temporanei_registrati();
  {
    insieme_sostituzioni insieme(c);
    insieme.prepara("a", [](scrittore_file& s) { s.scrivi("a", 1); });
    insieme.prepara("b", [](scrittore_file& s) { s.scrivi("b", 1); });
    EXPECT_EQ(temporanei_registrati(), prima + 2);
    ASSERT_TRUE(insieme.pubblica().ok);
    EXPECT_EQ(temporanei_registrati(), prima);
    insieme.prepara("c", [](scrittore_file& s) { s.scrivi("c", 1); });
    EXPECT_EQ(temporanei_registrati(), prima + 1);
  }
  // Discarded at the end of the set.
  EXPECT_EQ(temporanei_registrati(), prima);
  EXPECT_EQ(elenco(cartella.percorso()), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
