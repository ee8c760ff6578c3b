// Replacing a file: the new content arrives whole or not at all.
#include "platform/sostituzione.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

#include "aiuti.h"
#include "platform/cartella_memoria.h"
#include "platform/cartella_reale.h"

namespace {

struct caso_guasto {
  const char* descrizione;
  bool sola_lettura;
  std::size_t limite;
  int motivo;  // the system's error number
};

// Tests print the case by its name.
void PrintTo(const caso_guasto& c, std::ostream* uscita) {
  *uscita << c.descrizione;
}

class SostituzioneFallita : public ::testing::TestWithParam<caso_guasto> {};

TEST_P(SostituzioneFallita, LasciaIlVecchioFileIntatto) {
  const caso_guasto& caso = GetParam();
  cartella_memoria c;
  c.file["a.txt"] = "vecchio contenuto";
  c.sola_lettura = caso.sola_lettura;
  c.limite_scrittura = caso.limite;

  esito_file esito = sostituisci_file(c, "a.txt", [](scrittore_file& s) {
    const std::string nuovo(100, 'n');
    s.scrivi(nuovo.data(), nuovo.size());
  });

  EXPECT_FALSE(esito.ok);
  EXPECT_EQ(esito.percorso, "memoria/a.txt");
  EXPECT_EQ(esito.errno_sistema, caso.motivo);
  EXPECT_EQ(esito.motivo, "");
  EXPECT_EQ(c.file.size(), 1u);  // no temporary file is left behind
  EXPECT_EQ(c.file["a.txt"], "vecchio contenuto");
}

INSTANTIATE_TEST_SUITE_P(
    Guasti, SostituzioneFallita,
    ::testing::Values(caso_guasto{"cartella_di_sola_lettura", true,
                                  std::size_t(-1), EROFS},
                      caso_guasto{"disco_pieno", false, 10, ENOSPC}),
    [](const auto& info) { return std::string(info.param.descrizione); });

TEST(Sostituzione, ScriveIlNuovoContenutoAlPostoDelVecchio) {
  cartella_memoria c;
  c.file["a.txt"] = std::string(1000, 'v');
  EXPECT_TRUE(sostituisci_file(c, "a.txt", [](scrittore_file& s) {
                s.scrivi("nuovo", 5);
              }).ok);
  EXPECT_EQ(c.file.size(), 1u);
  EXPECT_EQ(c.file["a.txt"], "nuovo");
  EXPECT_EQ(c.scritti, std::vector<std::string>{"a.txt"});
}

TEST(Sostituzione, OgniSostituzioneHaUnNomeTemporaneoSuo) {
  const std::string primo = nome_temporaneo("a.dat");
  const std::string secondo = nome_temporaneo("a.dat");
  EXPECT_NE(primo, secondo);
  EXPECT_EQ(primo.rfind(".a.dat.", 0), 0u) << primo;
}

TEST(Sostituzione, CreareNonApreMaiUnNomeGiaPreso) {
  // A temporary name that is already taken, by a file or by a link planted to
  // point elsewhere, is refused, and nothing is written through it.
  cartella_temporanea cartella;
  scrivi_tutto(cartella / "bersaglio", "intatto");
  scrivi_tutto(cartella / ".a.txt.file", "altrui");
  std::filesystem::create_symlink(cartella / "bersaglio",
                                  cartella / ".a.txt.link");
  cartella_reale c(cartella.percorso().string());
  for (const char* nome : {".a.txt.file", ".a.txt.link"}) {
    std::unique_ptr<scrittore_file> scrittore;
    const esito_file esito = c.crea(nome, "a.txt", scrittore);
    EXPECT_FALSE(esito.ok) << nome;
    EXPECT_EQ(esito.errno_sistema, EEXIST) << nome;
  }
  EXPECT_EQ(leggi_tutto(cartella / "bersaglio"), "intatto");
  EXPECT_EQ(leggi_tutto(cartella / ".a.txt.file"), "altrui");
}

// --- Sets of files -----------------------------------------------------------

const std::string contenuti_vecchi[] = {"vecchio a", "vecchio b", "vecchio c"};

// A folder with the older files a, b and c, and a set that replaces them with
// 10, 20 and 30 bytes.
cartella_memoria con_tre_vecchi() {
  cartella_memoria c;
  for (int i = 0; i < 3; ++i)
    c.file[std::string(1, char('a' + i))] = contenuti_vecchi[i];
  return c;
}

esito_file prepara_tre(insieme_sostituzioni& insieme) {
  for (int i = 0; i < 3; ++i) {
    const esito_file esito =
        insieme.prepara(std::string(1, char('a' + i)), [i](scrittore_file& s) {
          const std::string nuovo(10 * (i + 1), 'n');
          s.scrivi(nuovo.data(), nuovo.size());
        });
    if (!esito.ok) return esito;
  }
  return insieme.pubblica();
}

struct caso_insieme {
  const char* descrizione;
  std::size_t limite;  // bytes that fit in one file
  int rinomine;        // renames before an I/O error, -1 for none
  const char* percorso_fallito;
  std::vector<std::string> attesi;  // a, b, c afterwards
};

void PrintTo(const caso_insieme& c, std::ostream* uscita) {
  *uscita << c.descrizione;
}

class InsiemeDiFile : public ::testing::TestWithParam<caso_insieme> {};

TEST_P(InsiemeDiFile, NessunVecchioFileSostituitoSeUnoNonSiScrive) {
  const caso_insieme& caso = GetParam();
  cartella_memoria c = con_tre_vecchi();
  c.limite_scrittura = caso.limite;
  c.rinomine_prima_del_guasto = caso.rinomine;
  esito_file esito;
  {
    insieme_sostituzioni insieme(c);
    esito = prepara_tre(insieme);
  }
  EXPECT_EQ(esito.ok, caso.percorso_fallito[0] == '\0') << esito.motivo;
  if (!esito.ok) {
    EXPECT_EQ(esito.percorso, caso.percorso_fallito);
  }
  EXPECT_EQ(c.file.size(), 3u);  // no temporary file is left behind
  EXPECT_EQ(c.file["a"], caso.attesi[0]);
  EXPECT_EQ(c.file["b"], caso.attesi[1]);
  EXPECT_EQ(c.file["c"], caso.attesi[2]);
}

const std::string n10(10, 'n'), n20(20, 'n'), n30(30, 'n');

INSTANTIATE_TEST_SUITE_P(
    Guasti, InsiemeDiFile,
    ::testing::Values(
        caso_insieme{"tutti_scritti", std::size_t(-1), -1, "", {n10, n20, n30}},
        caso_insieme{
            "disco_pieno_al_terzo_file",
            25,
            -1,
            "memoria/c",
            {contenuti_vecchi[0], contenuti_vecchi[1], contenuti_vecchi[2]}},
        caso_insieme{
            "disco_pieno_al_primo_file",
            5,
            -1,
            "memoria/a",
            {contenuti_vecchi[0], contenuti_vecchi[1], contenuti_vecchi[2]}},
        // A rename that fails undoes those before it: the set is published
        // whole or not at all.
        caso_insieme{
            "rinomina_fallita_a_meta",
            std::size_t(-1),
            1,
            "memoria/b",
            {contenuti_vecchi[0], contenuti_vecchi[1], contenuti_vecchi[2]}}),
    [](const auto& info) { return std::string(info.param.descrizione); });

TEST(InsiemeDiFile, ScartatoNonSostituisceNulla) {
  cartella_memoria c = con_tre_vecchi();
  {
    insieme_sostituzioni insieme(c);
    ASSERT_TRUE(
        insieme.prepara("a", [](scrittore_file& s) { s.scrivi("nuovo", 5); })
            .ok);
    EXPECT_EQ(c.file.size(), 4u);  // the temporary file, until the end
  }
  EXPECT_EQ(c.file.size(), 3u);
  EXPECT_EQ(c.file["a"], contenuti_vecchi[0]);
}

// A set that replaces a, removes b and adds d, failing at each of its renames
// in turn: the folder held in memory puts back exactly what was, the removed
// file and the replaced one included, and leaves no temporary.
TEST(InsiemeDiFile, UnaRinominaFallitaRimetteOgniFileComEra) {
  for (int rinomine = 0; rinomine <= 3; ++rinomine) {
    SCOPED_TRACE(rinomine);
    cartella_memoria c = con_tre_vecchi();
    c.rinomine_prima_del_guasto = rinomine;
    esito_file esito;
    {
      insieme_sostituzioni insieme(c);
      ASSERT_TRUE(
          insieme.prepara("a", [](scrittore_file& s) { s.scrivi("na", 2); })
              .ok);
      insieme.togli("b");
      ASSERT_TRUE(
          insieme.prepara("d", [](scrittore_file& s) { s.scrivi("nd", 2); })
              .ok);
      esito = insieme.pubblica();
    }
    const std::map<std::string, std::string, std::less<>> attesi =
        rinomine < 3
            ? std::map<std::string, std::string,
                       std::less<>>{{"a", contenuti_vecchi[0]},
                                    {"b", contenuti_vecchi[1]},
                                    {"c", contenuti_vecchi[2]}}
            : std::map<std::string, std::string, std::less<>>{
                  {"a", "na"}, {"c", contenuti_vecchi[2]}, {"d", "nd"}};
    EXPECT_EQ(esito.ok, rinomine == 3);
    EXPECT_EQ(c.file, attesi);
  }
}

// --- Permissions
// ---------------------------------------------------------------

mode_t modo(const std::string& percorso) {
  struct stat informazioni;
  if (::stat(percorso.c_str(), &informazioni) != 0) return 0;
  return informazioni.st_mode & 07777;
}

// The umask set for the life of one case.
class con_umask {
 public:
  explicit con_umask(mode_t m) : prima_(::umask(m)) {}
  ~con_umask() { ::umask(prima_); }

