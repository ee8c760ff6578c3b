// Replacing a file atomically: the new content goes to a temporary file in the
// same folder, which is then renamed over the old one. A failure leaves the
// older file as it was and no partial file. Each replacement takes a temporary
// name of its own (the process, a random part), so two runs writing into one
// folder never share a temporary file.
#ifndef PLATFORM_SOSTITUZIONE_H_
#define PLATFORM_SOSTITUZIONE_H_

#include <functional>
#include <string>
#include <string_view>

#include "platform/cartella.h"

// A fresh temporary name for `nome`: ".nome.<pid>.<random>.nuovo".
std::string nome_temporaneo(std::string_view nome);

// Writes the file `nome` with what `produci` writes, replacing any older file
// of that name.
esito_file sostituisci_file(
    cartella& c, std::string_view nome,
    const std::function<void(scrittore_file&)>& produci);

#endif  // PLATFORM_SOSTITUZIONE_H_
