// The program against what a user's machine does to it: a full disk, a
// file-size limit, another run into the same folder, a planted link, a full
// standard output, hostile names and bytes, huge inputs.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "aiuti.h"
#include "banco.h"
#include "commands/compila.h"
#include "commands/ispeziona.h"

namespace fs = std::filesystem;

namespace {

const char* const binari[] = {"Valdora_Cesina_linea.dat",
                              "Valdora_Cesina_KT52806.sim",
                              "Valdora_Cesina_KT52806.dat"};

std::string compila_piccola(const std::string& cartella) {
  return virgolette(programma) + " compile " + virgolette(piccola_linea) + " " +
         virgolette(piccola_treno) + " --out " + virgolette(cartella);
}

// True when the text holds a control character other than a line end.
bool con_controlli(const std::string& testo) {
  for (char c : testo) {
    const auto b = static_cast<unsigned char>(c);
    if ((b < 0x20 && b != '\n') || b == 0x7F) return true;
  }
  return false;
}

// The older binary files "vecchio", then whether they still are.
void metti_vecchi(const cartella_temporanea& cartella) {
  for (const char* nome : binari) scrivi_tutto(cartella / nome, "vecchio");
}
void vecchi_intatti(const fs::path& cartella) {
  std::vector<std::string> attesi(std::begin(binari), std::end(binari));
  std::sort(attesi.begin(), attesi.end());
  EXPECT_EQ(elenco(cartella), attesi);  // no temporary file either
  for (const char* nome : binari)
    EXPECT_EQ(leggi_tutto(cartella / nome), "vecchio") << nome;
}

// --- Names -------------------------------------------------------------------

TEST(Robustezza, NomiConSeparatoriPuntiOControlliRifiutatiDaOgniComando) {
  const std::string nomi[] = {"../X",      "a/b",  "a\\b",  "..",       "a..b",
                              "a\x1b[2Jb", "a\nb", "a\x7f", "a\xC2\x85"};
  cartella_temporanea cartella;
  const std::vector<std::vector<std::string>> comandi = {
      {"compile", piccola_linea, piccola_treno, "--out",
       cartella.percorso().string()},
      {"check", piccola_linea, piccola_treno},
      {"report", cartella.percorso().string()}};
  for (const auto& comando : comandi) {
    for (const char* opzione : {"--line-name", "--train-code"}) {
      for (const std::string& nome : nomi) {
        SCOPED_TRACE(comando[0] + " " + opzione + " " + nome);
        std::vector<std::string> argomenti = comando;
        argomenti.insert(argomenti.end(), {opzione, nome});
        std::string uscita, errori;
        EXPECT_EQ(strumenti(argomenti, uscita, errori), 64);
        EXPECT_NE(errori.find("nome non valido per un file"), std::string::npos)
            << errori;
        EXPECT_FALSE(con_controlli(errori)) << errori;
      }
    }
  }
  EXPECT_TRUE(fs::is_empty(cartella.percorso()));
}

TEST(Robustezza, NomiVuotiRifiutatiDaOgniComando) {
  cartella_temporanea cartella;
  const std::string dir = cartella.percorso().string();
  const std::vector<std::vector<std::string>> comandi = {
      {"compile", piccola_linea, piccola_treno, "--out", dir},
      {"check", piccola_linea, piccola_treno},
      {"check", piccola_linea, piccola_treno, "--json"},
      {"documents", piccola_linea, piccola_treno, "--out", dir},
      {"new", cartella / "nuovo"},
      {"report", dir},
      {"decompile", dir, "--out", cartella / "sorgenti"}};
  struct caso {
    std::vector<std::string> nomi;
    const char* errore;
  };
  const caso casi[] = {
      {{"--line-name", ""},
       "il nome della linea non pu\xC3\xB2 essere vuoto\n"},
      {{"--train-code", ""},
       "il codice del treno non pu\xC3\xB2 essere vuoto\n"},
      {{"--line-name", "", "--train-code", ""},
       "il nome della linea non pu\xC3\xB2 essere vuoto\n"},
      {{"--line-name", "L", "--train-code", ""},
       "il codice del treno non pu\xC3\xB2 essere vuoto\n"},
  };
  for (const auto& comando : comandi) {
    for (const caso& c : casi) {
      std::vector<std::string> argomenti = comando;
      argomenti.insert(argomenti.end(), c.nomi.begin(), c.nomi.end());
      SCOPED_TRACE(comando[0] + " " + c.nomi[0] + " " + c.nomi.back());
      std::string uscita, errori;
      EXPECT_EQ(strumenti(argomenti, uscita, errori), 64);
      EXPECT_EQ(uscita, "");
      EXPECT_EQ(errori.rfind(c.errore, 0), 0u) << errori;
    }
  }
  EXPECT_TRUE(fs::is_empty(cartella.percorso()));
}

// --- Standard output
// -----------------------------------------------------------

TEST(Robustezza, UscitaStandardPienaEsce3) {
  cartella_temporanea cartella;
  ASSERT_EQ(esegui(compila_piccola(cartella.percorso().string())), 0);
  // The bare program builds next to itself: a copy of it, with its catalogues.
  cartella_temporanea copia;
  const std::string costruzione = installa_programma(copia.percorso());
  const std::string comandi[] = {
      "--help",
      "inspect " + virgolette(cartella / "Valdora_Cesina_KT52806.sim"),
      "check --json " + virgolette(piccola_linea) + " " +
          virgolette(piccola_treno),
      "check --json " + virgolette(cartella / "manca.txt") + " " +
          virgolette(piccola_treno),
      "compile " + virgolette(piccola_linea) + " " + virgolette(piccola_treno) +
          " --out " + virgolette(cartella.percorso().string()),
      ""};
  for (const std::string& comando : comandi) {
    SCOPED_TRACE(comando);
    const std::string eseguito = comando.empty()
                                     ? virgolette(costruzione)
                                     : virgolette(programma) + " " + comando;
    std::string errori;
    EXPECT_EQ(esegui_script(eseguito + " > /dev/full\n", nullptr, &errori), 3);
    EXPECT_NE(errori.find(std::string("scrittura dello standard output non "
                                      "riuscita: ") +
                          std::strerror(ENOSPC)),
              std::string::npos)
        << errori;
  }
}

// --- Bytes that are not text
// -----------------------------------------------------

// A description whose ignored fields hold a terminal's escape, a bell, a NUL,
// a byte that Windows-1252 leaves undefined and bytes that are not UTF-8.
const std::string linea_ostile = linea_con(
    std::string("pend\x1b[31mza\x07, 1, 2\r\nx\0y\x81\xff, 3\r\n", 30));

TEST(Robustezza, JsonValidoPerOgniPercorsoEOgniByte) {
  cartella_temporanea cartella;
  const std::string linea = cartella / "l\xff\x1b.txt";
  scrivi_tutto(linea, linea_ostile);
  scrivi_tutto(cartella / "t.txt", treno_con(""));
  opzioni_compila o;
  o.linea = linea;
  o.treno = cartella / "t.txt";
  o.json = true;
  std::ostringstream uscita, errori;
  EXPECT_EQ(esegui_controlla(o, uscita, errori), 0) << errori.str();
  const auto j = nlohmann::json::parse(uscita.str());  // throws when invalid
  EXPECT_EQ(j["linea"], (cartella / "l") + "\xEF\xBF\xBD\x1b.txt");
  ASSERT_EQ(j["problemi"].size(), 2u);
  EXPECT_EQ(j["problemi"][0]["messaggio"],
            "campo ignorato: \"pend\x1b[31mza\x07\"");
}

TEST(Robustezza, CaratteriDiControlloMostratiConEscape) {
  cartella_temporanea cartella;
  scrivi_tutto(cartella / "l.txt", linea_ostile);
  scrivi_tutto(cartella / "t.txt", treno_con(""));
  std::string uscita, errori;
  EXPECT_EQ(strumenti({"check", cartella / "l.txt", cartella / "t.txt"}, uscita,
                      errori),
            0);
  EXPECT_FALSE(con_controlli(errori)) << errori;
  EXPECT_NE(errori.find("avviso: campo ignorato: \"pend\\x1b[31mza\\x07\""),
            std::string::npos)
      << errori;
  EXPECT_NE(errori.find("\"x\\x00y\\u0081\xC3\xBF\""), std::string::npos)
      << errori;
}

TEST(Robustezza, InspectMostraINomiConEscapeEJsonValido) {
  banco b;
  b.treno(
      treno_con("stazione, 46000, 12, 500, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, "
                "0, 0, 0, La\x1b]0;x\x07vis\x81\r\n"));
  ASSERT_EQ(b.compila().tipo, esito_compilazione::completata);
  const std::vector<file_letto> file = {
      {"s\xff/L_T.sim", b.c.file.at("Valdora_Cesina_KT52806.sim"), {}}};
  for (bool json : {false, true}) {
    opzioni_ispeziona o;
    o.json = json;
    std::ostringstream uscita, errori;
    EXPECT_EQ(ispeziona_letti(file, o, uscita, errori), 0) << errori.str();
    if (json) {
      const auto j = nlohmann::json::parse(uscita.str());
      EXPECT_EQ(j[0]["file"], "s\xEF\xBF\xBD/L_T.sim");
    } else {
      EXPECT_FALSE(con_controlli(uscita.str()));
      EXPECT_NE(uscita.str().find("\"La\\x1b]0;x\\x07vis\\u0081\""),
                std::string::npos)
          << uscita.str();
    }
  }
}

// --- Many warnings, huge inputs
// ---------------------------------------------------

TEST(Robustezza, OltreICentoProblemiSoloIlConto) {
  cartella_temporanea cartella;
  std::string righe;
  for (int n = 0; n < 250; ++n) righe += "refuso" + std::to_string(n) + "\r\n";
  scrivi_tutto(cartella / "l.txt", linea_con(righe));
  scrivi_tutto(cartella / "t.txt", treno_con(""));
  std::string uscita, errori;
  EXPECT_EQ(strumenti({"check", cartella / "l.txt", cartella / "t.txt"}, uscita,
                      errori),
            0);
  const std::vector<std::string> righe_errori = [&] {
    std::vector<std::string> r;
    std::istringstream s(errori);
    for (std::string riga; std::getline(s, riga);) r.push_back(riga);
    return r;
  }();
  ASSERT_EQ(righe_errori.size(), 102u) << errori;
  EXPECT_NE(righe_errori[99].find("refuso99"), std::string::npos);
  EXPECT_EQ(righe_errori[100],
            "... e altri 150 problemi non mostrati (solo i primi 100)");
  EXPECT_EQ(righe_errori[101], "0 errori, 250 avvisi");

  EXPECT_EQ(
      strumenti({"check", "--json", cartella / "l.txt", cartella / "t.txt"},
                uscita, errori),
      0);
  const auto j = nlohmann::json::parse(uscita);
  EXPECT_EQ(j["problemi"].size(), 100u);
  EXPECT_EQ(j["problemi_omessi"], 150);
  EXPECT_EQ(j["avvisi"], 250);
}

TEST(Robustezza, IngressiSenzaFineOCheNonSonoFileRifiutati) {
  cartella_temporanea cartella;
  struct caso {
    std::string linea;
    std::string motivo;
  };
  const caso casi[] = {
      {"/dev/zero", "file troppo grande: oltre il limite di 64 MB"},
      {cartella.percorso().string(), std::strerror(EISDIR)},
      {cartella / "manca.txt", std::strerror(ENOENT)}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.linea);
    std::string uscita, errori;
    EXPECT_EQ(strumenti({"check", c.linea, piccola_treno}, uscita, errori), 3);
    EXPECT_EQ(errori, c.linea + ": " + c.motivo + "\n");
    // With --json the same line, and the file's problem on standard output.
    EXPECT_EQ(
        strumenti({"check", c.linea, piccola_treno, "--json"}, uscita, errori),
        3);
    EXPECT_EQ(errori, c.linea + ": " + c.motivo + "\n");
    const auto j = nlohmann::json::parse(uscita);
    EXPECT_EQ(j["uscita"], 3);
    EXPECT_EQ(j["errori"], 1);
    ASSERT_EQ(j["problemi"].size(), 1u);
    EXPECT_EQ(j["problemi"][0]["file"], c.linea);
    EXPECT_EQ(j["problemi"][0]["gravita"], "errore");
    EXPECT_EQ(j["problemi"][0]["messaggio"], c.motivo);
    EXPECT_EQ(j["problemi"][0]["riga_intera"], c.linea + ": " + c.motivo);
  }
}

