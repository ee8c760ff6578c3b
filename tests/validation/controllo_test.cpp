// The checks of an author's descriptions: for each kind of mistake a small
// faulty scenario and the exact lines it must produce, file, line and column
// first, as `check` prints them.
#include "validation/controllo.h"

#include <gtest/gtest.h>

#include "banco.h"
#include "cli/rapporto.h"

namespace {

struct caso {
  const char* nome;
  std::string linea;  // the main part of an 8000-m line, or a whole file
  std::string treno;  // the train-run description's body
  std::vector<std::string> righe;
  // The note of a fault that stopped the reading, on its own line.
  bool con_note = false;
};



// Tests print the case by its name.
void PrintTo(const caso& c, std::ostream* uscita) { *uscita << c.nome; }

// A whole line description when the text starts with "[generale]" (after a
// byte-order mark, maybe), else the main part of an 8000-m one.
std::string linea_di(const std::string& testo) {
  if (testo.rfind("[generale]", 0) == 0 ||
      testo.rfind("\xEF\xBB\xBF[generale]", 0) == 0)
    return testo;
  return linea_con(testo, 8000);
}

std::vector<std::string> righe_del_controllo(
    const caso& c, int ricompilazioni = ricompilazioni_predefinite) {
  banco b;
  b.linea(linea_di(c.linea));
  b.treno(c.treno.rfind("[generale]", 0) == 0 ? c.treno : treno_con(c.treno));
  const testi_descrizioni testi{b.c.file[nome_descrizione_linea(b.sc)],
                                b.c.file[nome_descrizione_treno(b.sc)]};
  const esito_compilazione esito =
      compila_tabelle(b.sc, b.c, /*con_piano=*/true, b.t, b.d);
  ingresso_controllo in{b.sc, testi, testi, false, true};
  in.ricompilazioni_massime = ricompilazioni;
  std::vector<std::string> righe;
  for (const problema& p : controlla_descrizioni(in, b.t, b.d, esito)) {
    righe.push_back(riga_problema(p, {"l", "t"}));
    if (p.non_letto && c.con_note)
      righe.push_back(riga_non_letto(p, {"l", "t"}));
  }
  return righe;
}

class Controllo : public ::testing::TestWithParam<caso> {};

TEST_P(Controllo, RigheEsatte) {
  EXPECT_EQ(righe_del_controllo(GetParam()), GetParam().righe);
}

const std::string segnale = ", 1,4,0,0,0,1,3,0,0,0\r\n";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Parole, Controllo,
    ::testing::Values(
        caso{"pulito", "pendenza, 0, 0\r\npendenza, 1000, 4\r\n",
             "velocita, 0, 100\r\nsegnale, 2000" + segnale, {}},
        caso{"parole_sbagliate", "pendneza, 100, 2\r\n",
             "segnal, 2000" + segnale + "stazoine, 3000, 12, 600, 0,0,0,1,1,0,4,1,1,0,8,0,0, X\r\n",
             {"l:4:1: errore: parola chiave sconosciuta \"pendneza\": la riga viene ignorata (forse \"pendenza\"?)",
              "t:2:1: errore: parola chiave sconosciuta \"segnal\": la riga viene ignorata (forse \"segnale\"?)",
              "t:3:1: errore: parola chiave sconosciuta \"stazoine\": la riga viene ignorata (forse \"stazione\"?)"}},
        caso{"maiuscole_che_contano",
             "[generale]\r\nlunghezza percorso, 8000\r\nProgressiva chilometrica uno, 0, 100, 0\r\n[curve]\r\n[fine]\r\n",
             "",
             {"l:3:1: errore: parola chiave sconosciuta \"Progressiva chilometrica uno\": la riga viene ignorata (forse \"progressiva chilometrica uno\"?)"}},
        caso{"sezione_sconosciuta", "[curv]\r\n", "",
             {"l:4:1: avviso: sezione sconosciuta [curv]: le intestazioni servono solo a chi legge (forse \"[curve]\"?)"}},
        caso{"parola_fuori_dalla_sua_sezione",
             "[generale]\r\nlunghezza percorso, 8000\r\npendenza, 100, 2\r\n[curve]\r\nsfondo uno, 3\r\n[fine]\r\n",
             "",
             {"l:3:1: errore: pendenza vale solo dopo la sezione generale: qui la riga viene ignorata",
              "l:5:1: errore: sfondo uno vale solo nella sezione generale: qui la riga viene ignorata"}},
        caso{"file_scambiati",
             "[generale]\r\nvelocita, 0, 100\r\n[segnali]\r\nsegnale, 2000" + segnale + "segnale, 3000" + segnale + "[fine]\r\n",
             "[generale]\r\nlunghezza percorso, 8000\r\n[curve]\r\npendenza, 0, 0\r\npendenza, 1000, 4\r\n[fine]\r\n",
             {"l:1:1: errore: questo file sembra una descrizione del treno e l'altro una descrizione della linea: i due file sono scambiati? La descrizione della linea va per prima sulla riga di comando",
              "l:5:34: errore 25 [registrato]: errore di lettura: la descrizione finisce prima dei valori attesi"}},
        caso{"la_linea_due_volte", "pendenza, 0, 0\r\npendenza, 1000, 4\r\n",
             linea_con("pendenza, 0, 0\r\npendenza, 1000, 4\r\n", 8000),
             {"t:1:1: errore: la descrizione del treno \xC3\xA8 lo stesso file della descrizione della linea: la corsa del treno non viene letta; dai per seconda la descrizione del treno"}},
        caso{"sinonimi", "galleria, 100, 200, 1\r\n", "fermata, 500, 12\r\n",
             {"l:4:1: errore: parola chiave sconosciuta \"galleria\": la riga viene ignorata (forse \"montagna\"?)",
              "t:2:1: errore: parola chiave sconosciuta \"fermata\": la riga viene ignorata (forse \"stazione\"?)"}},
        // A byte-order mark stands before [generale], where everything is
        // skipped: harmless alone; the letters after it tell UTF-8.
        caso{"segno_d_ordine_dei_byte", "\xEF\xBB\xBF[generale]\r\nlunghezza percorso, 8000\r\n[curve]\r\n[fine]\r\n", "",
             {}},
        caso{"segno_d_ordine_dei_byte_e_utf8", "\xEF\xBB\xBF[generale]\r\nlunghezza percorso, 8000\r\n[cartelli]\r\ncartello_indicatore, 3000, Citt\xC3\xA0\r\n[fine]\r\n", "",
             {"l:4:32: avviso: la descrizione sembra in UTF-8: \"Citt\xC3\xA0\" verrebbe letto \"Citt\xC3\x83\xC2\xA0\"; salvala in Windows-1252 o usa --encoding utf-8"}},
        caso{"campo_qualsiasi", "ponte sul fiume\r\n", "",
             {"l:4:1: avviso: campo ignorato: \"ponte sul fiume\""}}),
    [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(
    Valori, Controllo,
    ::testing::Values(
        caso{"valore_mancante", "pendenza, 100\r\npendenza, 200, 1\r\n", "",
             {"l:4:1: errore 25 [registrato]: pendenza vuole 2 valori (posizione, pendenza), la riga ne ha 1"}},
        caso{"valore_non_numero", "pendenza, 100, 8.5\r\n", "",
             {"l:4:16: errore 25 [registrato]: pendenza: \"8.5\" non \xC3\xA8 un numero intero"}},
        caso{"separatore_delle_migliaia",
             "[generale]\r\nlunghezza percorso, 20.000\r\n[curve]\r\ncurvad4, 1500, 300\r\npendenza, 0, 0\r\n[fine]\r\n", "",
             {"l:2:21: errore 25 [registrato]: lunghezza percorso: \"20.000\" non \xC3\xA8 un numero intero; i numeri si scrivono senza separatore delle migliaia (forse \"20000\"?)"}},
        caso{"decimale_che_comincia_per_zero", "pendenza, 2000, 0.500\r\n", "",
             {"l:4:17: errore 25 [registrato]: pendenza: \"0.500\" non \xC3\xA8 un numero intero"}},
        // Not a number, so no order either: one error, not also a warning.
        caso{"posizione_non_numero_senza_ordine", "",
             "velocita, 1000, 80\r\nvelocita, 8.500, 80\r\n",
             {"t:3:11: errore 25 [registrato]: posizione di velocita: \"8.500\" non \xC3\xA8 un numero intero; i numeri si scrivono senza separatore delle migliaia (forse \"8500\"?)"}},
        caso{"lunghezza_mancante",
             "[generale]\r\n[curve]\r\ncurvad4, 1500, 300\r\npendenza, 0, 0\r\n[fine]\r\n", "",
             {"l:3:1: errore 25 [registrato]: nessuna lunghezza percorso leggibile prima di curvad4: senza di essa non c'\xC3\xA8 tabella delle celle; la sezione generale vuole una riga come \"lunghezza percorso, 20000\" (metri interi)"}},
        caso{"valore_fuori_misura", "", "sabbia, 40000\r\n",
             {"t:2:9: errore 25 [registrato]: sabbia: 40000 non sta nel suo campo (da -32768 a 32767)"}},
        caso{"virgola_decimale", "pendenza, 1000, 8,5\r\n", "",
             {"l:4:19: avviso: pendenza vuole 2 valori: in pi\xC3\xB9 \"5\"; una virgola decimale? i valori sono numeri interi"}},
        caso{"spazio_nelle_migliaia", "pendenza, 4 000, 12\r\n", "",
             {"l:4:11: avviso: pendenza a 4 m fuori dalla griglia di 50 m: il compilatore usa 0 m",
              "l:4:18: avviso: pendenza vuole 2 valori: in pi\xC3\xB9 \"12\"; il numero \"4 000\" finisce al suo spazio (forse \"4000\"?)"}},
        caso{"virgola_decimale_in_una_stazione", "",
             "stazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8, 9,5, 0, Castel Rotondo\r\n",
             {"t:2:60: avviso: stazione vuole 17 valori: in pi\xC3\xB9 \"Castel Rotondo\"; una virgola decimale? i valori sono numeri interi, e il nome viene letto come \"0\""}},
        caso{"virgola_nel_nome", "",
             "stazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,10,0, Borgo, Nuovo\r\n",
             {"t:2:64: avviso: stazione vuole 17 valori: in pi\xC3\xB9 \"Nuovo\"; una virgola nel testo lo chiude: scrivilo tra virgolette"}},
        caso{"virgola_nel_nome_senza_spazi", "",
             "stazione,500,12,600,0,0,0,1,1,0,4,1,1,0,8,10,0,Borgo, Nuovo\r\n",
             {"t:2:55: avviso: stazione vuole 17 valori: in pi\xC3\xB9 \"Nuovo\"; una virgola nel testo lo chiude: scrivilo tra virgolette"}},
        caso{"migliaia_dopo_l_ultimo_valore", "", "sabbia, 1 200\r\n",
             {"t:2:11: avviso: sabbia vuole 1 valore: in pi\xC3\xB9 \"200\"; il numero \"1 200\" finisce al suo spazio (forse \"1200\"?)"}},
        caso{"testo_dopo_le_virgolette", "cartello_indicatore, 3000, \"(X)\"Y\r\ncartello_indicatore, 4000, \"(A, B)(C \"\"D\"\")\"\r\n", "",
             {"l:4:28: avviso: cartello_indicatore: \"Y\" dopo le virgolette di chiusura viene tralasciato; un testo tra virgolette finisce alle seconde virgolette e non pu\xC3\xB2 contenerne",
              "l:5:28: avviso: cartello_indicatore: \"\"D\"\")\"\" dopo le virgolette di chiusura viene tralasciato; un testo tra virgolette finisce alle seconde virgolette e non pu\xC3\xB2 contenerne"}},
        caso{"virgolette_non_chiuse", "cartello_indicatore, 3000, \"(X)\r\npendenza, 0, 2\r\n", "",
             {"l:4:28: avviso: cartello_indicatore: il testo tra virgolette continua su pi\xC3\xB9 righe: mancano le virgolette di chiusura?"}},
        caso{"terzo_commento_di_seguito", "pendenza, 0, 0\r\n- uno\r\n- due\r\n- tre pendenza salita, 4000, 20\r\n", "",
             {"l:7:1: avviso: \"- tre pendenza salita\" \xC3\xA8 un commento letto come riga pendenza: qui si tralasciano solo 2 righe di commento di seguito, e questa viene dopo; metti un'altra riga fra loro, o tieni le parole chiave fuori dai commenti"}},
        caso{"parola_data_due_volte",
             "[generale]\r\nlunghezza percorso, 8000\r\nlunghezza percorso, 9000\r\n[curve]\r\n[fine]\r\n",
             "sabbia, 100\r\nsabbia, 200\r\n",
             {"l:3:1: avviso: lunghezza percorso gi\xC3\xA0 presente alla riga 2: la tabella delle celle viene creata di nuovo",
              "t:3:1: avviso: sabbia gi\xC3\xA0 presente alla riga 2: vale l'ultima riga"}},
        caso{"intervalli",
             "pendenza, 1000, 800\r\n",
             "numero vetture, 0\r\naderenza, 0, 5000\r\nvelocita, 0, 900\r\n"
             "stazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,75,0, Borgo\r\n",
             {"l:4:17: avviso: pendenza: 800 per mille fuori da quanto ha senso (-60..60 per mille); il byte compilato lo memorizza come 32",
              "t:2:17: avviso: numero vetture: 0 fuori da quanto ha senso (1..40)",
              "t:3:14: avviso: aderenza: 5000 fuori da quanto ha senso (1..100); il byte compilato lo memorizza come 136",
              "t:4:14: avviso: velocita: 900 km/h fuori da quanto ha senso (0..350 km/h)",
              "t:5:51: avviso: minuti di stazione: 75 fuori da quanto ha senso (0..59)"}}),
    [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(
    Posizioni, Controllo,
    ::testing::Values(
        caso{"fuori_griglia", "", "segnale, 7030" + segnale + "velocita, 1010, 80\r\n",
             {"t:2:10: avviso: segnale a 7030 m fuori dalla griglia di 50 m: il compilatore usa 7050 m",
              "t:3:11: avviso: velocita a 1010 m fuori dalla griglia di 50 m: il compilatore usa 1000 m",
              "t:3:11: avviso: velocita data la prima volta a 1010 m: le celle prima ricevono un limite di velocit\xC3\xA0 0; comincia con una riga a 0 m (\"velocita, 0, ...\")"}},
        caso{"profili_non_da_zero", "", "aderenza, 500, 100\r\nvelocita, 1000, 80\r\nvelocita, 2000, 90\r\n",
             {"t:2:11: avviso: aderenza data la prima volta a 500 m: le celle prima ricevono un'aderenza 0; comincia con una riga a 0 m (\"aderenza, 0, ...\")",
              "t:3:11: avviso: velocita data la prima volta a 1000 m: le celle prima ricevono un limite di velocit\xC3\xA0 0; comincia con una riga a 0 m (\"velocita, 0, ...\")"}},
        caso{"rallentamenti_prima_di_1000_m", "",
             "rallentamento, 500, 60, 200, 0,0,0\r\nrallentamento, 3000, 60, 200, 0,0,0\r\nrallentamento, 950, 60, 200, 0,0,0\r\n"
             "rallentamento, 0, 0, 200, 0,0,0\r\n",
             {"t:2:16: avviso: rallentamento a 500 m inizia prima di 1000 m: 2 dei tre segni di codice di velocit\xC3\xA0 prima del suo inizio non trovano posto dopo l'inizio della linea e vengono tralasciati; fallo iniziare a 1000 m o pi\xC3\xB9 avanti",
              "t:4:16: avviso: rallentamento a 950 m inizia prima di 1000 m: 1 dei tre segni di codice di velocit\xC3\xA0 prima del suo inizio non trova posto dopo l'inizio della linea e viene tralasciato; fallo iniziare a 1000 m o pi\xC3\xB9 avanti",
              "t:5:16: avviso: rallentamento a 0 m inizia nella cella 1 (da 0 a 50 m), che \xC3\xA8 riservata: il compilatore scrive i suoi valori riservati sopra l'inizio; fallo iniziare a 1000 m o pi\xC3\xB9 avanti",
              "t:5:19: avviso: velocita di rallentamento: 0 km/h fuori da quanto ha senso (5..300 km/h)"}},
        caso{"oltre_il_percorso", "", "segnale, 9000" + segnale,
             {"t:2:10: avviso: segnale a 9000 m oltre la fine del percorso (8000 m)"}},
        caso{"oltre_la_tabella", "pendenza, 30000, 2\r\n", "",
             {"l:4:1: errore 15 [registrato]: pendenza a 30000 m oltre la fine della tabella delle celle: l'ultima posizione ammessa \xC3\xA8 14900 m (percorso di 8000 m)"}},
        caso{"curva_oltre_il_tracciato", "curvad4, 14000, 2000\r\n", "",
             {"l:4:1: avviso: la curva finisce a 16000 m, oltre l'ultimo metro del tracciato (14998 m): la parte oltre non viene stesa",
              "l:4:10: avviso: curvad4 a 14000 m oltre la fine del percorso (8000 m)"}},
        caso{"ordine", "curvad4, 500, 100\r\ncurvas2, 100, 50\r\npendenza, 500, 1\r\npendenza, 400, 0\r\n", "",
             {"l:5:1: avviso: curvas2 inizia a 100 m, dietro il tracciato gi\xC3\xA0 steso fino a 600 m",
              "l:7:1: avviso: pendenza a 400 m non dopo la precedente a 500 m"}},
        caso{"galleria", "montagna, 4100, 3200, 25\r\n", "",
             {"l:4:1: avviso: la galleria finisce a 3200 m, non dopo il suo inizio a 4100 m: nessuna cella",
              "l:4:23: avviso: tipo di galleria 25 sconosciuto: i tipi vanno da 1 a 9, e da 11 a 19 con un segno ogni quattro celle"}},
        caso{"metri_fuori_griglia_e_velocita_in_quinti",
             "[generale]\r\nlunghezza percorso, 8025\r\n[curve]\r\ncurvad4, 1510, 325\r\nindicatori_vmax, 6000, 82,90,95,0,80,93,95,0\r\n[fine]\r\n",
             "velocita, 0, 62\r\n",
             {"l:2:21: avviso: lunghezza percorso di 8025 m fuori dalla griglia di 50 m",
              "l:5:38: avviso: vbd di indicatori_vmax: 93 km/h non \xC3\xA8 multiplo di 5: viene memorizzato come 95 km/h",
              "t:2:14: avviso: velocita: 62 km/h non \xC3\xA8 multiplo di 5: viene memorizzato come 60 km/h"}},
        caso{"sovrapposti", "montagna, 3000, 4000, 1\r\nmontagna, 2000, 3500, 1\r\nmontagna, 4000, 4500, 1\r\n",
             "rallentamento, 3000, 60, 500, 0,0,0\r\nrallentamento, 3200, 60, 500, 0,0,0\r\n",
             {"l:5:1: avviso: montagna da 2000 m a 3500 m si sovrappone al tratto da 3000 m a 4000 m (riga 4)",
              "t:3:1: avviso: rallentamento da 3200 m a 3700 m si sovrappone al tratto da 3000 m a 3500 m (riga 2)"}},
        caso{"orari_all_indietro", "",
             "stazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,10,0, Borgo\r\n"
             "stazione, 3000, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,5,0, Villa\r\n",
             {"t:3:50: avviso: stazione Villa alle 08:05:00, non dopo Borgo alle 08:10:00 (riga 2), che la precede lungo la linea"}},
        caso{"oltre_la_mezzanotte_e_orari_uguali", "",
             "stazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 23,59,30, Borgo\r\n"
             "stazione, 3000, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 0,4,0, Villa\r\n"
             "stazione, 5500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 0,4,0, Pieve\r\n"
             "stazione, 7000, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 0,2,0, Riva\r\n",
             {"t:5:50: avviso: stazione Riva alle 00:02:00, non dopo Pieve alle 00:04:00 (riga 4), che la precede lungo la linea"}},
        // A time that does not fit 32 bits is the compiler's error, and is
        // left out of the order (it once overflowed the checker's count).
        caso{"orario_troppo_grande", "",
             "stazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,10,0, Borgo\r\n"
             "stazione, 3000, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 666666666666666666,0,0, Villa\r\n"
             "stazione, 5500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 1000000,0,0, Pieve\r\n"
             "stazione, 7000, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,5,0, Riva\r\n",
             {"t:3:50: errore 25 [registrato]: ore di stazione: 666666666666666666 non sta nel suo campo (da -2147483648 a 2147483647)",
              "t:4:1: errore 25: errore di lettura in stazione: un valore calcolato non sta nel suo campo",
              "t:4:50: avviso: ore di stazione: 1000000 fuori da quanto ha senso (0..23)",
              "t:5:50: avviso: stazione Riva alle 08:05:00, non dopo Borgo alle 08:10:00 (riga 2), che la precede lungo la linea"}}),
    [](const auto& info) { return std::string(info.param.nome); });

INSTANTIATE_TEST_SUITE_P(
    Guasti, Controllo,
    ::testing::Values(
        caso{"celle_occupate", "cartello_indicatore, 2000, (X)\r\nindicatori_vmax, 2000, 80,90,95,0,80,90,95,0\r\n",
             "segnale, 3800" + segnale + "segnale, 3800" + segnale +
             "rallentamento, 5000, 60, 500, 0,0,0\r\nsegnale, 7300" + segnale +
             "rallentamento, 6000, 60, 1300, 0,0,0\r\n",
             {"l:5:1: errore 21 [registrato]: indicatori_vmax a 2000 m: la sua cella (cella 41, 2000 m) \xC3\xA8 gi\xC3\xA0 occupata da cartello_indicatore a 2000 m (riga 4)",
              "t:3:1: errore 16: segnale a 3800 m: la sua cella (cella 77, 3800 m) \xC3\xA8 gi\xC3\xA0 occupata da segnale a 3800 m (riga 2)",
              "t:4:1: errore 17: rallentamento a 5000 m: la cella dell'avviso 1200 m prima (cella 77, 3800 m) \xC3\xA8 gi\xC3\xA0 occupata da segnale a 3800 m (riga 2)",
              "t:6:1: errore 19: rallentamento a 6000 m: la cella di fine (cella 147, 7300 m) \xC3\xA8 gi\xC3\xA0 occupata da segnale a 7300 m (riga 5)"}},
        caso{"codice_20_nomina_la_cella_presa", "",
             "rallentamento, 6000, 60, 100, 0,0,0\r\nrallentamento, 6200, 60, 200, 0,1,0\r\n",
             {"t:3:1: errore 20 [registrato]: rallentamento a 6200 m: una delle quattro celle prima dell'avviso (cella 97, 4800 m) \xC3\xA8 gi\xC3\xA0 occupata da rallentamento a 6000 m (riga 2)"}},
        caso{"celle_sovrascritte_da_una_fermata",
             "indicatori_vmax, 6500, 80,90,95,0,80,90,95,0\r\ncartello_indicatore, 3000, (X)\r\ncartello_indicatore, 4000, (Y)\r\n",
             "stazione, 2800, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, A\r\n"
             "stazione, 6300, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, B\r\n",
             {"l:4:1: avviso: indicatori_vmax a 6500 m: la sua cella (cella 131, 6500 m) viene sovrascritta da stazione a 6300 m (descrizione del treno, riga 3) senza errore: la cella compilata \xC3\xA8 di tipo \"fermata\" e questo elemento va perso",
              "l:5:1: avviso: cartello_indicatore a 3000 m: la sua cella (cella 61, 3000 m) viene sovrascritta da stazione a 2800 m (descrizione del treno, riga 2) senza errore: la cella compilata \xC3\xA8 di tipo \"fermata\" e questo elemento va perso"}},
        caso{"avviso_di_rallentamento_sotto_una_fermata", "",
             "rallentamento, 6000, 60, 400, 0, 1, 0\r\n"
             "stazione, 4600, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, C\r\n",
             {"t:2:1: avviso: rallentamento a 6000 m: una delle sue celle (cella 97, 4800 m) viene sovrascritta da stazione a 4600 m (riga 3) senza errore: la cella compilata \xC3\xA8 di tipo \"fermata\" e quella parte dell'elemento va persa"}},
        caso{"stazioni_fuori_ordine", "",
             "stazione, 5000, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, A\r\n"
             "stazione, 2000, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, B\r\n",
             {"t:3:1: errore 22 [registrato]: stazione a 2000 m: fuori ordine lungo la linea, dopo stazione a 5000 m (riga 2); scrivi le stazioni nell'ordine della linea"}},
        caso{"cella_riservata", "", "rallentamento, 0, 60, 100, 0,0,0\r\n",
             {"t:2:1: errore 1250 [registrato]: rallentamento a 0 m: la cella 1 (da 0 a 50 m) \xC3\xA8 riservata e nessun elemento pu\xC3\xB2 starci; spostalo ad almeno 50 m"}},
        caso{"codice_15_con_la_posizione_dell_elemento", "pendenza, 30000, 2\r\n",
             "segnale, 3800" + segnale,
             {"l:4:1: errore 15 [registrato]: pendenza a 30000 m oltre la fine della tabella delle celle: l'ultima posizione ammessa \xC3\xA8 14900 m (percorso di 8000 m)"}},
        caso{"tre_errori_in_una_volta", "pendenza, 30000, 2\r\n",
             "stazione, 1025, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, A\r\n"
             "stazione, 4000, 12, 650, 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, B\r\n",
             {"l:4:1: errore 15: pendenza a 30000 m oltre la fine della tabella delle celle: l'ultima posizione ammessa \xC3\xA8 14900 m (percorso di 8000 m)",
              "t:2:1: errore 8 [registrato]: stazione a 1025 m: la posizione deve essere multipla di 50 (1000 o 1050)",
              "t:3:1: errore 9: stazione a 4000 m: la lunghezza 650 m deve essere multipla di 100"}}),
    [](const auto& info) { return std::string(info.param.nome); });

// The common slips of a new author: the hint, or the error for what the
// compiled files lose.
INSTANTIATE_TEST_SUITE_P(
    Sviste, Controllo,
    ::testing::Values(
        caso{"punti_e_virgola", "pendenza, 0, 0\r\npendenza;   5000;   22\r\n", "",
             {"l:5:1: errore 25 [registrato]: pendenza;   5000;   22 vuole 2 valori (posizione, pendenza), la riga ne ha 0; i valori sono separati da punti e virgola: una descrizione li separa con virgole (forse \"pendenza, 5000, 22\"?)",
              "l:5: nota: il compilatore smette di leggere questa descrizione qui: le righe da 5 a 6 (1 elemento) non sono nei file compilati; la corsa del treno non viene letta"},
             true},
        caso{"tabulazioni", "pendenza\t5000\t22\r\n", "",
             {"l:4:1: errore 25 [registrato]: pendenza\\x095000\\x0922 vuole 2 valori (posizione, pendenza), la riga ne ha 0; i valori sono separati da tabulazioni: una descrizione li separa con virgole (forse \"pendenza, 5000, 22\"?)"}},
        // Semicolons in a number, or after the keyword with commas later on:
        // the whole line as it should read, a name with its blanks kept, and
        // no warning on values read out of place.
        caso{"punti_e_virgola_nei_valori",
             "pendenza, 0, 0\r\npendenza, 5000; 22\r\n",
             "segnale; 2000; 1, 4,0,0,0, 1,3,0,0,0\r\n"
             "stazione; 3000; 12; 600, 0,0,0, 1,1,0, 4,1,1, 0, 8,0,0, Borgo Nuovo\r\n",
             {"l:5:11: errore 25 [registrato]: posizione di pendenza: \"5000;\" non \xC3\xA8 un numero intero; i valori sono separati da punti e virgola: una descrizione li separa con virgole (forse \"pendenza, 5000, 22\"?)",
              "l:5: nota: il compilatore smette di leggere questa descrizione qui: le righe da 5 a 6 (1 elemento) non sono nei file compilati; la corsa del treno non viene letta",
              "t:2:1: errore: segnale; 2000; 1 vuole 11 valori (posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo), la riga ne ha 9; i valori sono separati da punti e virgola: una descrizione li separa con virgole (forse \"segnale, 2000, 1, 4, 0, 0, 0, 1, 3, 0, 0, 0\"?)",
              "t:3:1: errore: stazione; 3000; 12; 600 vuole 17 valori (posizione, tipo, lunghezza, campo4, campo5, campo6, campo7, campo8, campo9, campo10, campo11, campo12, campo13, ore, minuti, secondi, nome), la riga ne ha 15; i valori sono separati da punti e virgola: una descrizione li separa con virgole (forse \"stazione, 3000, 12, 600, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 8, 0, 0, Borgo Nuovo\"?)"},
             true},
        // Kilometres in a curve: the error alone, no order of a number that
        // is none.
        caso{"chilometri_in_una_curva", "curvad4, 1.5, 300\r\n", "",
             {"l:4:10: errore 25 [registrato]: inizio di curvad4: \"1.5\" non \xC3\xA8 un numero intero; posizioni e lunghezze sono metri interi: 1.5 km sono 1500 m (forse \"1500\"?)"}},
        caso{"valore_vuoto", "pendenza, 0, 0\r\npendenza, 5000,\r\n", "",
             {"l:5:16: errore: pendenza: il valore \xC3\xA8 vuoto e il compilatore lo legge come 0: scrivi il valore (0 se intendi 0)"}},
        caso{"orario_in_un_campo", "",
             "orologio, 07:43:00\r\nstazione, 500, 12, 600, 0,0,0, 1,1,0, 4,1,1, 0, 7.43, Borgo\r\n",
             {"t:2:1: errore 25 [registrato]: orologio vuole 3 valori (ore, minuti, secondi), la riga ne ha 1",
              "t:2:11: errore: ore di orologio: \"07:43:00\" non \xC3\xA8 un numero intero; un orario si scrive con tre valori: ore, minuti e secondi (forse \"7, 43, 0\"?)",
              "t:3:1: errore: stazione vuole 17 valori (posizione, tipo, lunghezza, campo4, campo5, campo6, campo7, campo8, campo9, campo10, campo11, campo12, campo13, ore, minuti, secondi, nome), la riga ne ha 15",
              "t:3:49: errore: ore di stazione: \"7.43\" non \xC3\xA8 un numero intero; un orario si scrive con tre valori: ore, minuti e secondi (forse \"7, 43, 0\"?)",
              "t:3:55: errore: minuti di stazione: \"Borgo\" non \xC3\xA8 un numero intero"}},
        caso{"chilometri", "", "segnale, 8.5" + segnale + "segnale, 9+200" + segnale,
             {"t:2:10: errore 25 [registrato]: posizione di segnale: \"8.5\" non \xC3\xA8 un numero intero; posizioni e lunghezze sono metri interi: 8.5 km sono 8500 m (forse \"8500\"?)",
              "t:3:10: errore: posizione di segnale: \"9+200\" non \xC3\xA8 un numero intero; posizioni e lunghezze sono metri interi: 9+200 km sono 9200 m (forse \"9200\"?)"}},
        caso{"posizione_negativa", "", "segnale, -200" + segnale,
             {"t:2:1: errore 15 [registrato]: segnale a -200 m: una posizione negativa, prima dell'inizio della linea: le posizioni sono metri dall'inizio, 0 o pi\xC3\xB9",
              "t:2:10: avviso: segnale a -200 m prima dell'inizio della linea"}},
        caso{"solo_la_prima_intestazione", "[generale]\r\n", "",
             {"l:1:1: errore 102 [registrato]: la descrizione contiene solo la sua prima riga, [generale]: mancano la sezione generale, gli elementi e [fine]"}},
        caso{"raggio_aggiunto_a_una_curva", "curvad5, 2000, 400, 300\r\n", "",
             {"l:4:21: avviso: curvad5 vuole 2 valori: in pi\xC3\xB9 \"300\"; una curva vuole solo inizio e lunghezza: il raggio lo d\xC3\xA0 la classe nella sua parola chiave (curvad1 ... curvas6)"}},
        caso{"parola_dell_altra_descrizione", "segnale, 2000" + segnale, "pendenza, 100, 2\r\n",
             {"l:4:1: errore: segnale vale solo nell'altra descrizione: qui la riga viene ignorata",
              "t:2:1: errore: pendenza vale solo nell'altra descrizione: qui la riga viene ignorata"}},
        caso{"rallentamento_oltre_il_limite",
             "indicatori_vmax, 1000, 50,50,55,0,50,50,55,0\r\n",
             "velocita, 0, 100\r\nvelocita, 6000, 60\r\nrallentamento, 3000, 80, 200, 0,0,0\r\n"
             "rallentamento, 7000, 70, 200, 0,0,0\r\nrallentamento, 5000, 50, 200, 0,0,0\r\n",
             {"t:4:22: avviso: rallentamento a 3000 m: 80 km/h supera ogni velocit\xC3\xA0 del cartello in vigore l\xC3\xAC, 55 km/h (indicatori_vmax a 1000 m, descrizione della linea, riga 4): un rallentamento pu\xC3\xB2 solo abbassare la velocit\xC3\xA0",
              "t:5:22: avviso: rallentamento a 7000 m: 70 km/h supera ogni velocit\xC3\xA0 del cartello in vigore l\xC3\xAC, 55 km/h (indicatori_vmax a 1000 m, descrizione della linea, riga 4): un rallentamento pu\xC3\xB2 solo abbassare la velocit\xC3\xA0"}},
        caso{"rallentamento_oltre_il_limite_del_treno", "",
             "velocita, 0, 100\r\nvelocita, 6000, 60\r\nrallentamento, 7000, 70, 200, 0,0,0\r\n"
             "rallentamento, 3000, 100, 200, 0,0,0\r\n",
             {"t:4:22: avviso: rallentamento a 7000 m: 70 km/h supera il limite proprio del treno in vigore l\xC3\xAC, 60 km/h (velocita, riga 3): un rallentamento pu\xC3\xB2 solo abbassare la velocit\xC3\xA0"}},
        // A board governs the cells from its own up to the next board's. The
        // one of 1000 m: 100 km/h all the way to 3000 m. The one of 5000 m
        // stands in cell 101, where the limit of 5050 m begins; the one of
        // 7000 m governs cells 141 to 150, and the limit of 7550 m begins in
        // cell 151. The board of 4000 m only announces; the one of 6500 m is
        // faster than the train anywhere.
        caso{"cartello_nascosto",
             "indicatori_vmax, 1000, 110,120,125,0,110,120,125,0\r\n"
             "indicatori_vmax, 3000, 90,100,105,0,90,100,105,0\r\n"
             "indicatori_vmax, 4000, 140,150,150,1,140,150,150,1\r\n"
             "indicatori_vmax, 5000, 140,150,150,0,140,150,150,0\r\n"
             "indicatori_vmax, 6500, 160,170,170,0,160,170,170,0\r\n"
             "indicatori_vmax, 7000, 140,150,150,0,0,0,0,0\r\n"
             "indicatori_vmax, 7500, 80,90,95,0,80,90,95,0\r\n",
             "velocita, 0, 100\r\nvelocita, 5050, 150\r\nvelocita, 6000, 100\r\nvelocita, 7550, 150\r\n",
             {"l:4:24: avviso: indicatori_vmax a 1000 m: ogni velocit\xC3\xA0 del cartello, la pi\xC3\xB9 bassa 110 km/h, supera il limite proprio del treno lungo tutto il tratto che il cartello regola, al pi\xC3\xB9 100 km/h (velocita, riga 2), bench\xC3\xA9 altrove quel limite arrivi a 150 km/h (riga 3): nasconde il cartello; una riga velocita a 1000 m lo alza se il cartello \xC3\xA8 pensato per questo treno",
              "l:9:24: avviso: indicatori_vmax a 7000 m: ogni velocit\xC3\xA0 del cartello, la pi\xC3\xB9 bassa 140 km/h, supera il limite proprio del treno lungo tutto il tratto che il cartello regola, al pi\xC3\xB9 100 km/h (velocita, riga 4), bench\xC3\xA9 altrove quel limite arrivi a 150 km/h (riga 3): nasconde il cartello; una riga velocita a 7000 m lo alza se il cartello \xC3\xA8 pensato per questo treno"}},
        // The train takes the board's speeds 200 m after it, before the next
        // board: not hidden.
        caso{"cartello_raggiunto_nel_suo_tratto",
             "indicatori_vmax, 300, 80,90,95,0,80,90,95,0\r\n",
             "velocita, 0, 60\r\nvelocita, 500, 100\r\n", {}},
        // Nothing is in force before the first line (the board of 1000 m),
        // and a limit of 0 is none (the board of 3000 m).
        caso{"cartello_dove_il_treno_non_ha_limite",
             "indicatori_vmax, 1000, 110,120,125,0,110,120,125,0\r\n"
             "indicatori_vmax, 3000, 110,120,125,0,110,120,125,0\r\n",
             "velocita, 2000, 150\r\nvelocita, 2500, 0\r\nvelocita, 6000, 150\r\n",
             {"t:2:11: avviso: velocita data la prima volta a 2000 m: le celle prima ricevono un limite di velocit\xC3\xA0 0; comincia con una riga a 0 m (\"velocita, 0, ...\")"}},
        // A board with stripes announces the one ahead: up to that one the
        // board of 1000 m is in force. A limit of 0 is none; the limit of
        // 6550 m holds from cell 131, the start cell of the slowdown at 6500 m.
        caso{"rallentamento_e_cartello_che_annuncia",
             "indicatori_vmax, 1000, 130,140,140,0,130,140,140,0\r\n"
             "indicatori_vmax, 5000, 70,75,75,2,70,75,75,2\r\n"
             "indicatori_vmax, 5400, 70,75,75,0,70,75,75,0\r\n",
             "velocita, 0, 140\r\nvelocita, 5800, 0\r\nvelocita, 6550, 60\r\n"
             "rallentamento, 5200, 100, 50, 0,0,0\r\nrallentamento, 5600, 100, 50, 0,0,0\r\n"
             "rallentamento, 6000, 60, 50, 0,0,0\r\nrallentamento, 6500, 70, 50, 0,0,0\r\n",
             {"t:6:22: avviso: rallentamento a 5600 m: 100 km/h supera ogni velocit\xC3\xA0 del cartello in vigore l\xC3\xAC, 75 km/h (indicatori_vmax a 5400 m, descrizione della linea, riga 6): un rallentamento pu\xC3\xB2 solo abbassare la velocit\xC3\xA0",
              "t:8:22: avviso: rallentamento a 6500 m: 70 km/h supera il limite proprio del treno in vigore l\xC3\xAC, 60 km/h (velocita, riga 4): un rallentamento pu\xC3\xB2 solo abbassare la velocit\xC3\xA0"}},
        // The header says that stations were meant; a run without it and
        // without stations (most cases here) is one on purpose.
        caso{"stazioni_assenti", "",
             "velocita, 0, 100\r\n[stazioni]\r\nstazoine, 3000, 12, 600, 0,0,0,1,1,0,4,1,1,0,8,0,0, X\r\n[segnali]\r\nsegnale, 2000" + segnale,
             {"t:3:1: avviso: [stazioni] non contiene righe stazione: la corsa del treno non ha stazioni, quindi n\xC3\xA9 fermate n\xC3\xA9 orario (la scheda treno non ne elenca); scrivi le stazioni sotto l'intestazione",
              "t:4:1: errore: parola chiave sconosciuta \"stazoine\": la riga viene ignorata (forse \"stazione\"?)"}}),
    [](const auto& info) { return std::string(info.param.nome); });
// clang-format on

// Each compilation again without the lines of the faults found so far finds
// the next taken cell: bounded, the checks stop after as many, and the faults
// found are the same up to there.
TEST(Controllo, RicompilazioniLimitateTrovanoIPrimiGuasti) {
  const caso c{"celle_occupate",
               "cartello_indicatore, 2000, (X)\r\n"
               "indicatori_vmax, 2000, 80,90,95,0,80,90,95,0\r\n",
               "segnale, 3800" + segnale + "segnale, 3800" + segnale +
                   "rallentamento, 5000, 60, 500, 0,0,0\r\nsegnale, 7300" +
                   segnale + "rallentamento, 6000, 60, 1300, 0,0,0\r\n",
               {}};
  const std::vector<std::string> tutte = righe_del_controllo(c);
  ASSERT_EQ(tutte.size(), 4u);
  for (int volte = 0; volte <= 4; ++volte) {
    SCOPED_TRACE(volte);
    const std::size_t attese = std::min<std::size_t>(volte + 1, tutte.size());
    EXPECT_EQ(righe_del_controllo(c, volte),
              std::vector<std::string>(tutte.begin(), tutte.begin() + attese));
  }
}

}  // namespace

// Past the limit the rest is one entry that stands for many: what is not
// shown counts the problems it stands for, not the entries.
TEST(Problemi, OltreIlLimiteSiContanoIProblemiNonLeVoci) {
  std::vector<problema> p(105);
  for (problema& x : p) x.g = gravita::avviso;
  limita_problemi(p, 102);
  ASSERT_EQ(p.size(), 103u);
  EXPECT_EQ(p.back().quanti, 3u);
  EXPECT_EQ(conta(p, gravita::avviso), 105u);
  EXPECT_EQ(conta_oltre(p, 100), 5u);
}

// The fault that the compiler recorded is listed even past the first hundred;
// the count of what is not shown leaves it out.
TEST(Problemi, IlGuastoRegistratoSempreMostrato) {
  std::vector<problema> p(150);
  for (problema& x : p) x.g = gravita::avviso;
  p[120].g = gravita::errore;
  p[120].registrato = true;
  const std::vector<std::size_t> mostrati = problemi_da_mostrare(p);
  ASSERT_EQ(mostrati.size(), 101u);
  EXPECT_EQ(mostrati.back(), 120u);
  EXPECT_EQ(problemi_non_mostrati(p), 49u);
}
