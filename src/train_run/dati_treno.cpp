#include "train_run/dati_treno.h"

#include "app/nomi_file.h"
#include "app/scrittura_testo.h"

std::vector<std::string> righe_treno() {
  return {
      "[generale]",
      "numero vetture,    12",
      "percentuale massa frenata,    130",
      "sabbia,    300",
      "orologio,    9               56            20 ",
      "[aderenze]",
      "aderenza,   0,    100",
      "[vel_limite]",
      "velocita,       0,    55",
      "velocita,     700,   105",
      "velocita,    1400,   150",
      "velocita,   16550,   125",
      "velocita,   18500,   150",
      "velocita,   31800,   140",
      "velocita,   39150,   125",
      "velocita,   41750,   140",
      "velocita,   52950,    75",
      "[stazioni]",
      "stazione,       0, 12, 1000,  0, 0, 0,  1,1,0,  4,1,1,    1,   9,57, 0, "
      "BOLZANO / BOZEN",
      "stazione,    1600, 27,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, "
      "Bivio Merano/Meran",
      "stazione,    7800, 24,  200,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, "
      "Laives / Leifers",
      "stazione,   11000, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
      "Bronzolo / Branzoll",
      "stazione,   16150, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
      "Ora / Auer",
      "stazione,   21900, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
      "Egna / Neumarkt",
      "stazione,   25900, 24,  500,  0, 0, 0,  0,0,0,  4,1,1,    0,   0, 0, 0, "
      "Magr\xE8/ Magreid",
      "stazione,   31300, 12,  700,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
      "Salorno / Salurn",
      "stazione,   38700, 12,  600,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
      "Mezzocorona",
      "stazione,   46000, 12,  500,  0, 0, 0,  1,1,0,  4,1,1,    0,   0, 0, 0, "
      "Lavis",
      "stazione,   53800, 11, 1400,  0, 0, 0,  1,1,0,  3,1,1,    0,   0, 0, 0, "
      "TRENTO SCALO",
      "stazione,   55500, 12,  700,  0, 0, 0,  1,1,0,  2,1,1,    0,  10,31, 0, "
      "TRENTO",
      "[rallentamenti]",
      "[segnali]",
      "segnale,    1350,   2, 4, 1,  0, 0,    0,  0,0,0, 0",
      "segnale,    5500,   1, 4, 0,  0, 0,    1,  3,0,0, 0",
      "segnale,    7100,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
      "segnale,    9450,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   10200,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   13000,   1, 4, 1,  0, 0,    0,  0,0,0, 0",
      "segnale,   14150,   2, 4, 1,  0, 0,    2,  3,1,0, 0",
      "segnale,   15500,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   19900,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
      "segnale,   21250,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   24000,   1, 4, 0,  0, 0,    1,  3,0,0, 0",
      "segnale,   25350,   2, 4, 0,  0, 0,    2,  2,0,0, 0",
      "segnale,   29350,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
      "segnale,   30700,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   36750,   1, 4, 1,  0, 0,    1,  3,1,0, 0",
      "segnale,   38100,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   42150,   1, 4, 1,  0, 0,    1,  1,1,0, 0",
      "segnale,   43500,   2, 4, 1,  0, 0,    2,  3,1,0, 0",
      "segnale,   45400,   2, 4, 1,  0, 0,    2,  2,1,0, 0",
      "segnale,   50250,   1, 4, 1,  1, 0,    1,  1,1,1, 0",
      "segnale,   51600,   2, 4, 1,  1, 0,    2,  3,1,1, 0",
      "segnale,   52950,   2, 4, 1,  1, 0,    2,  2,1,1, 0",
      "[codici]",
      "[fine]",
  };
}

esito_file dati_treno(const stato& s, cartella& c) {
  return scrivi_file_testo(c, nome_descrizione_treno(s), righe_treno());
}