// --- The real file system
// ------------------------------------------------------------

TEST(Robustezza, LimiteDiDimensioneDeiFileEsce3SenzaSostituireNulla) {
  // ulimit -f sets RLIMIT_FSIZE for the program: the plan (299,964 bytes)
  // does not fit in 100 KB.
  cartella_temporanea cartella;
  metti_vecchi(cartella);
  std::string errori;
  EXPECT_EQ(
      esegui_script("ulimit -f 100\n" +
                        compila_piccola(cartella.percorso().string()) + "\n",
                    nullptr, &errori),
      3);
  EXPECT_EQ(errori, (cartella / "Valdora_Cesina_linea.dat") + ": " +
                        std::strerror(EFBIG) + "\n");
  vecchi_intatti(cartella.percorso());
}

TEST(Robustezza, DiscoPienoNonSostituisceNessunFile) {
  // A small tmpfs in a private mount namespace: the older files take three
  // pages, the plan 74, the station file 1, the cells 2.
  if (esegui("unshare -m true") != 0)
    GTEST_SKIP() << "no private mount namespace here";
  struct caso {
    const char* dimensione;
    const char* pieno;  // the file that did not fit; empty when all did
  };
  const caso casi[] = {{"100k", "Valdora_Cesina_linea.dat"},
                       {"308k", "Valdora_Cesina_KT52806.sim"},
                       {"312k", "Valdora_Cesina_KT52806.dat"},
                       {"400k", ""}};
  for (const caso& c : casi) {
    SCOPED_TRACE(c.dimensione);
    cartella_temporanea radice;
    const std::string disco = radice / "disco";
    fs::create_directory(disco);
    std::string script = "mount -t tmpfs -o size=" + std::string(c.dimensione) +
                         " tmpfs " + virgolette(disco) + " || exit 99\n";
    for (const char* nome : binari)
      script += "echo vecchio > " + virgolette(disco + "/" + nome) + "\n";
    script += compila_piccola(disco) + " >/dev/null\necho \"uscita=$?\" >&2\n" +
              "LC_ALL=C ls -A " + virgolette(disco) + "\ncat " +
              virgolette(disco) + "/*.sim\n";
    std::string uscita, errori;
    ASSERT_EQ(esegui_script(script, &uscita, &errori, "unshare -m "), 0)
        << errori;
    const bool pieno = c.pieno[0] != '\0';
    EXPECT_EQ(errori, pieno ? disco + "/" + c.pieno + ": " +
                                  std::strerror(ENOSPC) + "\nuscita=3\n"
                            : "uscita=0\n");
    EXPECT_EQ(uscita.rfind("Valdora_Cesina_KT52806.dat\nValdora_Cesina_KT52806"
                           ".sim\nValdora_Cesina_linea.dat\n",
                           0),
              0u)
        << uscita;
    EXPECT_EQ(uscita.find("vecchio") != std::string::npos, pieno) << uscita;
  }
}

