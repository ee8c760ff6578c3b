// The command line as a user meets it: the version, a mistyped command, each
// command's help, the short report of a bad command line, output folders and
// the paths printed, and `report` finding the scenario of a folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "aiuti.h"

namespace fs = std::filesystem;

namespace {

int programma_con(const std::string& argomenti, std::string* uscita = nullptr,
                  std::string* errori = nullptr) {
  return esegui(virgolette(programma) + " " + argomenti, uscita, errori);
}

std::string piccola() {
  return virgolette(fixture("piccola/linea.txt")) + " " +
         virgolette(fixture("piccola/treno.txt"));
}

TEST(RigaDiComando, Versione) {
  std::string scritto, errori;
  EXPECT_EQ(programma_con("--version", &scritto, &errori), 0);
  EXPECT_EQ(scritto,
            std::string("scenario_builder ") + VERSIONE_PROGRAMMA + "\n");
  EXPECT_EQ(errori, "");
}

TEST(RigaDiComando, ComandoSconosciutoConIlPiuVicino) {
  struct caso {
    const char* scritto;
    const char* inteso;  // empty: no command is close
  };
  const caso casi[] = {
      {"compil", "compile"},
      {"chek", "check"},
      {"reprot", "report"},
      {"inspct", "inspect"},
      {"documnets", "documents"},
      {"nwe", "new"},
      {"comp", "compile"},
      {"Compile", "compile"},
      {"aiuto", ""},
      {"x", ""},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.scritto);
    std::string scritto, errori;
    EXPECT_EQ(
        programma_con(std::string(c.scritto) + " a.txt", &scritto, &errori),
        64);
    EXPECT_EQ(scritto, "");
    const std::string atteso =
        *c.inteso
            ? std::string("forse \"") + c.inteso + "\"?"
            : "i comandi sono: compile check inspect report documents new";
    EXPECT_NE(errori.find(atteso), std::string::npos) << errori;
    // Not the whole help: the usage line and where the help is.
    EXPECT_EQ(errori.find("Comandi:"), std::string::npos) << errori;
    EXPECT_NE(errori.find("scenario_builder --help"), std::string::npos);
  }
}

TEST(RigaDiComando, AiutoDiOgniComandoConUnEsempio) {
  const std::vector<std::string> comandi = comandi_del_programma();
  ASSERT_FALSE(comandi.empty());
  for (const std::string& comando : comandi) {
    SCOPED_TRACE(comando);
    std::string scritto;
    EXPECT_EQ(programma_con(comando + " --help", &scritto), 0);
    EXPECT_NE(scritto.find("\nEsempio:\n  scenario_builder " + comando + " "),
              std::string::npos)
        << scritto;
  }
}

TEST(RigaDiComando, UnErroreDiUsoDiceDoveSiTrovaLAiuto) {
  std::string errori;
  EXPECT_EQ(programma_con("compile " + piccola() + " --plan", nullptr, &errori),
            64);
  EXPECT_NE(errori.find("--plan"), std::string::npos);
  EXPECT_NE(errori.find("\nUso: scenario_builder compile [OPZIONI] "
                        "DESCRIZIONE_LINEA DESCRIZIONE_TRENO\n"),
            std::string::npos)
      << errori;
  EXPECT_NE(errori.find("scenario_builder compile --help\n"),
            std::string::npos);
  EXPECT_EQ(errori.find("Opzioni:"), std::string::npos);
}

