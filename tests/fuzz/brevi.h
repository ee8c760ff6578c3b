// Two short descriptions for the fuzz targets: the small author fixture with a
// route of 1,000 m (cells 0 to 160, plan metres 0 to 8,000), so that one run
// costs little and a target explores thousands of inputs a second.
#ifndef TESTS_FUZZ_BREVI_H_
#define TESTS_FUZZ_BREVI_H_

#include <string>

inline const std::string& linea_breve() {
  static const std::string testo =
      "[generale]\r\nlunghezza percorso, 1000\r\n"
      "progressiva chilometrica uno, 0, 12000, 0\r\n"
      "sfondo uno, 1\r\nripetizione segnali 9 codici, 0, 1000\r\n"
      "[curve]\r\ncurvad4, 100, 300\r\ncurvas5, 600, 200\r\n"
      "[pendenze]\r\npendenza, 0, 0\r\npendenza, 500, 6\r\n"
      "[montagne]\r\nmontagna, 200, 700, 12\r\n"
      "[cartelli]\r\n"
      "indicatori_vmax, 300, 80, 90, 95, 0, 80, 90, 95, 0\r\n"
      "[indicazioni]\r\n"
      "cartello_indicatore, 400, (PONTE SUL  )(TORRENTE   )\r\n"
      "[fine]\r\n";
  return testo;
}

inline const std::string& treno_breve() {
  static const std::string testo =
      "[generale]\r\nnumero vetture, 6\r\npercentuale massa frenata, 110\r\n"
      "sabbia, 200\r\norologio, 7 59 30\r\n"
      "[aderenze]\r\naderenza, 0, 95\r\n"
      "[vel_limite]\r\nvelocita, 0, 60\r\nvelocita, 500, 100\r\n"
      "[stazioni]\r\n"
      "stazione, 100, 12, 200, 0, 0, 0, 1,1,0, 4,1,1, 1, 8, 0, 0, Cesina\r\n"
      "stazione, 900, 12, 200, 0, 0, 0, 1,1,0, 2,1,1, 0, 8, 6, 0, Valdora\r\n"
      "[rallentamenti]\r\nrallentamento, 600, 60, 100, 0, 0, 0\r\n"
      "[segnali]\r\nsegnale, 450, 2, 4, 0, 0, 0, 2, 2,0,0, 0\r\n"
      "abbattimento, 850, 3\r\n"
      "[fine]\r\n";
  return testo;
}

#endif  // TESTS_FUZZ_BREVI_H_
