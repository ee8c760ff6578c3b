// Random scenarios for the round-trip property: a line description and a
// train-run description that an author could write, with every kind of item
// (curves of every class on both sides, cut at the plan's end or touching each
// other, overlapping tunnels with and without marks, speed boards whose values
// round, board texts, stations of every area shape, signals (some under a
// later station's stop cell), slowdowns that set off every rule of the route
// scan, speed-code cells, items at both ends of the route). Items are placed
// only on cells still free when the reader comes to them, so most scenarios
// compile with no fault; the few that do not (the route scan finding no room,
// for one) are for the caller to skip.
#ifndef TESTS_DECOMPILER_GENERATORE_H_
#define TESTS_DECOMPILER_GENERATORE_H_

#include <cstdint>
#include <string>
#include <vector>

struct scenario_casuale {
  std::vector<std::string> linea;
  std::vector<std::string> treno;
  std::string nome_linea;
  std::string nome_treno;
  bool con_piano = true;
};

scenario_casuale genera_scenario(uint64_t seme);
// The same with a route of at most 1,000 m (the plan still runs 7,000 m
// past it): cheap enough to compile, decompile and compile again a great
// many times, as the fuzzer does.
scenario_casuale genera_scenario_breve(uint64_t seme);

#endif  // TESTS_DECOMPILER_GENERATORE_H_