// Every bad command line, whichever part of the program finds it, says what
// is wrong and ends with the usage of the command being read and where its
// help is, once.
TEST(RigaDiComando, OgniErroreDiUsoFinisceConUsoEAiuto) {
  struct caso {
    std::string argomenti;
    const char* errore;
    const char* comando;  // whose usage and help end it; empty: the program's
  };
  const caso casi[] = {
      {"--verison", "opzione sconosciuta \"--verison\"; forse \"--version\"?",
       ""},
      {"--v compile", "opzione sconosciuta \"--v\"; forse \"--version\"?", ""},
      {"-x", "opzione sconosciuta \"-x\"\n", ""},
      {"compil a.txt", "forse \"compile\"?", ""},
      {"compile " + piccola() + " --strcit",
       "opzione sconosciuta \"--strcit\"; forse \"--strict\"?", "compile"},
      {"check --json=1 --jsno " + piccola(),
       "opzione sconosciuta \"--jsno\"; forse \"--json\"?", "check"},
      {"decompile --ot x", "opzione sconosciuta \"--ot\"; forse \"--out\"?",
       "decompile"},
      {"check --version",
       "\"--version\" \xC3\xA8 un'opzione del programma: va data prima del "
       "comando",
       "check"},
      {"compile " + piccola() + " terzo.txt", "argomento inatteso: terzo.txt",
       "compile"},
      {"inspect --at 1 --at 2 f.dat",
       "--at si pu\xC3\xB2 indicare una volta sola", "inspect"},
      {"inspect f", "f: file non riconosciuto", "inspect"},
      {"documents " + piccola() + " --numero 0", "--numero: 0: ", "documents"},
      {"new d --line-name a/b", "nome non valido per un file", "new"},
      // Names with a leading dot are those of the working files.
      {"new d --line-name .", "non pu\xC3\xB2 iniziare con un punto", "new"},
      {"compile " + piccola() + " --line-name .linea",
       "non pu\xC3\xB2 iniziare con un punto", "compile"},
      {"new d --train-code .R", "non pu\xC3\xB2 iniziare con un punto", "new"},
      {"compile " + piccola() + " --line-name ''",
       "il nome della linea non pu\xC3\xB2 essere vuoto", "compile"},
      {"new d --train-code ''",
       "il codice del treno non pu\xC3\xB2 essere vuoto", "new"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.argomenti);
    cartella_temporanea cartella;
    std::string scritto, errori;
    EXPECT_EQ(esegui("cd " + virgolette(cartella.percorso().string()) + " && " +
                         virgolette(programma) + " " + c.argomenti,
                     &scritto, &errori),
              64);
    EXPECT_EQ(scritto, "");
    EXPECT_TRUE(fs::is_empty(cartella.percorso()));
    EXPECT_NE(errori.find(c.errore), std::string::npos) << errori;
    const std::string comando =
        *c.comando ? std::string("scenario_builder ") + c.comando
                   : std::string("scenario_builder");
    const std::string uso = "\nUso: " + comando + " [OPZIONI] ";
    EXPECT_NE(errori.find(uso), std::string::npos) << errori;
    EXPECT_EQ(errori.find("Uso: "), errori.rfind("Uso: ")) << errori;
    const std::string aiuto = "\nAiuto: " + comando + " --help\n";
    EXPECT_EQ(errori.size() - errori.rfind(aiuto), aiuto.size()) << errori;
  }
}

// --strict says, in each command's help, what it does there.
TEST(RigaDiComando, AiutoDiStrictSecondoIlComando) {
  struct caso {
    const char* comando;
    const char* strict;
  };
  const caso casi[] = {
      {"compile", "(compile non scrive file)"},
      {"check", "(lo stato di uscita \xC3\xA8 1)"},
      {"documents", "(non viene scritto alcun documento)"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.comando);
    std::string scritto;
    EXPECT_EQ(programma_con(std::string(c.comando) + " --help", &scritto), 0);
    const std::size_t inizio = scritto.find("--strict ");
    ASSERT_NE(inizio, std::string::npos) << scritto;
    const std::string riga =
        scritto.substr(inizio, scritto.find('\n', inizio) - inizio);
    EXPECT_TRUE(riga.ends_with(c.strict)) << riga;
  }
}

