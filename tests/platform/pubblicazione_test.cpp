// A set of files is published whole or not at all, whatever fails and
// wherever the run stops: every call to the system fails in turn, the run
// crashes at every call with any part of what was not synced lost, or a
// signal arrives at every call. The folder then holds one run's complete set,
// and after the next run nothing else.
#include "platform/pubblicazione.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <functional>
#include <optional>

#include "aiuti.h"
#include "platform/cartella_reale.h"
#include "platform/gemello_sistema.h"
#include "platform/segnali.h"
#include "platform/sostituzione.h"

namespace {

// a, b and c replace older files; d is new.
const std::vector<std::string> nuovi = {"a", "b", "c", "d"};
const std::vector<std::string> vecchi = {"a", "b", "c"};

void metti_vecchi(const cartella_temporanea& t) {
  for (const std::string& n : vecchi) scrivi_tutto(t / n, "vecchio " + n);
}

esito_file pubblica_insieme(const std::string& cartella, sistema_file& s) {
  cartella_reale c(cartella, s);
  insieme_sostituzioni insieme(c);
  for (const std::string& n : nuovi) {
    const esito_file esito = insieme.prepara(n, [&n](scrittore_file& f) {
      const std::string testo = "nuovo " + n;
      f.scrivi(testo.data(), testo.size());
    });
    if (!esito.ok) return esito;
  }
  return insieme.pubblica();
}

// Which complete set the folder holds, ignoring names that begin with a dot:
// "vecchio", "nuovo", or a description of the mixture.
std::string insieme_presente(const cartella_temporanea& t) {
  std::vector<std::string> visibili;
  for (const std::string& n : elenco(t.percorso()))
    if (n[0] != '.') visibili.push_back(n);
  for (const char* quale : {"vecchio", "nuovo"}) {
    const auto& attesi = quale[0] == 'v' ? vecchi : nuovi;
    bool intero = visibili == attesi;
    for (std::size_t i = 0; intero && i < attesi.size(); ++i)
      intero =
          leggi_tutto(t / attesi[i]) == std::string(quale) + " " + attesi[i];
    if (intero) return quale;
  }
  std::string misto = "misto:";
  for (const std::string& n : elenco(t.percorso()))
    misto += " " + n + "=" + leggi_tutto(t / n);
  return misto;
}

// The next run: a reader, which undoes a journal it finds, then a writer,
// which removes what stopped runs left.
std::string dopo_la_prossima_corsa(const cartella_temporanea& t) {
  // Through a twin that fails nothing, which spares the disk's syncs.
  cartella_temporanea salvati;
  sistema_gemello sistema(salvati.percorso().string());
  cartella_reale c(t.percorso().string(), sistema);
  std::string contenuto;
  const esito_file letto = c.leggi("a", contenuto);
  if (!letto.ok) return "lettura fallita: " + letto.percorso;
  const std::string visto = insieme_presente(t);
  if (!c.pubblica({}).ok) return "scrittura fallita";
  const auto resti = elenco(t.percorso());
  if (resti != (visto == "nuovo" ? nuovi : vecchi))
    return visto + " con resti: " + ::testing::PrintToString(resti);
  return visto;
}

// Runs one publication through `s` in a child process (whose working files
// are then those of a run that no longer exists); the child's status as
// waitpid gives it: 0 for success, 3 for a failure.
int in_un_figlio(const cartella_temporanea& t, sistema_gemello& s,
                 bool con_gestori = false) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (con_gestori) installa_gestori_segnali();
    const bool ok = pubblica_insieme(t.percorso().string(), s).ok;
    // A crash after the end: what was not synced is lost all the same.
    if (s.crash) ::_exit(std::min(s.perdi_non_sincronizzato(s.conserva), 100));
    ::_exit(ok ? 0 : 3);
  }
  int stato = 0;
  ::waitpid(pid, &stato, 0);
  return stato;
}

// How many calls a publication makes when nothing fails, and the number of
// the one that commits.
struct corsa_pulita {
  int chiamate;
  int commit;
};

