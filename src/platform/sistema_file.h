// The system calls through which a folder of the disk changes files, behind one
// interface: the program goes to the system itself, and the tests put a twin
// in between that fails any call at any position, or remembers what was made
// durable, to show that a publication can always be finished or undone.
// Each call answers as the system does: -1 and errno on failure.
#ifndef PLATFORM_SISTEMA_FILE_H_
#define PLATFORM_SISTEMA_FILE_H_

#include <sys/types.h>

#include <cstddef>

class sistema_file {
 public:
  virtual ~sistema_file() = default;

  virtual int apri(const char* percorso, int modi, mode_t permessi);
  virtual ssize_t scrivi(int descrittore, const void* dati, std::size_t quanti);
  // fsync of a file, or of a folder opened with O_DIRECTORY.
  virtual int sincronizza(int descrittore);
  virtual int chiudi(int descrittore);
  virtual int rinomina(const char* da, const char* a);
  // A hard link: `nuovo` names the same file as `esistente`.
  virtual int collega(const char* esistente, const char* nuovo);
  virtual int cancella(const char* percorso);
  // flock() of an open folder.
  virtual int blocca(int descrittore, int operazione);
};

// The system itself.
sistema_file& sistema_reale();

#endif  // PLATFORM_SISTEMA_FILE_H_
