// Helpers shared by the tests: temporary folders on the disk, reading files
// whole, running the program.
#ifndef TESTS_AIUTI_H_
#define TESTS_AIUTI_H_

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything
// in it at the end.
class cartella_temporanea {
 public:
  explicit cartella_temporanea(const std::string& suffisso = "");
  ~cartella_temporanea();
  cartella_temporanea(const cartella_temporanea&) = delete;
  cartella_temporanea& operator=(const cartella_temporanea&) = delete;

  const std::filesystem::path& percorso() const { return percorso_; }
  std::string operator/(const std::string& nome) const {
    return (percorso_ / nome).string();
  }

 private:
  std::filesystem::path percorso_;
};

std::string leggi_tutto(const std::filesystem::path& file);
void scrivi_tutto(const std::filesystem::path& file,
                  const std::string& contenuto);
// The file cut into lines at CR LF; the text after the last CR LF is the last
// element.
std::vector<std::string> righe_crlf(const std::string& contenuto);
// The names of the files in a folder, sorted.
std::vector<std::string> elenco(const std::filesystem::path& cartella);

// Runs a command line through the shell; returns its exit status. Output goes
// to the given files when they are not empty.
int esegui(const std::string& comando, std::string* uscita = nullptr,
           std::string* errori = nullptr);

// A text quoted for the shell.
std::string virgolette(const std::string& testo);

// Runs a shell script, after `prefisso` (such as "unshare -m "); returns its
// exit status.
int esegui_script(const std::string& testo, std::string* uscita = nullptr,
                  std::string* errori = nullptr,
                  const std::string& prefisso = "");

// The program under test.
inline const std::string programma = PROGRAMMA;

// Runs the program's tools in this process with the given arguments, the
// program's own name put first; returns the exit status, and what they wrote
// in `uscita` and `errori`.
int strumenti(std::vector<std::string> argomenti, std::string& uscita,
              std::string& errori);

// Runs `check --strict` on two descriptions: 0 when they compile with no fault
// and no warning. The one place where the tests ask whether descriptions
// compile clean.
int controlla_descrizioni(const std::string& linea, const std::string& treno,
                          std::string* uscita = nullptr,
                          std::string* errori = nullptr);

// The commands that the program's help lists, in its order.
std::vector<std::string> comandi_del_programma();

// Copies the program into `cartella`, with its catalogues where it finds them
// (../share/locale from there), and returns the path of the copy.
std::string installa_programma(const std::filesystem::path& cartella);

// The path of a fixture file in the test sources.
std::string fixture(const std::string& nome);

// The small route's two descriptions.
inline const std::string piccola_linea = fixture("piccola/linea.txt");
inline const std::string piccola_treno = fixture("piccola/treno.txt");

#endif  // TESTS_AIUTI_H_