 private:
  mode_t prima_;
};

struct caso_modo {
  const char* descrizione;
  mode_t umask;
  mode_t vecchio;  // 0: no older file
  mode_t atteso;
};

void PrintTo(const caso_modo& c, std::ostream* uscita) {
  *uscita << c.descrizione;
}

class PermessiDelFile : public ::testing::TestWithParam<caso_modo> {};

TEST_P(PermessiDelFile, RestanoQuelliDelFileSostituito) {
  const caso_modo& caso = GetParam();
  const con_umask maschera(caso.umask);
  cartella_temporanea cartella;
  if (caso.vecchio != 0) {
    scrivi_tutto(cartella / "a.dat", "vecchio");
    ASSERT_EQ(::chmod((cartella / "a.dat").c_str(), caso.vecchio), 0);
  }
  cartella_reale c(cartella.percorso().string());
  ASSERT_TRUE(sostituisci_file(c, "a.dat", [](scrittore_file& s) {
                s.scrivi("nuovo", 5);
              }).ok);
  EXPECT_EQ(leggi_tutto(cartella / "a.dat"), "nuovo");
  EXPECT_EQ(modo(cartella / "a.dat"), caso.atteso);
}

INSTANTIATE_TEST_SUITE_P(
    Modi, PermessiDelFile,
    ::testing::Values(caso_modo{"nuovo_con_umask_022", 022, 0, 0644},
                      caso_modo{"nuovo_con_umask_077", 077, 0, 0600},
                      caso_modo{"nuovo_con_umask_002", 002, 0, 0664},
                      caso_modo{"vecchio_0600", 022, 0600, 0600},
                      caso_modo{"vecchio_0664_con_umask_077", 077, 0664, 0664},
                      caso_modo{"vecchio_0755", 022, 0755, 0755}),
    [](const auto& info) { return std::string(info.param.descrizione); });

// --- Names taken by others
// -----------------------------------------------------

TEST(Sostituzione, LinkPiantatoInUnaCartellaCondivisaNonVieneSeguito) {
  // A folder that everyone may write into, with the sticky bit, as /tmp: a
  // link planted under the name an older release used for its temporary file
  // points at a file of someone else. The replacement neither follows it nor
  // removes it, and a user's own file of such a name survives too.
  cartella_temporanea radice;
  const std::filesystem::path condivisa = radice.percorso() / "condivisa";
  std::filesystem::create_directory(condivisa);
  ASSERT_EQ(::chmod(condivisa.c_str(), 01777), 0);
  scrivi_tutto(radice / "bersaglio", "intatto");
  std::filesystem::create_symlink(radice / "bersaglio",
                                  condivisa / ".a.dat.nuovo");
  scrivi_tutto(condivisa / ".b.dat.nuovo", "file dell'utente");
  cartella_reale c(condivisa.string());
  insieme_sostituzioni insieme(c);
  for (const char* nome : {"a.dat", "b.dat"}) {
    ASSERT_TRUE(
        insieme.prepara(nome, [](scrittore_file& s) { s.scrivi("nuovo", 5); })
            .ok);
  }
  ASSERT_TRUE(insieme.pubblica().ok);
  EXPECT_EQ(leggi_tutto(radice / "bersaglio"), "intatto");
  EXPECT_TRUE(std::filesystem::is_symlink(condivisa / ".a.dat.nuovo"));
  EXPECT_EQ(leggi_tutto(condivisa / ".b.dat.nuovo"), "file dell'utente");
  EXPECT_EQ(leggi_tutto(condivisa / "a.dat"), "nuovo");
  EXPECT_EQ(elenco(condivisa),
            (std::vector<std::string>{".a.dat.nuovo", ".b.dat.nuovo", "a.dat",
                                      "b.dat"}));
}

}  // namespace

namespace {

// The in-memory folder takes a set back step by step: a replaced file, a
// removed one and a new one all come back as they were, whichever step fails.
TEST(CartellaMemoria, PubblicazioneFallitaRimetteOgniPasso) {
  const std::vector<rinomina> insieme = {
      {"t1", "a"}, {"", "b"}, {"t3", "c"}, {"manca", "d"}};
  for (int guasto = 0; guasto <= 3; ++guasto) {
    cartella_memoria c;
    c.file = {{"a", "vecchio a"},
              {"b", "vecchio b"},
              {"t1", "nuovo a"},
              {"t3", "nuovo c"}};
    const auto prima = c.file;
    // The fourth step fails by itself: its temporary is missing.
    if (guasto < 3) c.rinomine_prima_del_guasto = guasto;
    const esito_file esito = c.pubblica(insieme);
    EXPECT_FALSE(esito.ok) << guasto;
    EXPECT_EQ(esito.errno_sistema, guasto < 3 ? EIO : ENOENT) << guasto;
    EXPECT_EQ(c.file, prima) << guasto;
    EXPECT_TRUE(c.scritti.empty()) << guasto;
  }
}

}  // namespace