TEST(Robustezza, DueCompilazioniNellaStessaCartellaNonSiMescolano) {
  // Two scenarios of different lengths compiled at once into one folder, again
  // and again: each run ends well, and the folder holds one run's whole set.
  cartella_temporanea descrizioni, uno, due;
  scrivi_tutto(descrizioni / "l.txt", testo_di(righe_linea()));
  scrivi_tutto(descrizioni / "t.txt", testo_di(righe_treno()));
  const auto comando = [&](const std::string& linea, const std::string& treno,
                           const std::string& cartella) {
    return virgolette(programma) + " compile " + virgolette(linea) + " " +
           virgolette(treno) + " --out " + cartella + " >/dev/null";
  };
  const std::string lungo =
      comando(descrizioni / "l.txt", descrizioni / "t.txt", "\"$1\"");
  const std::string corto = comando(piccola_linea, piccola_treno, "\"$1\"");
  ASSERT_EQ(esegui_script("set -- " + virgolette(uno.percorso()) + "\n" +
                          lungo + "\nset -- " + virgolette(due.percorso()) +
                          "\n" + corto + "\n"),
            0);
  cartella_temporanea comune;
  const std::string script = "set -- " + virgolette(comune.percorso()) + "\n" +
                             lungo + " & a=$!\n" + corto +
                             " & b=$!\nwait $a; x=$?\nwait $b; y=$?\n"
                             "echo $x $y\n";
  for (int volta = 0; volta < 8; ++volta) {
    SCOPED_TRACE(volta);
    std::string uscita, errori;
    ASSERT_EQ(esegui_script(script, &uscita, &errori), 0) << errori;
    EXPECT_EQ(uscita, "0 0\n") << errori;
    EXPECT_EQ(elenco(comune.percorso()), elenco(uno.percorso()));
    const fs::path& atteso =
        leggi_tutto(comune / binari[0]) == leggi_tutto(uno / binari[0])
            ? uno.percorso()
            : due.percorso();
    for (const char* nome : binari) {
      EXPECT_EQ(leggi_tutto(comune / nome), leggi_tutto(atteso / nome)) << nome;
    }
  }
}