corsa_pulita chiamate_di_una_corsa() {
  cartella_temporanea t, salvati;
  metti_vecchi(t);
  sistema_gemello s(salvati.percorso().string());
  const esito_file e = pubblica_insieme(t.percorso().string(), s);
  EXPECT_TRUE(e.ok) << e.percorso << " " << e.errno_sistema << e.motivo;
  EXPECT_EQ(insieme_presente(t), "nuovo");
  EXPECT_GT(s.chiamata_commit, 0);
  return {s.chiamate, s.chiamata_commit};
}

struct modo_guasto {
  const char* nome;
  bool permanente;
};

class OgniChiamataFallisce : public ::testing::TestWithParam<modo_guasto> {};

TEST_P(OgniChiamataFallisce, UnInsiemeInteroEQuelloCheLoStatoDice) {
  const int quante = chiamate_di_una_corsa().chiamate;
  ASSERT_GT(quante, 20);
  for (int posizione = 1; posizione <= quante; ++posizione) {
    cartella_temporanea t, salvati;
    metti_vecchi(t);
    sistema_gemello s(salvati.percorso().string());
    s.posizione_guasto = posizione;
    s.permanente = GetParam().permanente;
    const int stato = in_un_figlio(t, s);
    ASSERT_TRUE(WIFEXITED(stato)) << posizione;
    // Exit 3 means nothing changed; success means all changed.
    const std::string atteso = WEXITSTATUS(stato) == 0 ? "nuovo" : "vecchio";
    // A disk that went away lets the undo finish only in the next run.
    if (!GetParam().permanente) {
      EXPECT_EQ(insieme_presente(t), atteso) << "call " << posizione;
    }
    EXPECT_EQ(dopo_la_prossima_corsa(t), atteso) << "call " << posizione;
  }
}

INSTANTIATE_TEST_SUITE_P(Guasti, OgniChiamataFallisce,
                         ::testing::Values(modo_guasto{"una_volta", false},
                                           modo_guasto{"da_li_in_poi", true}),
                         [](const auto& info) {
                           return std::string(info.param.nome);
                         });

// The subsets of `quanti` unsynced changes to keep at a crash: all of them
// when few, else none, all, each alone and all but each.
std::vector<std::uint64_t> scelte(int quanti) {
  const std::uint64_t tutti =
      quanti >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << quanti) - 1;
  std::vector<std::uint64_t> risultato;
  if (quanti <= 3) {
    for (std::uint64_t m = 0; m <= tutti; ++m) risultato.push_back(m);
    return risultato;
  }
  risultato = {0, tutti};
  for (int i = 0; i < quanti && i < 64; ++i) {
    risultato.push_back(std::uint64_t{1} << i);
    risultato.push_back(tutti & ~(std::uint64_t{1} << i));
  }
  return risultato;
}

TEST(Pubblicazione, UnCrashInOgniPuntoLasciaUnInsiemeIntero) {
  // Any file not synced before its rename, or a folder not synced between
  // the journal and the renames, the renames and the commit, or after the
  // commit, shows here as a mixed set, a lost file or an older set after a
  // success.
  const int quante = chiamate_di_una_corsa().chiamate;
  for (int posizione = 1; posizione <= quante + 1; ++posizione) {
    std::vector<std::uint64_t> maschere = {~std::uint64_t{0}};
    for (std::size_t i = 0; i < maschere.size(); ++i) {
      cartella_temporanea t, salvati;
      metti_vecchi(t);
      sistema_gemello s(salvati.percorso().string());
      s.crash = true;
      s.posizione_guasto = posizione;
      s.conserva = maschere[i];
      const int stato = in_un_figlio(t, s);
      ASSERT_TRUE(WIFEXITED(stato));
      if (i == 0) {
        const auto altre = scelte(WEXITSTATUS(stato));
        maschere.insert(maschere.end(), altre.begin(), altre.end());
      }
      const std::string visto = dopo_la_prossima_corsa(t);
      if (posizione > quante) {
        EXPECT_EQ(visto, "nuovo") << "after success, kept " << maschere[i];
      } else {
        EXPECT_TRUE(visto == "nuovo" || visto == "vecchio")
            << "call " << posizione << ", kept " << maschere[i] << ": "
            << visto;
      }
    }
  }
}

