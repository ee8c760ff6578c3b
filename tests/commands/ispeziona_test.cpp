// `inspect --at`: the eleven cells around a position, the one that starts at
// it in the middle, cut at both ends of the table.
#include "commands/ispeziona.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "banco.h"

namespace {

TEST(Ispeziona, AllaPosizioneLeCelleIntorno) {
  banco b;
  ASSERT_EQ(b.compila().tipo, esito_compilazione::completata);
  const std::vector<file_letto> file = {
      {"s/L_T.dat", b.c.file.at("Valdora_Cesina_KT52806.dat"), {}}};
  struct caso {
    long metro;
    std::size_t prima, ultima;
  };
  const caso casi[] = {
      {2000, 36, 46},       // cell 41 starts at 2000 m
      {2049, 36, 46},       // still in cell 41
      {2050, 37, 47},       // cell 42
      {0, 0, 6},            // cut at the first cell
      {-100, 0, 4},         // cell -1 would be the middle
      {69000, 1376, 1380},  // cut at the last cell
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.metro);
    opzioni_ispeziona o;
    o.json = true;
    o.metro = c.metro;
    std::ostringstream uscita, errori;
    ASSERT_EQ(ispeziona_letti(file, o, uscita, errori), 0) << errori.str();
    const auto j = nlohmann::json::parse(uscita.str());
    const auto& celle = j[0]["celle"];
    ASSERT_EQ(celle.size(), c.ultima - c.prima + 1);
    for (std::size_t k = 0; k < celle.size(); ++k)
      EXPECT_EQ(celle[k]["cella"], c.prima + k);
  }
}

}  // namespace