TEST(Robustezza, DueCostruzioniDallaStessaCartellaSiAttendono) {
  // Both builds write, read back and delete the same two descriptions: the
  // second waits for the first, and neither finds a description gone.
  cartella_temporanea radice;
  // The program's folder, with its catalogues beside it.
  const fs::path cartella = radice.percorso() / "bin";
  fs::create_directory(cartella);
  const std::string copia = installa_programma(cartella);
  const std::string script = virgolette(copia) + " >/dev/null & a=$!\n" +
                             virgolette(copia) +
                             " >/dev/null & b=$!\nwait $a; x=$?\nwait $b; "
                             "y=$?\n"
                             "echo $x $y\n";
  ASSERT_EQ(esegui(virgolette(copia)), 0);
  const std::string piano = leggi_tutto(cartella / binari[0]);
  for (int volta = 0; volta < 4; ++volta) {
    SCOPED_TRACE(volta);
    std::string uscita, errori;
    ASSERT_EQ(esegui_script(script, &uscita, &errori), 0) << errori;
    EXPECT_EQ(uscita, "0 0\n") << errori;
    EXPECT_EQ(errori, "Attendere\nAttendere\n");
    EXPECT_EQ(leggi_tutto(cartella / binari[0]), piano);
    EXPECT_EQ(elenco(cartella).size(), 7u);
  }
}

