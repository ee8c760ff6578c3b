// The scenario's names that `new` puts into the descriptions' file names:
// `L_linea.txt` and `L_T.txt` give the line name L and the train code T, so
// that the commands that read the descriptions need no --line-name and
// --train-code for a starter scenario.
#ifndef CLI_NOMI_DAI_FILE_H_
#define CLI_NOMI_DAI_FILE_H_

#include <optional>
#include <string>
#include <string_view>

struct nomi_dai_nomi_file {
  std::string linea;
  std::string treno;
};

// L and T from the paths of the line description (`.../L_linea.txt`) and of
// the train-run description (`.../L_T.txt`); nothing when the paths are named
// otherwise (`L_T-.txt`, as `decompile` writes it, included).
std::optional<nomi_dai_nomi_file> nomi_dai_file(std::string_view linea,
                                                std::string_view treno);

// Takes the names from the files for each of the two that was not given on
// the command line (`nome_linea`, `codice_treno` hold the defaults then);
// returns the line that says which names are used, empty when the files give
// none or give the default ones.
std::string scegli_nomi_dai_file(std::string_view linea, std::string_view treno,
                                 bool linea_data, bool treno_dato,
                                 std::string& nome_linea,
                                 std::string& codice_treno);

#endif  // CLI_NOMI_DAI_FILE_H_
