// An output folder holds one run's whole set, and what a run tells is true:
// readers never see two runs' files mixed, a stopped holder of a folder is
// named and given up on, a standard output that cannot be written replaces
// nothing, --no-plan leaves no other route's plan, an input is never an
// output, and a pipe with nobody writing is refused rather than waited for.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <sstream>
#include <thread>

#include "aiuti.h"
#include "banco.h"
#include "commands/decompila.h"
#include "commands/ispeziona.h"
#include "commands/pagina_comando.h"

namespace fs = std::filesystem;

namespace {

const std::string piano = "Valdora_Cesina_linea.dat";
const std::string stazioni = "Valdora_Cesina_KT52806.sim";
const std::string celle = "Valdora_Cesina_KT52806.dat";

// The long route's descriptions, written into `cartella`.
void scrivi_lunga(const cartella_temporanea& cartella) {
  scrivi_tutto(cartella / "l.txt", testo_di(righe_linea()));
  scrivi_tutto(cartella / "t.txt", testo_di(righe_treno()));
}

std::string compila(const std::string& linea, const std::string& treno,
                    const std::string& cartella,
                    const std::string& altro = "") {
  return virgolette(programma) + " compile " + virgolette(linea) + " " +
         virgolette(treno) + " --out " + virgolette(cartella) + altro;
}

// Every file of a folder and its bytes.
std::map<std::string, std::string> contenuto(const fs::path& cartella) {
  std::map<std::string, std::string> file;
  for (const std::string& nome : elenco(cartella))
    file[nome] = leggi_tutto(cartella / nome);
  return file;
}

TEST(Insieme, LettoriControUnoScrittoreNonVedonoMaiUnInsiemeMisto) {
  // Two routes of different lengths compiled in turn into one folder while
  // this process reads it: each read ends well (a mixed set is a table of one
  // run beside the cells of the other, which inspect and report refuse).
  cartella_temporanea descrizioni, comune;
  scrivi_lunga(descrizioni);
  const std::string lunga =
      compila(descrizioni / "l.txt", descrizioni / "t.txt",
              comune.percorso().string(), " --no-plan >/dev/null");
  const std::string corta = compila(piccola_linea, piccola_treno,
                                    comune.percorso().string(), " >/dev/null");
  ASSERT_EQ(esegui(corta), 0);
  std::atomic<bool> fine = false;
  int scrittura = -1;
  std::thread scrittore([&] {
    scrittura =
        esegui_script("for i in 1 2 3 4 5 6 7 8 9 10 11 12; do\n" + lunga +
                      " || exit 1\n" + corta + " || exit 1\ndone\n");
    fine = true;
  });
  int letture = 0, fallite = 0, pagine_fallite = 0;
  std::string errori_visti;
  while (!fine) {
    std::string uscita, errori;
    const bool inspect = letture % 4 != 3;
    const int esito =
        inspect ? strumenti({"inspect", comune / stazioni, comune / celle},
                            uscita, errori)
                : strumenti({"decompile", comune.percorso().string(), "--out",
                             comune / "descrizioni", "--force"},
                            uscita, errori);
    ++letture;
    if (esito != 0) {
      ++(inspect ? fallite : pagine_fallite);
      errori_visti = errori;
    }
  }
  scrittore.join();
  EXPECT_EQ(scrittura, 0);
  EXPECT_GT(letture, 10);
  EXPECT_EQ(fallite, 0) << errori_visti;
  EXPECT_EQ(pagine_fallite, 0) << errori_visti;
}

// A command that reads a scenario folder, run in this process, and the files
// it writes.
struct lettore {
  const char* nome;
  std::function<int(std::ostream& uscita, std::ostream& errori)> esegui;
  std::vector<std::string> prodotti;
};

// The bytes of each of `file`, "" for one that is not there; the files are
// then removed, so that the next run writes them again.
std::vector<std::string> prendi(const std::vector<std::string>& file) {
  std::vector<std::string> contenuti;
  for (const std::string& f : file) {
    contenuti.push_back(fs::exists(f) ? leggi_tutto(f) : "");
    fs::remove(f);
  }
  return contenuti;
}

// Opens the pipe `via` for writing once the reader has opened it; -1 when
// the reader ended first.
int apri_quando_letto(const std::string& via, const std::atomic<bool>& fine) {
  for (;;) {
    const int d = ::open(via.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (d >= 0) {
      ::fcntl(d, F_SETFL, 0);  // the table is then written whole
      return d;
    }
    if (fine) return -1;
    ::usleep(1000);
  }
}

TEST(Insieme, UnoScrittoreNonPubblicaTraDueLettureDiUnLettore) {
  // The folder's station table is a pipe: each reader stops there, having
  // taken its lock, before it reads the cells. Another run, its signal 100 m
  // further on, is compiled into the folder meanwhile, waiting for no one
  // (--lock-wait 0): it must find the folder held, and change nothing. Then
  // the reader gets the table and must tell what it tells of the intact set.
  // Without the reader's lock, the other run's cells would be read beside
  // this table, with exit 0 (the same stations and length: nothing in the
  // files shows the mixture). The reader waits at most 2 s for the pipe,
  // which a small compile leaves many times over.
  cartella_temporanea descrizioni, cartella, uscite, tubi;
  // A link to the pipe: a writer replaces a link, and would refuse to
  // replace the pipe itself.
  const std::string tubo_via = tubi / "tabella";
  std::string altro_treno = leggi_tutto(piccola_treno);
  altro_treno.replace(altro_treno.find("2200"), 4, "2300");
  scrivi_tutto(descrizioni / "t.txt", altro_treno);
  const std::string radice = cartella.percorso().string();
  const std::string pagina = cartella / "Valdora_Cesina_KT52806_report.html";
  // The commands themselves: the program's search of the folder for its
  // scenario wants regular files.
  opzioni_ispeziona ispeziona;
  ispeziona.file = {cartella / stazioni, cartella / celle};
  opzioni_pagina pagina_o;
  pagina_o.cartella = radice;
  opzioni_decompila decompila_o;
  decompila_o.cartella = radice;
  decompila_o.uscita = uscite.percorso().string();
  const lettore lettori[] = {
      {"inspect",
       [&](std::ostream& u, std::ostream& e) {
         return esegui_ispeziona(ispeziona, u, e);
       },
       {}},
      {"report",
       [&](std::ostream& u, std::ostream& e) {
         return esegui_pagina(pagina_o, u, e);
       },
       {pagina}},
      {"decompile",
       [&](std::ostream& u, std::ostream& e) {
         return esegui_decompila(decompila_o, u, e);
       },
       {uscite / "Valdora_Cesina_linea.txt",
        uscite / "Valdora_Cesina_KT52806-.txt"}},
  };
  for (const lettore& l : lettori) {
    SCOPED_TRACE(l.nome);
    ASSERT_EQ(
        esegui(compila(piccola_linea, piccola_treno, radice, " >/dev/null")),
        0);
    std::ostringstream uscita_attesa, errori_attesi;
    const int esito_atteso = l.esegui(uscita_attesa, errori_attesi);
    ASSERT_EQ(esito_atteso, 0) << errori_attesi.str();
    const std::vector<std::string> prodotti_attesi = prendi(l.prodotti);
    const std::string tabella = leggi_tutto(cartella / stazioni);
    fs::remove(cartella / stazioni);
    ASSERT_EQ(::mkfifo(tubo_via.c_str(), 0600), 0);
    fs::create_symlink(tubo_via, cartella / stazioni);

    std::atomic<bool> fine = false;
    int esito = -1;
    std::ostringstream uscita, errori;
    std::thread lettura([&] {
      esito = l.esegui(uscita, errori);
      fine = true;
    });
    const int tubo = apri_quando_letto(tubo_via, fine);
    int scrittura = -1;
    if (tubo >= 0) {
      scrittura = esegui(compila(piccola_linea, descrizioni / "t.txt", radice,
                                 " --lock-wait 0 >/dev/null"));
      EXPECT_EQ(::write(tubo, tabella.data(), tabella.size()),
                static_cast<ssize_t>(tabella.size()));
      ::close(tubo);
    }
    lettura.join();
    EXPECT_GE(tubo, 0) << "the table was never read: " << errori.str();
    EXPECT_EQ(scrittura, 3) << "a writer published during the reading";
    EXPECT_EQ(esito, esito_atteso) << errori.str();
    EXPECT_EQ(uscita.str(), uscita_attesa.str());
    EXPECT_EQ(errori.str(), errori_attesi.str());
    EXPECT_TRUE(prendi(l.prodotti) == prodotti_attesi);
    fs::remove(cartella / stazioni);
    fs::remove(tubo_via);
  }
}

// A process that holds `cartella` locked, as a run that was stopped in the
// middle of a publication (SIGSTOP) does, until it is killed.
class detentore_fermo {
 public:
  explicit detentore_fermo(const std::string& cartella) {
    pid_ = ::fork();
    if (pid_ == 0) {
      const int d = ::open(cartella.c_str(), O_RDONLY | O_DIRECTORY);
      if (d < 0 || ::flock(d, LOCK_EX) != 0) ::_exit(1);
      ::raise(SIGSTOP);
      ::_exit(0);
    }
    int stato = 0;
    ::waitpid(pid_, &stato, WUNTRACED);
    fermo_ = WIFSTOPPED(stato);
  }
  ~detentore_fermo() {
    ::kill(pid_, SIGKILL);
    int stato = 0;
    ::waitpid(pid_, &stato, 0);
  }
  bool fermo() const { return fermo_; }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_;
  bool fermo_ = false;
};

TEST(Insieme, UnDetentoreFermatoENominatoEAbbandonatoConLoStato3) {
  cartella_temporanea cartella, descrizioni;
  ASSERT_EQ(
      esegui(compila(piccola_linea, piccola_treno, cartella.percorso().string(),
                     " --report >/dev/null")),
      0);
  const auto prima = contenuto(cartella.percorso());
  const detentore_fermo detentore(cartella.percorso().string());
  ASSERT_TRUE(detentore.fermo());
  const std::string radice = cartella.percorso().string();
  const std::string attesa = radice + ": in attesa del processo " +
                             std::to_string(detentore.pid()) +
                             ", che tiene questa cartella (al più 2 s; "
                             "--lock-wait la alza)\n";
  const std::string rinuncia =
      radice +
      ": un'altra esecuzione ha tenuto la cartella più a lungo dell'attesa "
      "concessa (--lock-wait la alza): nulla è stato cambiato\n";
  const std::vector<std::string> comandi[] = {
      {"inspect", cartella / stazioni},
      {"report", radice},
      {"decompile", radice, "--out", descrizioni.percorso().string()},
      {"compile", piccola_linea, piccola_treno, "--out", radice},
      {"documents", piccola_linea, piccola_treno, "--out", radice},
      {"new", radice, "--line-name", "Altra"}};
  for (std::vector<std::string> comando : comandi) {
    SCOPED_TRACE(comando[0]);
    comando.insert(comando.begin() + 1, {"--lock-wait", "2"});
    const auto inizio = std::chrono::steady_clock::now();
    std::string uscita, errori;
    EXPECT_EQ(strumenti(comando, uscita, errori), 3);
    const auto durata = std::chrono::steady_clock::now() - inizio;
    EXPECT_GE(durata, std::chrono::seconds(2));
    EXPECT_LT(durata, std::chrono::seconds(8));
    EXPECT_NE(errori.find(attesa), std::string::npos) << errori;
    EXPECT_NE(errori.find(rinuncia), std::string::npos) << errori;
    EXPECT_TRUE(contenuto(cartella.percorso()) == prima);
  }
  EXPECT_TRUE(elenco(descrizioni.percorso()).empty());
}

TEST(Insieme, UscitaStandardPienaNonSostituisceNulla) {
  // The list of the files goes out before the set is published: a list that
  // cannot be written leaves the folder as it was.
  cartella_temporanea cartella, nuova;
  const std::string radice = cartella.percorso().string();
  ASSERT_EQ(esegui(compila(piccola_linea, piccola_treno, radice,
                           " --report >/dev/null")),
            0);
  ASSERT_EQ(esegui(virgolette(programma) + " decompile " + virgolette(radice) +
                   " --out " + virgolette(radice) + " >/dev/null"),
            0);
  const auto prima = contenuto(cartella.percorso());
  const std::string comandi[] = {
      compila(piccola_linea, piccola_treno, radice, " --documents"),
      compila(piccola_linea, piccola_treno, radice, " --no-plan"),
      virgolette(programma) + " documents " + virgolette(piccola_linea) + " " +
          virgolette(piccola_treno) + " --out " + virgolette(radice),
      virgolette(programma) + " report " + virgolette(radice),
      virgolette(programma) + " decompile " + virgolette(radice) + " --out " +
          virgolette(radice) + " --force",
      virgolette(programma) + " new " + virgolette(nuova.percorso().string())};
  for (const std::string& comando : comandi) {
    SCOPED_TRACE(comando);
    std::string errori;
    EXPECT_EQ(esegui_script(comando + " >/dev/full\n", nullptr, &errori), 3);
    EXPECT_NE(errori.find("scrittura dello standard output non riuscita"),
              std::string::npos)
        << errori;
    EXPECT_EQ(errori.find("scrittura dello standard output non riuscita"),
              errori.rfind("scrittura dello standard output non riuscita"))
        << errori;
    EXPECT_TRUE(contenuto(cartella.percorso()) == prima);
    EXPECT_TRUE(elenco(nuova.percorso()).empty());
  }
}

TEST(Insieme, SenzaPianoTogliIlPianoDiUnAltroPercorso) {
  cartella_temporanea descrizioni, cartella;
  scrivi_lunga(descrizioni);
  const std::string radice = cartella.percorso().string();
  ASSERT_EQ(
      esegui(compila(descrizioni / "l.txt", descrizioni / "t.txt", radice)), 0);
  // The same route again without the plan: the plan fits, and stays.
  const std::string piano_lungo = leggi_tutto(cartella / piano);
  std::string uscita, errori;
  ASSERT_EQ(esegui(compila(descrizioni / "l.txt", descrizioni / "t.txt", radice,
                           " --no-plan"),
                   &uscita, &errori),
            0);
  EXPECT_EQ(errori, "");
  EXPECT_EQ(leggi_tutto(cartella / piano), piano_lungo);
  // Another route without the plan: the long route's plan goes with the set.
  ASSERT_EQ(esegui(compila(piccola_linea, piccola_treno, radice, " --no-plan"),
                   &uscita, &errori),
            0);
  EXPECT_EQ(errori, radice + "/" + piano +
                        ": rimosso: un piano precedente che non corrisponde "
                        "ai nuovi file (--no-plan)\n");
  EXPECT_EQ(elenco(cartella.percorso()),
            (std::vector<std::string>{celle, stazioni}));
  // The folder's files fit together: report reads them.
  EXPECT_EQ(strumenti({"report", radice}, uscita, errori), 0) << errori;
}

TEST(Insieme, NewScriveLeDueDescrizioniComeUnInsieme) {
  // A run that fails once both files are prepared (its list cannot be
  // written) leaves neither, and the next run finds the names free.
  cartella_temporanea cartella;
  const std::string nuovo = virgolette(programma) + " new " +
                            virgolette(cartella.percorso().string());
  EXPECT_EQ(esegui_script(nuovo + " >/dev/full\n"), 3);
  EXPECT_TRUE(elenco(cartella.percorso()).empty());
  EXPECT_EQ(esegui(nuovo + " >/dev/null"), 0);
  EXPECT_EQ(elenco(cartella.percorso()),
            (std::vector<std::string>{"Valdora_Cesina_KT52806.txt",
                                      "Valdora_Cesina_linea.txt"}));
}

TEST(Insieme, UnIngressoCheEUnaUscitaERifiutatoDaOgniComandoCheScrive) {
  // The same file under an output's name (a hard link): status 64, nothing
  // written.
  cartella_temporanea cartella, descrizioni;
  const std::string radice = cartella.percorso().string();
  ASSERT_EQ(
      esegui(compila(piccola_linea, piccola_treno, radice, " >/dev/null")), 0);
  const struct caso {
    std::string uscita;  // the output name linked to the input
    std::vector<std::string> argomenti;
  } casi[] = {
      {"Valdora_Cesina_KT52806_report.html", {"report", radice}},
      {"Valdora_Cesina_linea.txt",
       {"decompile", radice, "--out", radice, "--force"}},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.argomenti[0]);
    fs::create_hard_link(cartella / stazioni, cartella / c.uscita);
    const auto prima = contenuto(cartella.percorso());
    std::string uscita, errori;
    EXPECT_EQ(strumenti(c.argomenti, uscita, errori), 64);
    EXPECT_NE(errori.find("un file che questa esecuzione legge e "
                          "sostituirebbe con"),
              std::string::npos)
        << errori;
    EXPECT_TRUE(contenuto(cartella.percorso()) == prima);
    fs::remove(cartella / c.uscita);
  }
}

TEST(Insieme, UnaFifoSenzaScrittoreERifiutataSenzaAttendereInEterno) {
  cartella_temporanea cartella;
  const std::string fifo = cartella / "fifo.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto inizio = std::chrono::steady_clock::now();
  std::string uscita, errori;
  EXPECT_EQ(strumenti({"check", fifo, piccola_treno}, uscita, errori), 3);
  EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::seconds(6));
  EXPECT_EQ(errori, fifo +
                        ": non è un file, e per 2 s non ne è arrivato nulla: "
                        "nessun programma vi scrive\n");
  // A pipe that a command writes into (a shell's process substitution) is
  // read as a file is.
  EXPECT_EQ(esegui("bash -c " +
                   virgolette(virgolette(programma) + " check <(cat " +
                              piccola_linea + ") " + piccola_treno) +
                   " >/dev/null"),
            0);
}

}  // namespace