TEST(Robustezza, LinkPiantatiInUnaCartellaCondivisaNonVengonoSeguiti) {
  // A sticky world-writable folder, as /tmp: links planted under the names an
  // older release gave its temporary files, for compile, report and the bare
  // build alike.
  cartella_temporanea radice;
  const fs::path condivisa = radice.percorso() / "condivisa";
  fs::create_directory(condivisa);
  fs::permissions(condivisa, fs::perms::all | fs::perms::sticky_bit);
  scrivi_tutto(radice / "bersaglio", "intatto");
  const std::string piantati[] = {".Valdora_Cesina_linea.dat.nuovo",
                                  ".Valdora_Cesina_KT52806.sim.nuovo",
                                  ".Valdora_Cesina_KT52806_report.html.nuovo",
                                  ".Valdora_Cesina_KT52806_note.txt.nuovo"};
  for (const std::string& nome : piantati)
    fs::create_symlink(radice / "bersaglio", condivisa / nome);
  fs::copy_file(programma, condivisa / "scenario_builder");
  const std::string c = virgolette(condivisa.string());
  EXPECT_EQ(esegui(compila_piccola(condivisa.string()) + " --report"), 0);
  EXPECT_EQ(esegui(virgolette(programma) + " report " + c), 0);
  EXPECT_EQ(esegui(virgolette((condivisa / "scenario_builder").string())), 0);
  EXPECT_EQ(leggi_tutto(radice / "bersaglio"), "intatto");
  for (const std::string& nome : piantati)
    EXPECT_TRUE(fs::is_symlink(condivisa / nome)) << nome;
}

