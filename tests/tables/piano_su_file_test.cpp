// A plan read back from its file holds, at every metre and in whatever order
// the metres are asked for, the element that was written; and knows from its
// one indexing pass the metres a drawing can use, as a walk would find them.
// The cases put Integers and Empties inside runs of 1024 elements, so that
// the second axis's blocks start where counting Doubles does not find them.
#include "tables/piano_su_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "tables/formato.h"

namespace {

// A plan of Doubles from metre 2 on, metres 0 and 1 Integers, the last two
// Empty and so the metres of axis 0 from `vuoti_da` to `vuoti_a`; `cambia`
// then alters it.
template <typename Cambia>
coordinate_piano piano(int32_t ultimo, Cambia cambia, int32_t vuoti_da = -1,
                       int32_t vuoti_a = -1) {
  coordinate_piano p;
  p.alloca(ultimo);
  for (int32_t m = 0; m <= ultimo - 2; ++m) {
    for (int asse = 0; asse < 2; ++asse) {
      if (asse == 0 && m >= vuoti_da && m < vuoti_a) continue;
      if (m < 2)
        p.poni_intero(m, asse, static_cast<int16_t>(asse * m));
      else
        p.poni_doppio(m, asse, m * (asse ? 0.75 : -1.25) + 0.1);
    }
  }
  cambia(p);
  return p;
}

std::string file_del_piano(const coordinate_piano& p) {
  std::string dati;
  for (int asse = 0; asse < 2; ++asse)
    codifica_asse(dati, p, asse, 0, p.ultimo_metro());
  return dati;
}

TEST(PianoSuFile, OgniMetroComeScrittoEMetriPieni) {
  constexpr double infinito = std::numeric_limits<double>::infinity();
  const auto nulla = [](coordinate_piano&) {};
  const coordinate_piano casi[] = {
      piano(0, nulla),
      piano(2047, nulla),  // the second axis starts on a run's first element
      piano(3000, nulla),
      // Integers inside the runs where the second axis's blocks start.
      piano(5000,
            [](coordinate_piano& p) {
              for (int32_t m : {100, 1000, 1500, 3000, 4097})
                p.poni_intero(m, 0, 7);
              p.poni_intero(1200, 1, -3);
            }),
      // Not finite, on either axis: the drawing stops before.
      piano(4000,
            [&](coordinate_piano& p) { p.poni_doppio(2500, 1, infinito); }),
      piano(4000,
            [&](coordinate_piano& p) {
              p.poni_doppio(1700, 0, std::nan(""));
              p.poni_doppio(900, 1, -infinito);
            }),
      // More Empties on the first axis than the index keeps: walked.
      piano(3000, nulla, 2000, 2200),
  };
  std::mt19937 caso(11);
  for (const coordinate_piano& scritto : casi) {
    SCOPED_TRACE(scritto.ultimo_metro());
    coordinate_piano letto;
    errore_decodifica e;
    ASSERT_TRUE(decodifica_piano(file_del_piano(scritto), letto, e));
    ASSERT_EQ(letto.ultimo_metro(), scritto.ultimo_metro());
    EXPECT_EQ(letto.metri_pieni(), scritto.metri_pieni());
    std::vector<int32_t> metri(
        static_cast<std::size_t>(scritto.ultimo_metro() + 1));
    for (std::size_t i = 0; i < metri.size(); ++i)
      metri[i] = static_cast<int32_t>(i);
    std::shuffle(metri.begin(), metri.end(), caso);
    // In order, then at random: the window read ahead and the single blocks.
    for (const bool in_ordine : {true, false}) {
      for (std::size_t i = 0; i < metri.size(); ++i) {
        const int32_t m = in_ordine ? static_cast<int32_t>(i) : metri[i];
        for (int asse = 0; asse < 2; ++asse) {
          ASSERT_EQ(letto.tipo(asse, m), scritto.tipo(asse, m))
              << "metre " << m << " axis " << asse;
          const double atteso = scritto.valore(asse, m);
          const double trovato = letto.valore(asse, m);
          ASSERT_TRUE(atteso == trovato ||
                      (std::isnan(atteso) && std::isnan(trovato)))
              << "metre " << m << " axis " << asse;
        }
      }
    }
  }
}

}  // namespace
