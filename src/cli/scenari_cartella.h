// The scenarios whose binary files lie in a folder, named from their files, so
// that `report DIR` needs the names only when the folder holds several.
#ifndef CLI_SCENARI_CARTELLA_H_
#define CLI_SCENARI_CARTELLA_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// A scenario's line name and train code as its file names hold them (UTF-8).
struct nomi_scenario {
  std::string linea;
  std::string treno;
  bool operator==(const nomi_scenario&) const = default;
};

// Every L_T.sim of `cartella` that has its L_T.dat beside it, in the order of
// the file names. A name given narrows the search to the scenarios that have
// it. Without one, the split of "L_T" into the two names is the one that the
// station table's own records give; failing that, the one whose L_linea.dat
// is there; failing that, the last "_".
std::vector<nomi_scenario> scenari_nella_cartella(
    const std::string& cartella, const std::optional<std::string>& linea,
    const std::optional<std::string>& treno);

// The one scenario of `cartella` that has the names given (either may be
// missing); when there is none or there are several, says so on `errori`
// (listing them) and gives the exit status to end with.
std::optional<int> scegli_scenario(const std::string& cartella,
                                   const std::optional<std::string>& linea,
                                   const std::optional<std::string>& treno,
                                   nomi_scenario& scelto, std::ostream& errori);

#endif  // CLI_SCENARI_CARTELLA_H_
