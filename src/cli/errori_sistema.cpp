#include "cli/errori_sistema.h"

#include <locale.h>

#include <cerrno>
#include <cstring>

#include "cli/lingua.h"

namespace {

struct errore_noto {
  int codice;
  const char* testo;  // English; the catalogue gives the rest
};

// The errors that opening, reading, writing, renaming and deleting a file or
// making a folder can give, worded as the C library words them in English.
constexpr errore_noto errori_noti[] = {
    {ENOENT, N_("No such file or directory")},
    {EACCES, N_("Permission denied")},
    {EPERM, N_("Operation not permitted")},
    {EISDIR, N_("Is a directory")},
    {ENOTDIR, N_("Not a directory")},
    {ENOSPC, N_("No space left on device")},
    {EDQUOT, N_("Disk quota exceeded")},
    {EIO, N_("Input/output error")},
    {EROFS, N_("Read-only file system")},
    {EEXIST, N_("File exists")},
    {ELOOP, N_("Too many levels of symbolic links")},
    {ENAMETOOLONG, N_("File name too long")},
    {EMFILE, N_("Too many open files")},
    {ENFILE, N_("Too many open files in system")},
    {EFBIG, N_("File too large")},
    {EBUSY, N_("Device or resource busy")},
    {ENOTEMPTY, N_("Directory not empty")},
    {EXDEV, N_("Invalid cross-device link")},
    {ENOMEM, N_("Cannot allocate memory")},
    {EINVAL, N_("Invalid argument")},
    {EAGAIN, N_("Resource temporarily unavailable")},
    {EINTR, N_("Interrupted system call")},
    {ETXTBSY, N_("Text file busy")},
    {ENXIO, N_("No such device or address")},
    {ENODEV, N_("No such device")},
    {EPIPE, N_("Broken pipe")},
    {EBADF, N_("Bad file descriptor")},
    {ESTALE, N_("Stale file handle")},
    {EOVERFLOW, N_("Value too large for defined data type")},
};

// The C library's own text under the C locale: English, whatever the
// environment asks of the library.
std::string testo_della_libreria(int codice) {
  const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  if (c == static_cast<locale_t>(0)) return std::strerror(codice);
  std::string testo = strerror_l(codice, c);
  freelocale(c);
  return testo;
}

}  // namespace

std::string testo_errore_sistema(int codice) {
  for (const errore_noto& e : errori_noti) {
    if (e.codice == codice) return traduci(e.testo);
  }
  return testo_della_libreria(codice);
}