TEST(Robustezza, CompileECheckNonScrivonoNullaFuoriDallUscita) {
  // The descriptions are read once, into memory: no private copy, no folder
  // of the process anywhere, nothing next to the author's files, whatever
  // the run ends with.
  cartella_temporanea descrizioni, temporanea, uscita;
  scrivi_tutto(descrizioni / "l.txt", leggi_tutto(piccola_linea));
  scrivi_tutto(descrizioni / "t.txt", "[generale]\r\nstazione, 5\r\n");
  const std::string ambiente =
      "TMPDIR=" + virgolette(temporanea.percorso()) + " ";
  const std::string file = virgolette(descrizioni / "l.txt") + " " +
                           virgolette(descrizioni / "t.txt");
  EXPECT_EQ(esegui(ambiente + virgolette(programma) + " check " + file), 1);
  EXPECT_EQ(esegui(ambiente + virgolette(programma) + " compile " + file +
                   " --out " + virgolette(uscita.percorso())),
            1);
  // Stopped by SIGTERM at whatever point it has reached (128 + 15), or done.
  const int fermato = esegui_script(
      ambiente + virgolette(programma) + " compile " + file + " --out " +
      virgolette(uscita.percorso()) + " & kill -TERM $!; wait $!\n");
  EXPECT_TRUE(fermato == 143 || fermato == 1) << fermato;
  EXPECT_TRUE(fs::is_empty(temporanea.percorso()));
  EXPECT_EQ(elenco(descrizioni.percorso()),
            (std::vector<std::string>{"l.txt", "t.txt"}));
  EXPECT_EQ(leggi_tutto(descrizioni / "l.txt"), leggi_tutto(piccola_linea));
}

TEST(Robustezza, ReportDiUnInsiemeTroncatoEsce3) {
  cartella_temporanea cartella;
  ASSERT_EQ(esegui(compila_piccola(cartella.percorso().string())), 0);
  fs::resize_file(cartella / "Valdora_Cesina_KT52806.dat", 300 * 15);
  std::string errori;
  EXPECT_EQ(esegui(virgolette(programma) + " report " +
                       virgolette(cartella.percorso()),
                   nullptr, &errori),
            3);
  EXPECT_EQ(errori, (cartella / "Valdora_Cesina_KT52806.dat") +
                        ": file non coerente con gli altri al byte 4500: file "
                        "troncato: 301 celle attese, 300 nel file\n");
  EXPECT_FALSE(fs::exists(cartella / "Valdora_Cesina_KT52806_report.html"));
}

}  // namespace
