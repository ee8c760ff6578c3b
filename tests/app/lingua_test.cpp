// One language per run. The same runs of the program (the help of every
// command, bad command lines, checks with problems and their count, inspect,
// the report page, new, documents, decompile, failing files, the bare build)
// give under an English locale (LANG=C, LC_ALL=C over an Italian LANG, no
// LANG at all) no Italian word of the program's own, and under
// LANG=it_IT.UTF-8 no English one. Which words belong to one language only is
// read from the catalogue (its msgids are English, its translations Italian),
// with a few function words besides that catch a text never put in it; the
// data's own words (keywords, value and field names, the descriptions' texts)
// are Italian in every run and are left out.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "aiuti.h"
#include "reading/grammatica.h"
#include "tables/campi.h"

namespace fs = std::filesystem;

namespace {

using parole = std::set<std::string>;

bool di_parola(char c) {
  const auto u = static_cast<unsigned char>(c);
  return std::isalnum(u) || c == '_' || u >= 0x80;
}

// The words of a text: runs of letters, digits, underscores and bytes of
// UTF-8 letters, in lower case. An option's name ("--line-name", "-h") is the
// interface's, the same in every language, and is left out.
parole parole_di(const std::string& testo) {
  parole trovate;
  std::string parola;
  const auto aggiungi = [&trovate](std::string& p) {
    // A number is no word of any language.
    if (std::any_of(p.begin(), p.end(), [](char c) {
          return std::isalpha(static_cast<unsigned char>(c)) ||
                 static_cast<unsigned char>(c) >= 0x80;
        }))
      trovate.insert(p);
    p.clear();
  };
  for (std::size_t i = 0; i <= testo.size(); ++i) {
    const char c = i < testo.size() ? testo[i] : ' ';
    const bool opzione =
        c == '-' && parola.empty() && i + 1 < testo.size() &&
        (testo[i + 1] == '-' ||
         std::islower(static_cast<unsigned char>(testo[i + 1])));
    if (opzione) {
      while (i + 1 < testo.size() &&
             (testo[i + 1] == '-' || di_parola(testo[i + 1])))
        ++i;
    } else if (di_parola(c)) {
      parola += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (!parola.empty()) {
      aggiungi(parola);
    }
  }
  return trovate;
}

// A quoted string of a catalogue, its escapes read.
std::string stringa_po(const std::string& riga) {
  const std::size_t a = riga.find('"'), b = riga.rfind('"');
  std::string testo;
  for (std::size_t i = a + 1; i < b; ++i) {
    if (riga[i] == '\\' && i + 1 < b) {
      ++i;
      testo += riga[i] == 'n' ? '\n' : riga[i] == 't' ? '\t' : riga[i];
    } else {
      testo += riga[i];
    }
  }
  return testo;
}

// An entry of po/it.po: its English texts (msgid and msgid_plural) and its
// Italian ones (msgstr, or each msgstr[n]).
struct voce_po {
  std::vector<std::string> inglese, italiano;
};

// Every entry but the header (the empty msgid).
std::vector<voce_po> leggi_catalogo() {
  std::istringstream righe(leggi_tutto(CATALOGO_IT));
  std::vector<voce_po> voci;
  std::string riga;
  std::string* campo = nullptr;
  while (std::getline(righe, riga)) {
    if (riga.rfind("msgid ", 0) == 0) voci.emplace_back();
    if (riga.rfind("msgid", 0) == 0) {
      campo = &voci.back().inglese.emplace_back();
    } else if (riga.rfind("msgstr", 0) == 0) {
      campo = &voci.back().italiano.emplace_back();
    } else if (riga.empty() || riga[0] != '"') {
      campo = nullptr;  // a comment or a context
    }
    if (campo != nullptr) *campo += stringa_po(riga);
  }
  if (!voci.empty() && voci.front().inglese.front().empty())
    voci.erase(voci.begin());
  return voci;
}

// All the texts of one side of the catalogue.
std::string unisci(const std::vector<voce_po>& voci,
                   std::vector<std::string> voce_po::*lato) {
  std::string testo;
  for (const voce_po& v : voci) {
    for (const std::string& t : v.*lato) testo += t + "\n";
  }
  return testo;
}

parole meno(parole a, const parole& b) {
  for (const std::string& p : b) a.erase(p);
  return a;
}

// The words that are the data's: the keywords, section headers and value
// names of both languages, the records' field names, and the words of the
// descriptions a run reads.
parole parole_dei_dati(const std::string& descrizioni) {
  std::string testo = descrizioni;
  for (const forma_chiave& f : forme()) {
    testo += std::string(" ") + std::string(f.scritta);
    for (const valore_chiave& v : f.valori) testo += " " + std::string(v.nome);
  }
  for (fonte_lettura fonte :
       {fonte_lettura::descrizione_linea, fonte_lettura::descrizione_treno}) {
    for (std::string_view i : intestazioni(fonte))
      testo += " " + std::string(i);
  }
  for (const campo<cella>& f : campi_cella) testo += " " + std::string(f.nome);
  for (int record = 0; record < numero_stazioni; ++record) {
    for (const campo<stazione>& f : campi_stazione)
      testo += " " + std::string(nome_del_campo(record, f));
  }
  return parole_di(testo);
}

// The words of each language alone: those of one side of the catalogue that
// the other never uses, and a few function words, the data's left out.
struct parole_straniere {
  parole inglesi, italiane;
};

parole_straniere parole_delle_lingue(const parole& dati) {
  const std::vector<voce_po> voci = leggi_catalogo();
  const parole inglese = parole_di(unisci(voci, &voce_po::inglese));
  const parole italiano = parole_di(unisci(voci, &voce_po::italiano));
  parole inglesi = parole_di(
      "the of is not and with for from this that which are has was were by an "
      "or into on only there than its it");
  parole italiane = parole_di(
      "il lo la gli le di del della delle dei non una uno un per che con "
      "nella nel dalla dal alla al sono è già più fra tra questo questa");
  inglesi.insert(inglese.begin(), inglese.end());
  italiane.insert(italiano.begin(), italiano.end());
  return {meno(meno(inglesi, italiano), dati),
          meno(meno(italiane, inglese), dati)};
}

// The words of `testo` that `straniere` holds.
std::string straniere_in(const std::string& testo, const parole& straniere) {
  std::string trovate;
  for (const std::string& p : parole_di(testo)) {
    if (straniere.count(p)) trovate += " " + p;
  }
  return trovate;
}

// The places {0} to {9} of a text.
std::set<char> posti(const std::string& testo) {
  std::set<char> trovati;
  for (std::size_t i = 0; i + 2 < testo.size(); ++i) {
    if (testo[i] == '{' &&
        std::isdigit(static_cast<unsigned char>(testo[i + 1])) &&
        testo[i + 2] == '}')
      trovati.insert(testo[i + 1]);
  }
  return trovati;
}

// Every translation puts each part of its message in a place of its own: the
// same {0} to {9} as the English text, in each plural form; a place lost or
// misnumbered would drop a value from the message or show it twice.
TEST(Catalogo, OgniTraduzioneHaIPostiDelTestoInglese) {
  const std::vector<voce_po> voci = leggi_catalogo();
  ASSERT_FALSE(voci.empty());
  for (const voce_po& v : voci) {
    SCOPED_TRACE(v.inglese.front());
    for (const std::string& t : v.inglese)
      EXPECT_EQ(posti(t), posti(v.inglese.front()));
    for (const std::string& t : v.italiano)
      EXPECT_EQ(posti(t), posti(v.inglese.front())) << t;
  }
}

// --- The runs -----------------------------------------------------------

// A line description and a train-run description with one of most kinds of
// problem each, in Windows-1252 but for one word in UTF-8.
const std::string linea_con_problemi =
    "[generale]\r\nlunghezza percorso, 8000\r\nlunghezza percorso, 8000\r\n"
    "pendenza, 100, 2\r\n[curv]\r\npendneza, 100, 2\r\nponte sul fiume\r\n"
    "pendenza, 130, 2, 5\r\npendenza, 7950, 70\r\npendenza, 200, x\r\n"
    "montagna, 500, 400, 33\r\ncurvad4, 7900, 9000\r\ncurvas3, 100, 50\r\n"
    "indicatori_vmax, 1000, 400, 100, 100, 0, 100, 100, 100, 0\r\n"
    "indicatori_vmax, 1000, 100, 100, 100, 0, 100, 100, 100\r\n[fine]\r\n";
const std::string treno_con_problemi =
    "[generale]\r\nnumero vetture, 8\r\nvelocita, 500, 100\r\n"
    "velocita, 0, 90\r\n"
    "stazione, 2000, 12, 600, 0,0,0,1,1,0,4,1,1,0, 9,0,0, Alfa\r\n"
    "stazione, 5000, 12, 600, 0,0,0,1,1,0,4,1,1,0, 8,0,0, Citt\xC3\xA0\r\n"
    "stazione, 6025, 12, 600, 0,0,0,1,1,0,4,1,1,0, 9,30,0, Gamma\r\n"
    "[fine]\r\n";

// A train-run description in UTF-8 with a letter that Windows-1252 lacks.
const std::string utf8 =
    "[generale]\r\nstazione, 500, 12, 600, 0,0,0,1,1,0,4,1,1,0, 8,0,0, "
    "\xC5\x81\xC3\xB3"
    "d\xC5\xBA\r\n[fine]\r\n";

// The commands of one run, each through the program `P`, in the folder of
// the descriptions l.txt and t.txt; their output, both streams, in order.
std::string script_dei_comandi() {
  return R"SH(exec 2>&1
P="$1"
$P --help
for c in compile check inspect report documents new decompile; do
  $P $c --help; done
$P compile; $P check l.txt t.txt extra; $P inspect x.dat --json --csv
$P compile l.txt t.txt --numero 2; $P check l.txt t.txt --encoding x
$P inspect x.dat --at y; $P inspect x.dat --at; $P compil; $P zzz; $P --zz
$P check l.txt t.txt; $P check --encoding utf-8 l.txt u.txt
$P compile l.txt t.txt --out o1 --report --documents
$P compile l.txt t.txt --out o1 --strict
$P check /xq7/l.txt t.txt; $P compile l.txt t.txt --out l.txt
$P compile l.txt t.txt --out /xq7/o9; $P compile l.txt t.txt --line-name a/b
$P inspect o1/Valdora_Cesina_KT52806.sim o1/Valdora_Cesina_KT52806.dat \
  o1/Valdora_Cesina_linea.dat
$P inspect o1/Valdora_Cesina_KT52806.dat --at 2000; $P inspect l.txt
$P inspect o1/Valdora_Cesina_KT52806.sim --csv
head -c 1000 o1/Valdora_Cesina_KT52806.sim > r1.sim; $P inspect r1.sim
mkdir -p o5; cp o1/Valdora_Cesina_KT52806.sim o5/
head -c 1500 o1/Valdora_Cesina_KT52806.dat > o5/Valdora_Cesina_KT52806.dat
$P inspect o5/*; $P report o1; mkdir -p o6; $P report o6
$P new n1; $P new n1; $P check --strict n1/*_linea.txt n1/*_KT52806.txt
$P documents l.txt t.txt --out o4; $P documents l.txt t.txt --data 31.02.2020
$P documents l.txt t.txt --autore "$(printf '\305\201')"
$P documents l.txt t.txt --numero 0; $P documents l.txt t.txt --testo n0
printf 'ab\377\n' > n2.txt; $P documents l.txt t.txt --testo n2.txt
$P decompile o1 --out o2; $P decompile o1 --out o2
printf '\143' | dd of=o1/Valdora_Cesina_KT52806.dat bs=1 seek=75 \
  conv=notrunc 2>/dev/null
$P decompile o1 --out o3
)SH";
}

struct esito_corsa {
  std::string uscita;  // both streams of every command
  std::string pagina;  // the report page's text and its script's words
  std::string json;    // the texts for people of check --json and inspect
};

// The part of `testo` from `inizio` up to `fine` (both left out), and the
// text with it taken away.
std::string togli(std::string& testo, const std::string& inizio,
                  const std::string& fine) {
  const std::size_t a = testo.find(inizio);
  const std::size_t b = a == std::string::npos ? a : testo.find(fine, a);
  if (b == std::string::npos) return "";
  std::string parte = testo.substr(a + inizio.size(), b - a - inizio.size());
  testo.erase(a, b + fine.size() - a);
  return parte;
}

// The texts of a page for people: its elements' text, titles and
// placeholder, and the words of its script; the markup, the style and the
// script's code left out.
std::string testo_della_pagina(std::string html) {
  togli(html, "<style>", "</style>");
  // The script's words are the values of T, its keys being the code's.
  const std::string parole_script = togli(html, "var T = {", "};");
  std::string testi;
  for (std::size_t a = parole_script.find(": \""); a != std::string::npos;
       a = parole_script.find(": \"", a + 1)) {
    testi +=
        parole_script.substr(a + 3, parole_script.find('"', a + 3) - a - 3) +
        "\n";
  }
  togli(html, "<script>", "</script>");
  bool dentro = false;
  for (char c : html) {
    if (c == '<') dentro = true;
    testi += dentro ? ' ' : c;
    if (c == '>') dentro = false;
  }
  for (const std::string nome : {"title=\"", "placeholder=\""}) {
    for (std::size_t i = html.find(nome); i != std::string::npos;
         i = html.find(nome, i + 1)) {
      const std::size_t a = i + nome.size();
      testi += " " + html.substr(a, html.find('"', a) - a);
    }
  }
  return testi;
}

// The texts for people of a JSON document: messages, descriptions, roles and
// kinds in words; its keys and the values that scripts compare are the
// interface's.
void testi_json(const nlohmann::json& j, std::string& testi) {
  static const std::set<std::string> chiavi = {
      "messaggio", "riga_intera", "descrizione", "ruolo", "tipo_testo"};
  if (j.is_object()) {
    for (const auto& [chiave, valore] : j.items()) {
      if (valore.is_string() && chiavi.count(chiave))
        testi += valore.get<std::string>() + "\n";
      testi_json(valore, testi);
    }
  } else if (j.is_array()) {
    for (const auto& v : j) testi_json(v, testi);
  }
}

esito_corsa corsa(const std::string& ambiente) {
  cartella_temporanea qui;
  scrivi_tutto(qui / "l.txt", linea_con_problemi);
  scrivi_tutto(qui / "t.txt", treno_con_problemi);
  scrivi_tutto(qui / "u.txt", utf8);
  scrivi_tutto(qui / "comandi.sh", script_dei_comandi());
  const std::string in_qui = "cd '" + qui.percorso().string() + "' && ";
  esito_corsa e;
  esegui(in_qui + ambiente + " sh comandi.sh '" + PROGRAMMA + "'", &e.uscita);
  e.pagina = testo_della_pagina(
      leggi_tutto(qui / "o1/Valdora_Cesina_KT52806_report.html"));
  for (const char* comando : {" check --json l.txt t.txt",
                              " inspect --json out/Valdora_Cesina_KT52806.sim "
                              "out/Valdora_Cesina_linea.dat"}) {
    std::string json;
    esegui(in_qui + ambiente + " '" + PROGRAMMA + "'" + comando, &json);
    testi_json(nlohmann::json::parse(json), e.json);
  }
  // The bare build, from a copy of the program beside its catalogue.
  fs::create_directory(qui / "bin");
  std::string uscita, errori;
  esegui(ambiente + " '" + installa_programma(qui.percorso() / "bin") + "'",
         &uscita, &errori);
  e.uscita += errori;
  return e;
}

struct lingua_della_corsa {
  const char* nome;
  const char* ambiente;  // before the command
  bool italiano;
  const char* uso;    // the usage line of compile
  const char* conto;  // the count of check's problems
};

class UnaLinguaPerCorsa : public ::testing::TestWithParam<lingua_della_corsa> {
};

void PrintTo(const lingua_della_corsa& l, std::ostream* uscita) {
  *uscita << l.nome;
}

TEST_P(UnaLinguaPerCorsa, NessunaParolaDelProgrammaNellAltraLingua) {
  const lingua_della_corsa& l = GetParam();
  const esito_corsa e = corsa(l.ambiente);
  const parole_straniere straniere = parole_delle_lingue(parole_dei_dati(
      linea_con_problemi + treno_con_problemi + utf8 + " l.txt t.txt u.txt"));
  const parole& altra = l.italiano ? straniere.inglesi : straniere.italiane;
  // In the run's language, CLI11's words and the plural forms included.
  EXPECT_NE(e.uscita.find(l.uso), std::string::npos) << e.uscita;
  EXPECT_NE(e.uscita.find(l.conto), std::string::npos) << e.uscita;
  EXPECT_EQ(straniere_in(e.uscita, altra), "") << e.uscita;
  EXPECT_EQ(straniere_in(e.pagina, altra), "") << e.pagina;
  EXPECT_EQ(straniere_in(e.json, altra), "") << e.json;
}

INSTANTIATE_TEST_SUITE_P(
    Lingue, UnaLinguaPerCorsa,
    ::testing::Values(
        lingua_della_corsa{
            "lang_c", "env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=C", false,
            "Usage: scenario_builder compile [OPTIONS] LINE_DESCRIPTION "
            "TRAIN_RUN_DESCRIPTION",
            "errors, "},
        lingua_della_corsa{
            "lc_all_c", "env -u LANGUAGE LC_ALL=C LANG=it_IT.UTF-8", false,
            "Usage: scenario_builder compile [OPTIONS] LINE_DESCRIPTION "
            "TRAIN_RUN_DESCRIPTION",
            "errors, "},
        lingua_della_corsa{
            "senza_lang", "env -u LC_ALL -u LC_MESSAGES -u LANGUAGE -u LANG",
            false,
            "Usage: scenario_builder compile [OPTIONS] LINE_DESCRIPTION "
            "TRAIN_RUN_DESCRIPTION",
            "errors, "},
        lingua_della_corsa{
            "lang_it",
            "env -u LC_ALL -u LC_MESSAGES -u LANGUAGE "
            "LANG=it_IT.UTF-8",
            true,
            "Uso: scenario_builder compile [OPZIONI] DESCRIZIONE_LINEA "
            "DESCRIZIONE_TRENO",
            "errori, "}),
    [](const auto& info) { return std::string(info.param.nome); });

// The system's errors come in the run's language even where the C library
// would choose another: a LANGUAGE list naming a language without a
// catalogue, English asked for before Italian, Italian messages under an
// ASCII character set.
struct errore_di_sistema {
  const char* nome;
  const char* ambiente;             // for `env -i`
  const char *cartella, *mancante;  // the two lines, after the file's name
};

void PrintTo(const errore_di_sistema& e, std::ostream* uscita) {
  *uscita << e.nome;
}

class ErroriDiSistema : public ::testing::TestWithParam<errore_di_sistema> {};

TEST_P(ErroriDiSistema, NellaLinguaDellaCorsa) {
  const errore_di_sistema& c = GetParam();
  cartella_temporanea qui;
  fs::create_directory(qui / "cartella");
  std::string errori;
  const std::string programma = std::string(" '") + PROGRAMMA + "' check ";
  const std::string in_qui = "cd '" + qui.percorso().string() + "' && env -i ";
  esegui(in_qui + c.ambiente + programma + "cartella t.txt", nullptr, &errori);
  EXPECT_EQ(errori, std::string("cartella: ") + c.cartella + "\n");
  esegui(in_qui + c.ambiente + programma + "mancante t.txt", nullptr, &errori);
  EXPECT_EQ(errori, std::string("mancante: ") + c.mancante + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Lingue, ErroriDiSistema,
    ::testing::Values(
        errore_di_sistema{"lingua_senza_catalogo",
                          "LANG=it_IT.UTF-8 LANGUAGE=es", "Is a directory",
                          "No such file or directory"},
        errore_di_sistema{"prima_una_senza_catalogo",
                          "LANG=it_IT.UTF-8 LANGUAGE=fr:it", "È una directory",
                          "File o directory non esistente"},
        errore_di_sistema{"inglese_prima_dell_italiano",
                          "LANG=it_IT.UTF-8 LANGUAGE=en:it", "Is a directory",
                          "No such file or directory"},
        errore_di_sistema{"inglese_con_il_codice_prima_dell_italiano",
                          "LANG=it_IT.UTF-8 LANGUAGE=en.UTF-8:it",
                          "Is a directory", "No such file or directory"},
        errore_di_sistema{"solo_i_messaggi", "LC_MESSAGES=it_IT.UTF-8",
                          "È una directory", "File o directory non esistente"}),
    [](const auto& info) { return std::string(info.param.nome); });

// What scripts read from inspect (its JSON and its CSV) is the same in every
// language: keys, kinds of cell and roles of records included.
TEST(UnaLinguaPerCorsa, IlJsonEIlCsvNonCambianoConLaLingua) {
  cartella_temporanea qui;
  const std::string p = std::string("'") + PROGRAMMA + "' ";
  const std::string in_qui = "cd '" + qui.percorso().string() + "' && ";
  ASSERT_EQ(esegui(in_qui + p + "new s && " + p +
                   "compile s/Valdora_Cesina_linea.txt "
                   "s/Valdora_Cesina_KT52806.txt --out o"),
            0);
  for (const char* vista : {"inspect --json o/Valdora_Cesina_KT52806.dat",
                            "inspect --csv o/Valdora_Cesina_KT52806.dat",
                            "inspect --json o/Valdora_Cesina_KT52806.sim"}) {
    std::string inglese, italiano;
    esegui(in_qui + "env -u LC_ALL -u LANGUAGE LANG=C " + p + vista, &inglese);
    esegui(in_qui + "env -u LC_ALL -u LANGUAGE LANG=it_IT.UTF-8 " + p + vista,
           &italiano);
    EXPECT_FALSE(inglese.empty()) << vista;
    EXPECT_EQ(inglese, italiano) << vista;
  }
}

}  // namespace
