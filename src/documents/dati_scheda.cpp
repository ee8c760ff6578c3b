#include "documents/dati_scheda.h"

#include "app/nomi_file.h"
#include "app/scrittura_testo.h"

std::vector<std::string> righe_scheda() {
  return {
      "",
      "",
      "  ___________________                                               "
      "______________",
      " |                   |                    SCHEDA                   |    "
      "          |",
      " |   TRENO n.52806   |                   da: BRENNERO/BRENNER      |    "
      "V200 C    |",
      " |___________________|                    a: VENEZIA S.L.          |    "
      " 130%     |",
      "                                                                   "
      "|______________|",
      "  ___________________                ___________________",
      " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
      " |   EUROCITY        |              |      900T         |",
      " |___________________|              |___________________|",
      "",
      "  "
      "________________________________________________________________________"
      "________",
      " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario "
      "    | Rec |",
      " | Lim.|Marc.|          |  Rs |                            |            "
      "    |     |",
      " |_____|_____|__________|_____|____________________________|____________"
      "____|_____|",
      " |     |     |          |     |                            |            "
      "    |     |",
      " |     |  PRECEDONO INFORMAZIONI TRATTO BRENNERO/BRENNER - "
      "BOLZANO/BOZEN    |     |",
      " |     |       (In realt\xE0 il treno parte da AMBURGO in Germania)     "
      "       |     |",
      " |     |     |          |     |                            |            "
      "    |     |",
      " |  55 |     | 150.200  |  55 |  BOLZANO/BOZEN             |          "
      "09.57 |     |",
      " | 105 |     | 149.550  | 105 |  deviatoio di uscita       |     09.58  "
      "    |     |",
      " | 150 |     | 148.900  | 130 |  Km 148.900                |     09.58+ "
      "    |     |",
      " |     |     | 142.500  |     |  LAIVES/LEIFERS            |     10.03  "
      "    |     |",
      " |     |     | 139.300  |     |  BRONZOLO/BRANZOLL         |     10.05  "
      "    |     |",
      " |     |     | 134.150  |     |  ORA/AUER                  |     10.07  "
      "    | 1.0 |",
      " | 125 |     | 133.750  | 125 |  deviatoio di uscita       |     10.07  "
      "    |     |",
      " | 150 |     | 131.800  | 130 |  Km 131.800                |     10.08  "
      "    |     |",
      " |     |     | 128.400  |     |  EGNA/NEUMARKT             |     10.11  "
      "    |     |",
      " |     |     | 124.400  |     |  MAGRE'/MAGREID            |     10.13  "
      "    |     |",
      " |     |     | 119.000  |     |  SALORNO/SALURN            |     10.15  "
      "    | 1.0 |",
      " | 140 |     | 118.500  |     |  deviatoio di uscita       |     10.15+ "
      "    |     |",
      " |     |     | 111.600  |     |  MEZZOCORONA               |     10.18  "
      "    | 0.5 |",
      " | 125 |     | 111.150  | 125 |  deviatoio di uscita       |     10.18+ "
      "    |     |",
      " | 140 |     | 108.550  | 130 |  Km.108.550                |     10.20  "
      "    |     |",
      " |     |     | 105.300  |     |  LAVIS                     |     10.24  "
      "    |     |",
      " |  75 |     |  97.350  |  75 |  segn. prot. TRENTO scalo  |     10.27  "
      "    |     |",
      " |     |     |  95.350  |     |  TRENTO scalo              |     10.29  "
      "    |     |",
      " |     |     |  94.800  |     |  TRENTO                    | 10.31      "
      "    |     |",
      " |     |     |          |     |                            |            "
      "    |     |",
      " |     |     |          |     |                            |            "
      "    |     |",
      " |     |   SEGUONO INFORMAZIONI TRATTO TRENTO - VENEZIA SANTA LUCIA     "
      "    |     |",
      " |     |     |          |     |                            |            "
      "    |     |",
      " |     |     |          |     |                            |            "
      "    |     |",
      " |     |     |          |     |                            |            "
      "    |     |",
      " |     |     |          |     |                            |            "
      "    |     |",
      " |     |     |          |     |                            |            "
      "    |     |",
      " |     |     |          |     |                            |            "
      "    |     |",
      " |_____|_____|__________|_____|____________________________|____________"
      "____|_____|",
      "",
  };
}

esito_file dati_scheda(const stato& s, cartella& c) {
  return scrivi_file_testo(c, nome_scheda_treno(s), righe_scheda());
}
