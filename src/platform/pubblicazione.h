// Publishing a set of files as one journaled commit, so that an output folder
// always holds one run's complete set, the older or the newer.
//
// Before the first rename, a journal in the folder names every file of the
// set, its finished temporary and a kept copy (a hard link) of the file that
// it replaces; the journal and the links are made durable with the folder.
// The renames follow, then the folder is synced; removing the journal is the
// commit. Any failure before that, or an ending signal that arrived meanwhile,
// undoes the set from the kept copies. A run killed in the middle leaves the
// journal behind, and the next run that opens the folder undoes the set before
// anything else, then removes the working files of runs that no longer exist.
#ifndef PLATFORM_PUBBLICAZIONE_H_
#define PLATFORM_PUBBLICAZIONE_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cartella.h"
#include "platform/sistema_file.h"

// The journal's name in the folder (a name the program never gives a file of
// its own: those never begin with a dot).
inline constexpr std::string_view nome_giornale = ".pubblicazione.giornale";

// A working name for `nome` of this process: ".nome.<pid>.<random>.<tipo>",
// with `nome` cut short where the whole would not fit in one name of the
// folder (255 bytes).
std::string nome_di_lavoro(std::string_view nome, std::string_view tipo);

// One file of a journaled set. `conservato` is empty when no file of that
// name existed before; `temporaneo` is empty for a file that the set removes.
struct voce_giornale {
  std::string nome;
  std::string temporaneo;
  std::string conservato;
};

std::string testo_giornale(const std::vector<voce_giornale>& voci);
// The entries of a journal; nothing for one that was not written to its end
// (its run failed before any rename).
std::optional<std::vector<voce_giornale>> voci_del_giornale(
    std::string_view testo);

// An open folder, locked for writing by the caller.
struct cartella_aperta {
  sistema_file& sistema;
  std::string radice;
  int descrittore;

  std::string percorso(std::string_view nome) const;
};

// Renames the set under a journal; on failure the folder holds the older
// files again (or, when undoing failed too, the journal that the next run
// finishes undoing).
esito_file pubblica_con_giornale(const cartella_aperta& c,
                                 const std::vector<rinomina>& rinomine);
// Undoes the set of a journal left in the folder, then removes the working
// files of runs that no longer exist.
esito_file ripristina_cartella(const cartella_aperta& c);

#endif  // PLATFORM_PUBBLICAZIONE_H_
