// inspect and report on the default scenario and on damaged files.
#include <expat.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "aiuti.h"
#include "banco.h"
#include "compiler/uscita_binaria.h"
#include "tables/formato.h"
#include "commands/compila.h"
#include "commands/ispeziona.h"
#include "commands/pagina_comando.h"
#include "page/pagina.h"

namespace fs = std::filesystem;

namespace {

// The default scenario compiled into a real folder once for every test here.
class Strumenti : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    cartella_ = new cartella_temporanea;
    scrivi_tutto(*cartella_ / "l.txt", testo_di(righe_linea()));
    scrivi_tutto(*cartella_ / "t.txt", testo_di(righe_treno()));
    opzioni_compila o;
    o.linea = *cartella_ / "l.txt";
    o.treno = *cartella_ / "t.txt";
    o.cartella = cartella_->percorso().string();
    o.pagina = true;
    std::ostringstream uscita, errori;
    ASSERT_EQ(esegui_compila(o, uscita, errori), 0) << errori.str();
  }
  static void TearDownTestSuite() { delete cartella_; }

  static std::string file(const std::string& nome) { return *cartella_ / nome; }

  static int ispeziona(opzioni_ispeziona o, std::string& uscita,
                       std::string& errori) {
    std::ostringstream u, e;
    const int esito = esegui_ispeziona(o, u, e);
    uscita = u.str();
    errori = e.str();
    return esito;
  }

  static cartella_temporanea* cartella_;
};

cartella_temporanea* Strumenti::cartella_ = nullptr;

TEST_F(Strumenti, DecodificareERicodificareDaGliStessiByte) {
  const std::string dat = leggi_tutto(file("Valdora_Cesina_KT52806.dat"));
  const std::string sim = leggi_tutto(file("Valdora_Cesina_KT52806.sim"));
  const std::string piano = leggi_tutto(file("Valdora_Cesina_linea.dat"));
  errore_decodifica e;
  std::vector<cella> celle;
  tabella_stazioni stazioni;
  coordinate_piano p;
  ASSERT_TRUE(decodifica_celle(dat, celle, e));
  ASSERT_TRUE(decodifica_stazioni(sim, stazioni, e));
  ASSERT_TRUE(decodifica_piano(piano, p, e));
  std::string di_nuovo;
  for (const cella& c : celle) codifica_cella(di_nuovo, c);
  EXPECT_EQ(di_nuovo, dat);
  di_nuovo.clear();
  for (const stazione& r : stazioni) codifica_stazione(di_nuovo, r);
  EXPECT_EQ(di_nuovo, sim);
  di_nuovo.clear();
  for (int asse = 0; asse < 2; ++asse)
    codifica_asse(di_nuovo, p, asse, 0, p.ultimo_metro());
  EXPECT_EQ(di_nuovo, piano);
  EXPECT_EQ(stazioni[10].nome, "Lavis");
  EXPECT_EQ(p.ultimo_metro(), 69000);
}

