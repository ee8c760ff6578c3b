#include "platform/sistema_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>

int sistema_file::apri(const char* percorso, int modi, mode_t permessi) {
  return ::open(percorso, modi, permessi);
}

ssize_t sistema_file::scrivi(int descrittore, const void* dati,
                             std::size_t quanti) {
  return ::write(descrittore, dati, quanti);
}

int sistema_file::sincronizza(int descrittore) { return ::fsync(descrittore); }

int sistema_file::chiudi(int descrittore) { return ::close(descrittore); }

int sistema_file::rinomina(const char* da, const char* a) {
  return std::rename(da, a);
}

int sistema_file::collega(const char* esistente, const char* nuovo) {
  return ::link(esistente, nuovo);
}

int sistema_file::cancella(const char* percorso) { return ::unlink(percorso); }

int sistema_file::blocca(int descrittore, int operazione) {
  return ::flock(descrittore, operazione);
}

sistema_file& sistema_reale() {
  // Stateless: one instance serves every folder.
  static sistema_file sistema;
  return sistema;
}
