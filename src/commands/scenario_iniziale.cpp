#include "commands/scenario_iniziale.h"

// A comment is a field that holds "-" where a keyword is expected: it may hold
// no comma (that would end the field) and no keyword, and at most two may
// follow each other outside the general section. The entries L1 to L9 and T1
// to T10 are the headings of docs/descriptions.md.

std::vector<std::string> righe_linea_iniziale() {
  return {
      "[generale]",
      "- Starter line description written by scenario_builder new.",
      "- Each entry is explained in docs/descriptions.md under its name.",
      "- A field holding a dash where a keyword is expected is a comment.",
      "lunghezza percorso,           12000",
      "progressiva chilometrica uno,     0, 24000, 0",
      "progressiva chilometrica due,     0,     0, 0",
      "progressiva chilometrica tre,     0,     0, 0",
      "sfondo uno,                       0",
      "sfondo due,                       0",
      "sfondo tre,                       1",
      "ripetizione segnali 4 codici,     0, 12000",
      "[curve]",
      "- Entry L6: start and length. Class 1 to 6 then d for right or s for "
      "left.",
      "curvad4, 1500, 300",
      "curvas3, 4000, 600",
      "curvad5, 7600, 250",
      "[pendenze]",
      "- Entry L5: per mille from the position on. Uphill is positive.",
      "pendenza,    0,  0",
      "pendenza, 2000,  5",
      "pendenza, 5000, -3",
      "pendenza, 9000,  0",
      "[montagne]",
      "- Entry L7: start and end and kind. Kind 2 plus 10 marks every fourth "
      "cell.",
      "montagna, 6800, 7600, 12",
      "[cartelli]",
      "- Entry L8: speeds A B C and stripes on the left then on the right.",
      "indicatori_vmax, 1000, 90, 100, 105, 0, 90, 100, 105, 0",
      "indicatori_vmax, 8500, 70,  75,  80, 0, 70,  75,  80, 0",
      "[indicazioni]",
      "- Entry L9: the text in rows each between round brackets.",
      "cartello_indicatore, 3000, (PONTE SUL   )(RIO BIANCO  )",
      "[fine]",
  };
}

std::vector<std::string> righe_treno_iniziale() {
  return {
      "[generale]",
      "- Starter train-run description written by scenario_builder new.",
      "- Entries T1 to T4: the train and the clock at the start.",
      "numero vetture,              8",
      "percentuale massa frenata, 120",
      "sabbia,                    250",
      "orologio,                    8, 14, 20",
      "[aderenze]",
      "aderenza, 0, 100",
      "[vel_limite]",
      "- Entry T6: km/h from the position on.",
      "velocita,    0,  60",
      "velocita, 1000, 100",
      "velocita, 8500,  80",
      "[stazioni]",
      "- Entry T7: position and kind and length then ten values then the time "
      "and the name.",
      "stazione,   500, 12, 600, 0, 0, 0, 1, 1, 0, 4, 1, 1, 1, 8, 15,  0, "
      "Valdora",
      "stazione,  6000, 12, 400, 0, 0, 0, 1, 1, 0, 4, 1, 1, 0, 8, 20, 30, San "
      "Rocco",
      "stazione, 11000, 12, 600, 0, 0, 0, 1, 1, 0, 2, 1, 1, 0, 8, 25,  0, "
      "Cesina Citt\xE0",
      "[rallentamenti]",
      "- Entry T9: start and speed and length then three flags.",
      "rallentamento, 4000, 60, 400, 0, 0, 0",
      "[segnali]",
      "- Entry T8: position then the left side and the right side then a time "
      "value.",
      "segnale,  2200, 2, 4, 0, 0, 0, 2, 2, 0, 0, 0",
      "segnale,  5000, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0",
      "segnale, 10000, 2, 4, 1, 0, 0, 2, 2, 1, 0, 0",
      "[codici]",
      "[fine]",
  };
}