TEST_F(Strumenti, VisteDiInspect) {
  std::string uscita, errori;
  opzioni_ispeziona o;
  o.file = {file("Valdora_Cesina_KT52806.sim")};
  ASSERT_EQ(ispeziona(o, uscita, errori), 0) << errori;
  EXPECT_NE(uscita.find("record 1 (stazione) \"BOLZANO / BOZEN\": tipo 12, "
                        "inizio -500, fine 500"),
            std::string::npos);
  EXPECT_NE(uscita.find("orario 35820 (09:57:00)"), std::string::npos);
  EXPECT_NE(uscita.find("\"Magr\xC3\xA8/ Magreid\""),
            std::string::npos);  // UTF-8 on the console
  EXPECT_EQ(uscita.find("record 13 "), std::string::npos);  // empty: not shown

  o.file = {file("Valdora_Cesina_KT52806.dat")};
  o.metro = 46200;
  ASSERT_EQ(ispeziona(o, uscita, errori), 0);
  EXPECT_NE(uscita.find("cella 924 (46150 m): fermata, dato1 10"),
            std::string::npos)
      << uscita;
  EXPECT_EQ(std::count(uscita.begin(), uscita.end(), '\n'), 12);

  o.metro.reset();
  o.csv = true;
  ASSERT_EQ(ispeziona(o, uscita, errori), 0);
  EXPECT_EQ(std::count(uscita.begin(), uscita.end(), '\n'), 1382);
  EXPECT_NE(uscita.find("\n143,7100,1,\"segnale\",42,0,0,8,0,0,0,30,100,100\n"),
            std::string::npos);

  o.csv = false;
  o.json = true;
  o.file = {file("Valdora_Cesina_KT52806.sim"),
            file("Valdora_Cesina_linea.dat")};
  ASSERT_EQ(ispeziona(o, uscita, errori), 0);
  const auto j = nlohmann::json::parse(uscita);
  ASSERT_EQ(j.size(), 2u);
  EXPECT_EQ(j[0]["tipo"], "stazioni");
  EXPECT_EQ(j[0]["record"][6]["nome"], "Magr\xC3\xA8/ Magreid");
  EXPECT_EQ(j[0]["record"][0]["ora"], "09:57:00");
  EXPECT_EQ(j[1]["tipo"], "geometria");
  EXPECT_EQ(j[1]["ultimo_metro_calcolato"], 68998);
  EXPECT_EQ(j[1]["punti"][0]["y"], 0.0);
}

