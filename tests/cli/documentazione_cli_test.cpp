// The manual page and the bash completion, generated from the command line.
#include "cli/documentazione_cli.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "aiuti.h"

namespace fs = std::filesystem;

namespace {

TEST(DocumentazioneCli, TestoRoff) {
  struct caso {
    const char* testo;
    const char* roff;
  };
  const caso casi[] = {
      {"--out DIR", "\\-\\-out DIR"},
      {"a\\b", "a\\eb"},
      {".inizio", "\\&.inizio"},
      {"'citato", "\\&'citato"},
      {"a.\n.b", "a.\n\\&.b"},
      {"n\xC3\xA9 gi\xC3\xA0", "n\\[u00E9] gi\\[u00E0]"},
      {"\xE2\x80\x94", "\\[u2014]"},
      {"Citt\xE0", "Citt\\[u00E0]"},  // a byte that begins no UTF-8 letter
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.testo);
    EXPECT_EQ(testo_roff(c.testo), c.roff);
  }
}

// groff reads each page, English and Italian, without a warning; each has a
// section for every command of the help, and its own language's headings and
// usage words; its synopsis is the help's usage line, and every exit status
// is there.
TEST(DocumentazioneCli, PaginaDelManuale) {
  struct caso {
    const char* pagina;
    const char* sezioni;   // the first and the exit statuses' headings
    const char* sintassi;  // a command's synopsis
    const char* lingua;    // the environment of the help in the page's language
    const char* uso;       // the program's usage line in its help
    const char* sintassi_programma;  // the same in the page
  };
  const caso casi[] = {
      {PAGINA_MANUALE, ".SH NAME\n",
       ".B scenario_builder compile\n[\\fIOPTIONS\\fR] "
       "\\fILINE_DESCRIPTION\\fR",
       "LC_ALL=C LANGUAGE= ", "\nUsage: scenario_builder [OPTIONS] COMMAND\n",
       "\n.B scenario_builder\n[\\fIOPTIONS\\fR]\n.I COMMAND\n"},
      {PAGINA_MANUALE_IT, ".SH NOME\n",
       ".B scenario_builder compile\n[\\fIOPZIONI\\fR] "
       "\\fIDESCRIZIONE_LINEA\\fR",
       "", "\nUso: scenario_builder [OPZIONI] COMANDO\n",
       "\n.B scenario_builder\n[\\fIOPZIONI\\fR]\n.I COMANDO\n"},
  };
  const std::vector<std::string> comandi = comandi_del_programma();
  ASSERT_FALSE(comandi.empty());
  for (const caso& c : casi) {
    SCOPED_TRACE(c.pagina);
    std::string avvisi;
    EXPECT_EQ(esegui("groff -man -Tutf8 -ww -z '" + std::string(c.pagina) + "'",
                     nullptr, &avvisi),
              0);
    EXPECT_EQ(avvisi, "");
    const std::string pagina = leggi_tutto(c.pagina);
    EXPECT_NE(pagina.find(c.sezioni), std::string::npos);
    EXPECT_NE(pagina.find(c.sintassi), std::string::npos) << pagina;
    std::string aiuto;
    EXPECT_EQ(
        esegui(std::string(c.lingua) + "'" + PROGRAMMA + "' --help", &aiuto),
        0);
    EXPECT_NE(aiuto.find(c.uso), std::string::npos) << aiuto;
    EXPECT_NE(pagina.find(c.sintassi_programma), std::string::npos) << pagina;
    for (const char* uscita : {"0", "1", "2", "3", "64", "128+n"})
      EXPECT_NE(pagina.find(std::string("\n.B ") + uscita + "\n"),
                std::string::npos)
          << uscita;
    for (const std::string& comando : comandi) {
      SCOPED_TRACE(comando);
      EXPECT_NE(pagina.find("\n.SS " + comando + "\n"), std::string::npos);
      EXPECT_NE(pagina.find("\nscenario_builder " + comando + " "),
                std::string::npos);  // its example
    }
    EXPECT_NE(pagina.find(std::string("\"scenario_builder ") +
                          VERSIONE_PROGRAMMA + "\""),
              std::string::npos);
  }
}

// What bash offers after the words typed so far, in a folder that holds a
// folder and a file.
TEST(DocumentazioneCli, CompletamentoBash) {
  cartella_temporanea cartella;
  fs::create_directory(cartella / "uscita");
  scrivi_tutto(cartella / "linea.txt", "");
  struct caso {
    const char* parole;   // the words, the last one being completed
    const char* offerte;  // sorted
  };
  const caso casi[] = {
      {"scenario_builder comp", "compile"},
      {"scenario_builder \"\"",
       "check compile decompile documents fmt inspect lsp new report watch"},
      {"scenario_builder fmt --c", "--check"},
      {"scenario_builder documents --testo \"\"", "linea.txt uscita"},
      {"scenario_builder --v", "--version"},
      {"scenario_builder compile linea.txt --o", "--out"},
      {"scenario_builder compile --out \"\"", "uscita"},
      {"scenario_builder compile \"\"", "linea.txt uscita"},
      {"scenario_builder compile --line-name \"\"", ""},
      {"scenario_builder report \"\"", "uscita"},
      {"scenario_builder decompile uscita --out \"\"", "uscita"},
      {"scenario_builder inspect --at 4000 li", "linea.txt"},
      {"scenario_builder new --train-code R1 --line-name A u", "uscita"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.parole);
    const std::string comando =
        "cd '" + cartella.percorso().string() + "' && bash -c 'source \"" +
        COMPLETAMENTO_BASH + "\"; COMP_WORDS=(" + c.parole +
        "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _scenario_builder; "
        "echo $(printf \"%s\\n\" \"${COMPREPLY[@]}\" | sort)'";
    std::string offerte;
    EXPECT_EQ(esegui(comando, &offerte), 0);
    EXPECT_EQ(offerte, std::string(c.offerte) + "\n");
  }
}

}  // namespace
