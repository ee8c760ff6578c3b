#include "line/dati_linea.h"

#include "app/nomi_file.h"
#include "app/scrittura_testo.h"

std::vector<std::string> righe_linea() {
  return {
      "[generale]",
      "lunghezza percorso,    62000",
      "progressiva chilometrica uno,    0,    150300,    1",
      "progressiva chilometrica due,    0,    0,    0",
      "progressiva chilometrica tre,    0,    0,    0",
      "sfondo uno,    0",
      "sfondo due,    0",
      "sfondo tre,    1",
      "ripetizione segnali 4 codici,    0,    60000",
      "[curve]",
      "curvas6,  350,  100",
      "curvad4,  550,  200",
      "curvas4,  750,  300",
      "curvas3,  1700,  400",
      "curvad3,  11400,  600",
      "curvad4,  16300,  900",
      "curvas4,  17400,  900",
      "curvad4,  21000,  400",
      "curvas2,  25400,  1200",
      "curvad4,  28300,  700",
      "curvad5,  30500,  300",
      "curvas4,  36000,  1150",
      "curvas5,  39700,  650",
      "curvad5,  40650,  650",
      "curvad4,  43600,  500",
      "curvas3,  47300,  2000",
      "curvad6,  54150,  50",
      "curvas6,  54250,  50",
      "curvad5,  55000,  350",
      "[pendenze]",
      "pendenza,   0,    0",
      "pendenza,  16600,   -4",
      "pendenza,  21400,   0",
      "pendenza,  31700,   -1",
      "pendenza,  38000,   0",
      "pendenza,  46300,   -3",
      "pendenza,  55500,   0",
      "[montagne]",
      "[cartelli]",
      "indicatori_vmax,  700,  95,  100,  105,  0,  95,  100,  105,  0",
      "indicatori_vmax,  1400,  140,  150,  150,  0,  140,  150,  150,  0",
      "indicatori_vmax,  15150,  110,  120,  125,  0,  110,  120,  125,  0",
      "indicatori_vmax,  18500,  140,  150,  150,  0,  140,  150,  150,  0",
      "indicatori_vmax,  30200,  130,  135,  140,  0,  130,  135,  140,  0",
      "indicatori_vmax,  37800,  110,  120,  125,  0,  110,  120,  125,  0",
      "indicatori_vmax,  41750,  130,  135,  140,  0,  130,  135,  140,  0",
      "indicatori_vmax,  51150,  70,  75,  75,  2,  70,  75,  75,  2",
      "indicatori_vmax,  51350,  70,  75,  75,  1,  70,  75,  75,  1",
      "indicatori_vmax,  51550,  70,  75,  75,  0,  70,  75,  75,  0",
      "[indicazioni]",
      "cartello_indicatore,  450,   (PONTE SUL   )(FIUME ISARCO)",
      "cartello_indicatore,  600,   (FINE PONTE  )(INIZIO ZONA )(CADUTA MASSI)",
      "cartello_indicatore,  1150,   (FINE ZONA   )(CADUTA MASSI)",
      "cartello_indicatore,  9550,   (P.L.       )(Km. 140.791)",
      "cartello_indicatore,  10250,   (P.L.       )(Km. 140.031)",
      "cartello_indicatore,  14250,   (P.L.       )(Km. 136.030)",
      "cartello_indicatore,  15750,   (P.L.       )(Km. 134.513)",
      "cartello_indicatore,  17200,   (INIZIO PONTE)(SUL FIUME   )(ADIGE 1     "
      ")",
      "cartello_indicatore,  17350,   (FINE PONTE)(SUL FIUME )(ADIGE 1   )",
      "cartello_indicatore,  25400,   (P.L.       )(Km. 124.863)",
      "cartello_indicatore,  33600,   (PROVINCIA)(DI TRENTO)",
      "cartello_indicatore,  38350,   (P.L.       )(Km. 111.962)",
      "cartello_indicatore,  40400,   (INIZIO PONTE)(SUL FIUME   )(ADIGE 2     "
      ")",
      "cartello_indicatore,  40550,   (FINE PONTE)(SUL FIUME )(ADIGE 2   )",
      "cartello_indicatore,  43550,   (P.L.      )(Km 106.744)",
      "cartello_indicatore,  45450,   (P.L.      )(Km 104.795)",
      "cartello_indicatore,  46350,   (P.L.       )(Km. 103.937)",
      "cartello_indicatore,  48300,   (INIZIO PONTE)(DEI BODI SUL)(FIUME "
      "AVISIO)",
      "cartello_indicatore,  49300,   (FINE PONTE  )(DEI BODI SUL)(FIUME "
      "AVISIO)",
      "cartello_indicatore,  51750,   (P.L.     )(Km 98.517)",
      "[fine]",
  };
}

esito_file dati_linea(const stato& s, cartella& c) {
  return scrivi_file_testo(c, nome_descrizione_linea(s), righe_linea());
}
