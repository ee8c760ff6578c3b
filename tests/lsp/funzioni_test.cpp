// The pieces of the language server on their own: framing, positions in
// UTF-16 and UTF-8, roles, the waiting of a change; hover, completion,
// outline and quick fixes on small descriptions.
#include "lsp/funzioni.h"

#include <gtest/gtest.h>

#include "aiuti.h"
#include "lsp/abbinamento.h"
#include "lsp/sessione.h"
#include "lsp/testo_lsp.h"
#include "lsp/trasporto.h"

using json = nlohmann::json;

namespace {

TEST(LspCornici, UnMessaggioAllaVoltaEUnaTestataErrataScartata) {
  std::string b = "Content-Length: 2\r\n\r\n{}Content-Length: 3\r\n\r\n[1";
  cornice c = estrai_messaggio(b);
  EXPECT_EQ(c.esito, esito_cornice::completo);
  EXPECT_EQ(c.corpo, "{}");
  EXPECT_EQ(estrai_messaggio(b).esito, esito_cornice::incompleto);
  b += "]content-length:  1 \r\nX: y\r\n\r\n5";
  EXPECT_EQ(estrai_messaggio(b).corpo, "[1]");
  EXPECT_EQ(estrai_messaggio(b).corpo, "5");
  for (const char* errata :
       {"Content-Length: -1\r\n\r\n", "Content-Length: 1x\r\n\r\n",
        "X: 1\r\n\r\n", "no colon\r\n\r\n",
        "Content-Length: 99999999999999999999\r\n\r\n"}) {
    b = std::string(errata) + "Content-Length: 1\r\n\r\n7";
    EXPECT_EQ(estrai_messaggio(b).esito, esito_cornice::errato) << errata;
    EXPECT_EQ(estrai_messaggio(b).corpo, "7") << errata;
    // With a body after it: the body is dropped up to the next message, also
    // when that message's header comes in a later read.
    b = std::string(errata) + "{\"id\":1}CONTENT-LEN";
    EXPECT_EQ(estrai_messaggio(b).esito, esito_cornice::errato) << errata;
    EXPECT_EQ(estrai_messaggio(b).esito, esito_cornice::incompleto) << errata;
    b += "GTH: 1\r\n\r\n8";
    EXPECT_EQ(estrai_messaggio(b).corpo, "8") << errata;
    // A body cut across reads: its rest comes before the next header.
    b = std::string(errata) + "{\"id\":";
    EXPECT_EQ(estrai_messaggio(b).esito, esito_cornice::errato) << errata;
    b += "1}Content-Length: 1\r\n\r\n9";
    EXPECT_EQ(estrai_messaggio(b).esito, esito_cornice::errato) << errata;
    EXPECT_EQ(estrai_messaggio(b).corpo, "9") << errata;
  }
}

TEST(LspPosizioni, UnitaUTF16EUTF8) {
  // "è" is 2 bytes and 1 UTF-16 unit; U+1F682 is 4 bytes and 2 units.
  const std::string t = "ab\r\nè\xF0\x9F\x9A\x82x\rz\n";
  struct caso {
    int riga, carattere;
    unita_posizione u;
    std::size_t offset;
  } casi[] = {
      {0, 1, unita_posizione::utf16, 1},  {0, 9, unita_posizione::utf16, 2},
      {1, 1, unita_posizione::utf16, 6},  {1, 3, unita_posizione::utf16, 10},
      {1, 4, unita_posizione::utf16, 11}, {1, 2, unita_posizione::utf8, 6},
      {1, 6, unita_posizione::utf8, 10},  {2, 0, unita_posizione::utf16, 12},
      {3, 0, unita_posizione::utf16, 14}, {9, 0, unita_posizione::utf16, 14}};
  for (const caso& c : casi) {
    EXPECT_EQ(offset_di(t, c.riga, c.carattere, c.u), c.offset)
        << c.riga << ":" << c.carattere;
  }
  EXPECT_EQ(carattere_di(riga_di(t, 1), 6, unita_posizione::utf16), 3);
  EXPECT_EQ(carattere_di(riga_di(t, 1), 6, unita_posizione::utf8), 6);
  std::string m = t;
  sostituisci_intervallo(m, 1, 1, 1, 3, "-", unita_posizione::utf16);
  EXPECT_EQ(m, "ab\r\nè-x\rz\n");
}

TEST(LspPosizioni, URIDeiFile) {
  EXPECT_EQ(percorso_da_uri("file:///tmp/a%20b/L_linea.txt"),
            "/tmp/a b/L_linea.txt");
  EXPECT_EQ(percorso_da_uri("file://localhost/x"), "/x");
  EXPECT_EQ(percorso_da_uri("untitled:1"), std::nullopt);
  EXPECT_EQ(uri_da_percorso("/tmp/a b/città.txt"),
            "file:///tmp/a%20b/citt%C3%A0.txt");
}

TEST(LspAbbinamento, IlRuoloDalNomeODalContenuto) {
  const std::string treno =
      "[generale]\r\nvelocita, 0, 100\r\nstazione, 500, 12\r\n";
  const std::string linea =
      "[generale]\r\nlunghezza percorso, 4000\r\n[x]\r\npendenza, 0, 0\r\n";
  EXPECT_EQ(ruolo_di("/a/L_linea.txt", treno),
            fonte_lettura::descrizione_linea);
  EXPECT_EQ(ruolo_di("/a/qualcosa.txt", linea),
            fonte_lettura::descrizione_linea);
  EXPECT_EQ(ruolo_di("/a/qualcosa.txt", treno),
            fonte_lettura::descrizione_treno);
  EXPECT_TRUE(vanno_insieme("/a/Alta_Valle_linea.txt", "/a/Alta_Valle_R1.txt"));
  EXPECT_FALSE(
      vanno_insieme("/a/Alta_Valle_linea.txt", "/b/Alta_Valle_R1.txt"));
  EXPECT_FALSE(vanno_insieme("/a/Alta_linea.txt", "/a/Alta_R1_note.txt"));
}

TEST(LspAbbinamento, IlBufferApertoVinceSulFileEIlLupoSoloSiDiceUnaVolta) {
  cartella_temporanea c;
  scrivi_tutto(c / "A_linea.txt",
               "[generale]\r\nlunghezza percorso, 1000\r\n[fine]\r\n");
  sessione_lsp s;
  s.inizia();
  s.apri(c / "A_linea.txt",
         "[generale]\r\nlunghezza percorso, 4000\r\n[fine]\r\n");
  s.apri(c / "A_T.txt",
         "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 90\r\n"
         "stazione, 3500, 12, 500, 0,0,0, 1,1,0, 4,1,1, 0, 8,6,0, "
         "B\r\n[fine]\r\n");
  // Against the 1000 m on disk the station would lie past the route.
  EXPECT_EQ(s.diagnostiche(c / "A_T.txt"), json::array());
  sessione_lsp sola;
  sola.inizia();
  sola.apri(c / "B_T.txt", "[generale]\r\n");
  sola.apri(c / "B_T2.txt", "[generale]\r\n");
  sola.invia({{"jsonrpc", "2.0"},
              {"method", "textDocument/didSave"},
              {"params",
               {{"textDocument", {{"uri", uri_da_percorso(c / "B_T.txt")}}}}}});
  int messaggi = 0;
  for (const json& m : sola.uscite)
    messaggi += m.value("method", "") == "window/showMessage";
  EXPECT_EQ(messaggi, 2);
}

TEST(LspAttesa, UnaModificaAspettaLaPausa) {
  sessione_lsp s;
  s.inizia();
  s.apri("/nessuna/A_T.txt", "[generale]\r\n");
  const std::size_t prima = s.uscite.size();
  s.server.ricevi(
      json({{"jsonrpc", "2.0"},
            {"method", "textDocument/didChange"},
            {"params",
             {{"textDocument",
               {{"uri", "file:///nessuna/A_T.txt"}, {"version", 2}}},
              {"contentChanges", {{{"text", "[generale]\r\nx\r\n"}}}}}}})
          .dump());
  const auto ora = orologio::now();
  s.server.esegui_scadute(ora);
  EXPECT_EQ(s.uscite.size(), prima);
  ASSERT_TRUE(s.server.prossima_scadenza().has_value());
  EXPECT_GE(*s.server.prossima_scadenza(), ora + attesa_modifica / 2);
  s.server.esegui_scadute(ora + attesa_modifica * 2);
  EXPECT_GT(s.uscite.size(), prima);
}

// A UTF-8 buffer with a letter that Windows-1252 cannot hold is read as
// --encoding utf-8 reads it: one error at the letter.
TEST(LspTesto, UnaLetteraFuoriDallaCodePage) {
  sessione_lsp s;
  s.inizia();
  s.apri("/nessuna/A_T.txt",
         "[generale]\r\nstazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, "
         "Łódź\r\n");
  const json d = s.diagnostiche("/nessuna/A_T.txt");
  ASSERT_EQ(d.size(), 1u) << d.dump();
  EXPECT_TRUE(contiene(
      d[0], {{"severity", 1},
             {"range", {{"start", {{"line", 1}, {"character", 55}}}}}}))
      << d.dump();
}

// The buffer's bytes as the compiler reads them: one byte a letter, '?' for a
// letter the code page cannot hold and for each sequence that is not UTF-8
// (a sequence cut short at the end counts as one).
TEST(LspTesto, IByteDelBufferPerIlCompilatore) {
  const struct {
    std::string utf8, cp1252;
  } casi[] = {
      {"perch\xC3\xA8 \xE2\x82\xAC!", "perch\xE8 \x80!"},
      {"\xC5\x81\xC3\xB3z\xC5\xBA", "?\xF3z?"},
      {"a\x80x\xE8", "a?x?"},
      {"\xC3\xA8\xE2\x82", "\xE8?"},
      {"", ""},
  };
  for (const auto& c : casi)
    EXPECT_EQ(testo_cp1252(c.utf8), c.cp1252) << c.utf8;
}

}  // namespace