TEST(RigaDiComando, CartellaDiUscita) {
  struct caso {
    const char* nome;
    std::function<void(const cartella_temporanea&)> prepara;
    const char* out;  // under the temporary folder
    int uscita;
    const char* messaggio;
  };
  const caso casi[] = {
      {"esistente",
       [](const cartella_temporanea& r) { fs::create_directory(r / "out"); },
       "out", 0, ""},
      {"creata", [](const cartella_temporanea&) {}, "out", 0, ""},
      {"genitore_mancante", [](const cartella_temporanea&) {}, "manca/out", 3,
       "manca/out: cartella di uscita non trovata"},
      {"un_file",
       [](const cartella_temporanea& r) { scrivi_tutto(r / "out", ""); }, "out",
       3, "out: non \xC3\xA8 una cartella"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    cartella_temporanea radice;
    c.prepara(radice);
    std::string errori;
    EXPECT_EQ(programma_con("compile " + piccola() + " --no-plan --out " +
                                virgolette(radice / c.out),
                            nullptr, &errori),
              c.uscita);
    EXPECT_NE(errori.find(c.messaggio), std::string::npos) << errori;
    if (c.uscita == 0) {
      EXPECT_EQ(elenco(radice / c.out).size(), 2u);
    }
  }
}

TEST(RigaDiComando, PercorsiSenzaSeparatoriDoppi) {
  cartella_temporanea radice;
  std::string scritto, errori;
  ASSERT_EQ(esegui("cd " + virgolette(radice.percorso().string()) + " && " +
                       virgolette(programma) + " compile " + piccola() +
                       " --report --out out//",
                   &scritto, &errori),
            0)
      << errori;
  EXPECT_EQ(scritto,
            "out/Valdora_Cesina_linea.dat\nout/Valdora_Cesina_KT52806.sim\n"
            "out/Valdora_Cesina_KT52806.dat\n"
            "out/Valdora_Cesina_KT52806_report.html\n");
  ASSERT_EQ(esegui("cd " + virgolette(radice.percorso().string()) + " && " +
                       virgolette(programma) + " report out/",
                   &scritto, &errori),
            0)
      << errori;
  EXPECT_EQ(scritto, "out/Valdora_Cesina_KT52806_report.html\n");
}

// `report DIR` with the names that the folder's files give.
TEST(RigaDiComando, ReportTrovaLoScenarioDellaCartella) {
  cartella_temporanea cartella;
  const std::string dir = virgolette(cartella.percorso().string());
  auto compila = [&](const std::string& nomi) {
    return programma_con("compile " + piccola() + " --out " + dir + " " + nomi);
  };
  std::string scritto, errori;
  EXPECT_EQ(programma_con("report " + dir, nullptr, &errori), 3);
  EXPECT_NE(errori.find("nessuno scenario"), std::string::npos) << errori;

  // Names with "_" in both: the station table's records tell how to split.
  // Files whose name leaves one of the two names empty are no scenario.
  for (const char* nome : {"Sola_.sim", "Sola_.dat", "_R2.sim", "_R2.dat"})
    scrivi_tutto(cartella / nome, "");
  ASSERT_EQ(compila("--line-name Alta_Valle --train-code R_1 --no-plan"), 0);
  EXPECT_EQ(programma_con("report " + dir, &scritto, &errori), 0) << errori;
  EXPECT_EQ(scritto, cartella / "Alta_Valle_R_1_report.html" + "\n");

  // A name that no scenario there bears: the files that were looked for.
  struct cercato {
    const char* comando;
    const char* nomi;
    const char* file;
  };
  const cercato cercati[] = {
      {"report", "--line-name Nope", "Nope_*.sim e Nope_*.dat"},
      {"report", "--train-code R9", "*_R9.sim e *_R9.dat"},
      {"decompile", "--out sorgenti --line-name Nope",
       "Nope_*.sim e Nope_*.dat"},
  };
  for (const cercato& c : cercati) {
    SCOPED_TRACE(std::string(c.comando) + " " + c.nomi);
    EXPECT_EQ(programma_con(std::string(c.comando) + " " + dir + " " + c.nomi,
                            nullptr, &errori),
              3);
    EXPECT_EQ(errori, cartella.percorso().string() +
                          ": nessuno scenario (servono " + c.file + ")\n");
  }

  ASSERT_EQ(compila(""), 0);
  EXPECT_EQ(programma_con("report " + dir, &scritto, &errori), 64);
  EXPECT_NE(errori.find("2 scenari"), std::string::npos) << errori;
  EXPECT_NE(errori.find("  --line-name Alta_Valle --train-code R_1\n"
                        "  --line-name Valdora_Cesina --train-code KT52806\n"),
            std::string::npos)
      << errori;

  // One name is enough to choose.
  EXPECT_EQ(programma_con("report " + dir + " --train-code KT52806", &scritto,
                          &errori),
            0)
      << errori;
  EXPECT_EQ(scritto, cartella / "Valdora_Cesina_KT52806_report.html" + "\n");
}

}  // namespace