TEST(Pubblicazione, UnSegnaleInOgniPuntoNonSostituisceNulla) {
  // Up to the commit the set is undone; a signal that comes after it finds
  // the set complete (the run then ends with 128 + n all the same).
  const corsa_pulita pulita = chiamate_di_una_corsa();
  for (int posizione = 1; posizione <= pulita.chiamate; ++posizione) {
    // The pending signal is looked for just before the journal's removal.
    const std::string atteso = posizione < pulita.commit ? "vecchio" : "nuovo";
    cartella_temporanea t, salvati;
    metti_vecchi(t);
    sistema_gemello s(salvati.percorso().string());
    s.segnale = SIGTERM;
    s.posizione_segnale = posizione;
    const int stato = in_un_figlio(t, s, /*con_gestori=*/true);
    ASSERT_TRUE(WIFSIGNALED(stato)) << "call " << posizione;
    EXPECT_EQ(WTERMSIG(stato), SIGTERM);
    EXPECT_EQ(insieme_presente(t), atteso) << "call " << posizione;
    EXPECT_EQ(dopo_la_prossima_corsa(t), atteso) << "call " << posizione;
  }
}

TEST(Pubblicazione, UnaCartellaSenzaBlocchiERifiutata) {
  cartella_temporanea t, salvati;
  metti_vecchi(t);
  sistema_gemello s(salvati.percorso().string());
  s.errore_blocco = ENOLCK;
  const esito_file esito = pubblica_insieme(t.percorso().string(), s);
  EXPECT_FALSE(esito.ok);
  EXPECT_EQ(esito.errno_sistema, ENOLCK);
  EXPECT_NE(esito.motivo, "");
  EXPECT_EQ(elenco(t.percorso()), vecchi);
  EXPECT_EQ(insieme_presente(t), "vecchio");
}

TEST(Pubblicazione, UnNomePresoDaUnaCartellaERifiutatoPrimaDiTutto) {
  cartella_temporanea t;
  metti_vecchi(t);
  std::filesystem::create_directory(t / "d");
  cartella_reale c(t.percorso().string());
  const esito_file esito =
      pubblica_insieme(t.percorso().string(), sistema_reale());
  EXPECT_FALSE(esito.ok);
  EXPECT_EQ(esito.errno_sistema, EISDIR);
  EXPECT_EQ(esito.percorso, t / "d");
  EXPECT_EQ(elenco(t.percorso()), nuovi);  // d is still the folder
  for (const std::string& n : vecchi)
    EXPECT_EQ(leggi_tutto(t / n), "vecchio " + n);
}

TEST(Pubblicazione, OgniNomeAccettatoHaUnTemporaneo) {
  // A name of 255 bytes, the longest a folder takes, still gets a working
  // name that fits, and is published.
  cartella_temporanea t;
  for (std::size_t lunghezza : {1u, 200u, 230u, 255u}) {
    const std::string nome(lunghezza, 'x');
    EXPECT_LE(nome_temporaneo(nome).size(), 255u);
    EXPECT_LE(nome_di_lavoro(nome, "vecchio").size(), 255u);
    cartella_reale c(t.percorso().string());
    ASSERT_TRUE(
        sostituisci_file(c, nome, [](scrittore_file& f) { f.scrivi("x", 1); })
            .ok)
        << lunghezza;
    ASSERT_TRUE(
        sostituisci_file(c, nome, [](scrittore_file& f) { f.scrivi("y", 1); })
            .ok)
        << lunghezza;
    EXPECT_EQ(leggi_tutto(t / nome), "y");
  }
  EXPECT_EQ(elenco(t.percorso()).size(), 4u);
}

TEST(Giornale, UnGiornaleNonScrittoFinoInFondoNonHaVoci) {
  const std::vector<voce_giornale> voci = {
      {"a", ".a.1.0.nuovo", ".a.1.1.vecchio"}, {"d", ".d.1.2.nuovo", ""}};
  const std::string testo = testo_giornale(voci);
  const auto lette = voci_del_giornale(testo);
  ASSERT_TRUE(lette.has_value());
  ASSERT_EQ(lette->size(), 2u);
  EXPECT_EQ((*lette)[1].temporaneo, ".d.1.2.nuovo");
  EXPECT_EQ((*lette)[1].conservato, "");
  for (std::size_t lunghezza = 0; lunghezza < testo.size(); ++lunghezza)
    EXPECT_FALSE(voci_del_giornale(testo.substr(0, lunghezza)).has_value())
        << lunghezza;
}

}  // namespace
