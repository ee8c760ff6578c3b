// The descriptions that an author wrote, seen by the compiler under its own
// file names. The files are read from the disk once, when the folder is loaded;
// after that the folder writes nowhere: creating a file is refused and a
// deletion only forgets the file, so the author's own files are never changed.
#ifndef PLATFORM_CARTELLA_DESCRIZIONI_H_
#define PLATFORM_CARTELLA_DESCRIZIONI_H_

#include <map>
#include <string>
#include <vector>

#include "platform/cartella.h"

class cartella_descrizioni : public cartella {
 public:
  struct voce {
    std::string nome;      // the compiler's name for the file
    std::string percorso;  // the author's path
  };
  explicit cartella_descrizioni(std::vector<voce> voci);

  // Reads every file; the first that cannot be read is reported by its path.
  esito_file carica();
  // Takes the files' bytes as given, one for each entry in order, instead of
  // reading them: for a caller that holds them already.
  void carica_testi(std::vector<std::string> testi);
  // The content of a file read, to be converted before the compiler reads it;
  // nullptr for a name the folder does not hold.
  std::string* contenuto(std::string_view nome);

  // The author's path for a name of the folder; other names as they are.
  std::string percorso(std::string_view nome) const override;
  bool esiste(std::string_view nome) const override;
  esito_file leggi(std::string_view nome, std::string& contenuto) override;
  // Lends the bytes loaded, which stay while the folder lives.
  esito_file leggi_vista(std::string_view nome, std::string& deposito,
                         std::string_view& testo) override;
  esito_file crea(std::string_view nome, std::string_view sostituisce,
                  std::unique_ptr<scrittore_file>& scrittore) override;
  esito_file pubblica(const std::vector<rinomina>& rinomine) override;
  esito_file cancella(std::string_view nome) override;

 private:
  std::vector<voce> voci_;
  std::map<std::string, std::string, std::less<>> contenuti_;
  // The files deleted: their bytes stay, since a reader may still view them.
  std::vector<decltype(contenuti_)::node_type> dimenticati_;
};

#endif  // PLATFORM_CARTELLA_DESCRIZIONI_H_
