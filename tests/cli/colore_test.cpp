// Colour in the messages: when it is allowed, which words it marks, and the
// program on a terminal.
#include "cli/colore.h"

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>

#include "aiuti.h"

namespace {

TEST(Colore, QuandoISuoiColoriSonoAmmessi) {
  struct caso {
    const char* nome;
    bool terminale;
    const char* no_color;
    const char* term;
    bool colori;
  };
  const caso casi[] = {
      {"terminale", true, nullptr, "xterm", true},
      {"senza_term", true, nullptr, nullptr, true},
      {"non_terminale", false, nullptr, "xterm", false},
      {"no_color", true, "1", "xterm", false},
      {"no_color_vuota", true, "", "xterm", true},
      {"term_dumb", true, nullptr, "dumb", false},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(colori_richiesti(c.terminale, c.no_color, c.term), c.colori);
  }
}

TEST(Colore, ParoleColorate) {
  struct caso {
    const char* riga;
    const char* colorata;
  };
  const caso casi[] = {
      {"t.txt:13: stazione: errore 8 a 4025 m: posizione\n",
       "t.txt:13: stazione: \x1b[1;31merrore\x1b[0m 8 a 4025 m: posizione\n"},
      {"l.txt:4: avviso: campo ignorato: \"errore\"\n",
       "l.txt:4: \x1b[1;33mavviso\x1b[0m: campo ignorato: \"errore\"\n"},
      {"l.txt:4:7: errore: valore mancante\n",
       "l.txt:4:7: \x1b[1;31merrore\x1b[0m: valore mancante\n"},
      {" Errore n. 1250\n", " \x1b[1;31mErrore n.\x1b[0m 1250\n"},
      // Neither a count nor a word that only begins with one is marked.
      {"2 avvisi\n", "2 avvisi\n"},
      {"x: errorei\n", "x: errorei\n"},
      {"Attendere\n", "Attendere\n"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.riga);
    EXPECT_EQ(colora_riga(c.riga), c.colorata);
  }
}

// The words of the run's language are the ones marked: under the C locale
// the English words, and no longer the Italian ones.
TEST(Colore, ParoleColorateInInglese) {
  struct caso {
    const char* riga;
    const char* colorata;
  };
  const caso casi[] = {
      {"t.txt:13:1: error 8 [recorded]: stazione at 4025 m\n",
       "t.txt:13:1: \x1b[1;31merror\x1b[0m 8 [recorded]: stazione at 4025 m\n"},
      {"l.txt:4:1: warning: field ignored: \"error\"\n",
       "l.txt:4:1: \x1b[1;33mwarning\x1b[0m: field ignored: \"error\"\n"},
      {" Error no. 1250\n", " \x1b[1;31mError no.\x1b[0m 1250\n"},
      {"l.txt:4:7: errore: valore mancante\n",
       "l.txt:4:7: errore: valore mancante\n"},
      {"2 warnings\n", "2 warnings\n"},
  };
  std::setlocale(LC_MESSAGES, "C");
  for (const caso& c : casi) {
    SCOPED_TRACE(c.riga);
    EXPECT_EQ(colora_riga(c.riga), c.colorata);
  }
  std::setlocale(LC_MESSAGES, "it_IT.UTF-8");
}

TEST(Colore, IlFlussoColoraRigaPerRiga) {
  for (bool con_colori : {false, true}) {
    std::ostringstream destinazione;
    {
      flusso_colorato f(destinazione, con_colori);
      f.flusso() << "a.txt:1: avv"
                 << "iso: x\n"
                 << "Attendere" << std::flush;
      EXPECT_EQ(destinazione.str(),
                std::string("a.txt:1: ") +
                    (con_colori ? "\x1b[1;33mavviso\x1b[0m" : "avviso") +
                    ": x\nAttendere");
      f.flusso() << " ancora";
    }
    // What is left is written when the stream ends.
    EXPECT_EQ(destinazione.str().substr(destinazione.str().size() - 7),
              " ancora");
  }
}

// The program under a terminal (a pseudo-terminal from `script`): colour,
// unless NO_COLOR asks for none; never into a file.
TEST(Colore, IlProgrammaSuUnTerminale) {
  const std::string controllo = "'" + std::string(PROGRAMMA) + "' check '" +
                                fixture("piccola/linea.txt") + "' '" +
                                fixture("errate/treno.txt") + "'";
  struct caso {
    const char* nome;
    std::string comando;
    const char* parola;  // the run's word for an error
    bool colori;
  };
  const caso casi[] = {
      {"terminale", "TERM=xterm script -qec \"" + controllo + "\" /dev/null",
       "errore", true},
      {"no_color",
       "TERM=xterm NO_COLOR=1 script -qec \"" + controllo + "\" /dev/null",
       "errore", false},
      {"file", "TERM=xterm " + controllo, "errore", false},
      {"terminale_in_inglese",
       "LC_ALL=C TERM=xterm script -qec \"" + controllo + "\" /dev/null",
       "error", true},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    std::string scritto, errori;
    // `check` finds the fault of the train-run description.
    EXPECT_EQ(esegui(c.comando, &scritto, &errori), 1);
    scritto += errori;
    EXPECT_NE(scritto.find(c.parola), std::string::npos) << scritto;
    EXPECT_EQ(scritto.find(std::string("\x1b[1;31m") + c.parola + "\x1b[0m") !=
                  std::string::npos,
              c.colori)
        << scritto;
  }
}

}  // namespace