TEST_F(Strumenti, FileDanneggiati) {
  struct caso {
    const char* nome;
    const char* originale;
    std::function<std::string(std::string)> danno;
    int uscita;
    const char* messaggio;
  };
  const caso casi[] = {
      {"celle_troncate", "Valdora_Cesina_KT52806.dat",
       [](std::string d) { return d.substr(0, 31); }, 3,
       "errore di decodifica al byte 30: cella incompleta"},
      {"celle_vuote", "Valdora_Cesina_KT52806.dat",
       [](std::string) { return std::string(); }, 3,
       "errore di decodifica al byte 0: file vuoto"},
      {"stazioni_troncate", "Valdora_Cesina_KT52806.sim",
       [](std::string d) { return d.substr(0, 60); }, 3,
       "errore di decodifica al byte 50: record 1 troncato"},
      {"stazioni_con_byte_in_piu", "Valdora_Cesina_KT52806.sim",
       [](std::string d) { return d + "x"; }, 3,
       "errore di decodifica al byte 3748: byte dopo il record 86"},
      {"nome_piu_lungo_del_file", "Valdora_Cesina_KT52806.sim",
       [](std::string d) {
         d[14] = '\xFF';
         d[15] = '\xFF';
         return d;
       },
       3, "errore di decodifica al byte 16: record 0 troncato"},
      {"piano_tipo_sconosciuto", "Valdora_Cesina_linea.dat",
       [](std::string d) {
         d[4] = 7;
         return d;
       },
       3, "errore di decodifica al byte 4: tipo di elemento sconosciuto 7"},
      {"piano_troncato", "Valdora_Cesina_linea.dat",
       [](std::string d) { return d.substr(0, 13); }, 3,
       "errore di decodifica al byte 8: elemento troncato"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    cartella_temporanea danni;
    const std::string via = danni / c.originale;
    scrivi_tutto(via, c.danno(leggi_tutto(file(c.originale))));
    opzioni_ispeziona o;
    o.file = {via};
    std::string uscita, errori;
    EXPECT_EQ(ispeziona(o, uscita, errori), c.uscita);
    EXPECT_EQ(errori, via + ": " + c.messaggio + "\n");
  }
  opzioni_ispeziona o;
  o.file = {file("l.txt")};
  std::string uscita, errori;
  EXPECT_EQ(ispeziona(o, uscita, errori), 64);
}

// The page parsed as XML: the elements by name, and the ones with an id or a
// class.
struct analisi_pagina {
  std::map<std::string, int> elementi;
  std::map<std::string, int> id;
  std::map<std::string, int> classi;
  std::map<std::string, std::string> id_elemento;
};

void XMLCALL apri(void* dati, const XML_Char* nome,
                  const XML_Char** attributi) {
  auto* a = static_cast<analisi_pagina*>(dati);
  a->elementi[nome]++;
  for (int i = 0; attributi[i] != nullptr; i += 2) {
    if (std::string(attributi[i]) == "id") {
      a->id[attributi[i + 1]]++;
      a->id_elemento[attributi[i + 1]] = nome;
    }
    if (std::string(attributi[i]) == "class")
      a->classi[std::string(nome) + "." + attributi[i + 1]]++;
  }
}
void XMLCALL chiudi(void*, const XML_Char*) {}

TEST_F(Strumenti, PaginaBenFormataConMappaProfiliEOrario) {
  const std::string pagina =
      leggi_tutto(file("Valdora_Cesina_KT52806_report.html"));
  analisi_pagina a;
  XML_Parser parser = XML_ParserCreateNS(nullptr, ' ');
  XML_SetUserData(parser, &a);
  XML_SetElementHandler(parser, apri, chiudi);
  const bool ben_formata =
      XML_Parse(parser, pagina.data(), static_cast<int>(pagina.size()), 1) ==
      XML_STATUS_OK;
  EXPECT_TRUE(ben_formata) << XML_ErrorString(XML_GetErrorCode(parser))
                           << " alla riga " << XML_GetCurrentLineNumber(parser);
  XML_ParserFree(parser);
  const std::string svg = "http://www.w3.org/2000/svg svg";
  EXPECT_EQ(a.id_elemento["mappa"], svg);
  EXPECT_EQ(a.id_elemento["profili"], svg);
  EXPECT_EQ(a.id_elemento["profili-dati"], svg);  // the data, zoomed inside
  EXPECT_EQ(a.id["mappa"], 1);
  EXPECT_EQ(a.elementi["http://www.w3.org/2000/svg svg"], 3);
  EXPECT_EQ(a.classi["http://www.w3.org/2000/svg polyline.altimetria"], 1);
  EXPECT_EQ(a.classi["http://www.w3.org/2000/svg polyline.velocita"], 1);
  EXPECT_EQ(a.classi["http://www.w3.org/2000/svg polyline.curvatura"], 1);
  // Every station and signal in the map and in the profiles.
  EXPECT_EQ(a.classi["http://www.w3.org/2000/svg g.v st"], 2 * 12);
  EXPECT_EQ(a.classi["http://www.w3.org/2000/svg g.v sg"], 2 * 22);
  EXPECT_EQ(a.classi["http://www.w3.org/1999/xhtml tr.st"], 12);
  EXPECT_EQ(a.id_elemento["problemi"], "http://www.w3.org/1999/xhtml p");
  // Self-contained: one inline script, nothing loaded from elsewhere.
  EXPECT_EQ(a.elementi["http://www.w3.org/1999/xhtml script"], 1);
  EXPECT_EQ(pagina.find("src="), std::string::npos);
  EXPECT_EQ(pagina.find("href="), std::string::npos);
  EXPECT_EQ(pagina.find("url("), std::string::npos);
  EXPECT_EQ(pagina.find("@import"), std::string::npos);
  EXPECT_NE(pagina.find("Nessun errore registrato."), std::string::npos);
  EXPECT_NE(pagina.find("<td>Magr\xC3\xA8/ Magreid</td>"), std::string::npos);
  EXPECT_NE(pagina.find("<td>10:31:00</td>"), std::string::npos);
}

TEST_F(Strumenti, ReportDaiSoliFileBinari) {
  cartella_temporanea altra;
  for (const char* nome :
       {"Valdora_Cesina_KT52806.dat", "Valdora_Cesina_KT52806.sim"}) {
    fs::copy_file(file(nome), altra / nome);
  }
  opzioni_pagina o;
  o.cartella = altra.percorso().string();
  std::ostringstream uscita, errori;
  ASSERT_EQ(esegui_pagina(o, uscita, errori), 0) << errori.str();
  const std::string pagina =
      leggi_tutto(altra / "Valdora_Cesina_KT52806_report.html");
  EXPECT_NE(pagina.find("Geometria della linea non disponibile"),
            std::string::npos);
  EXPECT_NE(pagina.find("Non noto"), std::string::npos);
  fs::remove(altra / "Valdora_Cesina_KT52806.dat");
  EXPECT_EQ(esegui_pagina(o, uscita, errori), 3);
}

}  // namespace
