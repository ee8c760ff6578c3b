// The system's errors said in the language of the run. The C library has
// texts of its own, but it picks their language by rules of its own (a
// LANGUAGE list, the catalogues installed on the machine, the character set
// of LC_CTYPE), so a run could speak one language and quote the system in
// another; the errors a file or a folder can give are therefore in the
// program's own catalogue.
#ifndef CLI_ERRORI_SISTEMA_H_
#define CLI_ERRORI_SISTEMA_H_

#include <string>

// The text of the system's error number `codice`, in the language of the run
// (the C library's English text for a number the catalogue does not know).
std::string testo_errore_sistema(int codice);

#endif  // CLI_ERRORI_SISTEMA_H_
