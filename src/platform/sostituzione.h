// Replacing files atomically: the new content goes to a temporary file in the
// same folder, which is then renamed over the old one. A failure leaves the
// older file as it was and no partial file. Each replacement takes a temporary
// name of its own (the process, a random part), so two runs writing into one
// folder never share a temporary file.
//
// Files that belong together (the files of one scenario) are replaced as a
// set: every one is written and synced under its temporary name first, and
// only when all are complete are they renamed, so that a full disk or a
// failed write replaces none of them.
#ifndef PLATFORM_SOSTITUZIONE_H_
#define PLATFORM_SOSTITUZIONE_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cartella.h"

// A fresh temporary name for `nome`: ".nome.<pid>.<random>.nuovo", `nome` cut
// short where needed so that any name the folder takes has a temporary.
std::string nome_temporaneo(std::string_view nome);

// A set of files that replace the older ones of their names together. What
// was prepared and not published is removed when the set ends.
class insieme_sostituzioni {
 public:
  explicit insieme_sostituzioni(cartella& c);
  ~insieme_sostituzioni();
  insieme_sostituzioni(const insieme_sostituzioni&) = delete;
  insieme_sostituzioni& operator=(const insieme_sostituzioni&) = delete;

  // Writes `nome`'s new content with `produci` into a temporary file and
  // syncs it; the older file stays until `pubblica`. A failure names `nome`.
  esito_file prepara(std::string_view nome,
                     const std::function<void(scrittore_file&)>& produci);
  // Removes the file `nome`, when it is there, with the rest of the set.
  void togli(std::string_view nome);
  // Renames every prepared file over its name, then syncs the folder: every
  // file is replaced, or (on failure) none.
  esito_file pubblica();
  // Removes every prepared file: no older file is replaced.
  void scarta();

  cartella& destinazione() const { return c_; }
  // True when a file of that name is prepared and waits to be published.
  bool preparato(std::string_view nome) const;

 private:
  cartella& c_;
  std::vector<rinomina> preparati_;
};

// Writes the file `nome` with what `produci` writes, replacing any older file
// of that name: a set of one.
esito_file sostituisci_file(
    cartella& c, std::string_view nome,
    const std::function<void(scrittore_file&)>& produci);

#endif  // PLATFORM_SOSTITUZIONE_H_
