// The language of a run. The program's own texts are written in English in
// the sources; under a locale that asks for another language (LANG, LC_ALL,
// LC_MESSAGES, LANGUAGE) they come from that language's message catalogue,
// through GNU gettext. The catalogues live beside the program, in
// ../share/locale from its folder, in the build tree as under an installed
// prefix. Texts come out in UTF-8 whatever the locale's code set.
#ifndef CLI_LINGUA_H_
#define CLI_LINGUA_H_

#include <string>

#include "core/testi.h"

// The catalogues' name.
inline constexpr const char* dominio_messaggi = "scenario_builder";

// Takes the language from the environment and binds the catalogues beside the
// program. Numbers keep their full stop: the locale chooses the words only.
void prepara_lingua();
// The same with the catalogues in `cartella` (which holds it/LC_MESSAGES/...).
void prepara_lingua(const std::string& cartella);

// A text of the program in the language of the run. The names of these three
// are the keywords from which xgettext draws the catalogue.
const char* traduci(const char* testo);
// The singular or the plural, chosen by `quanti` in the way of the language.
const char* traduci_plurale(const char* singolare, const char* plurale,
                            unsigned long quanti);
// A text that needs a context to be told apart from the same English words
// elsewhere.
const char* traduci_in(const char* contesto, const char* testo);

// A message put together in the language of the run, in UTF-8: its format
// and its phrases translated, its data words turned from Windows-1252.
std::string testo_di(const messaggio& m);
// An argument alone, the same way: a phrase translated, a data word turned.
std::string testo_di(const argomento& a);

#endif  // CLI_LINGUA_H_
