// Reading a file from the disk: a file far larger than any the program writes,
// a device without an end, a folder, a pipe.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#include "aiuti.h"
#include "platform/cartella_reale.h"

namespace {

// The platform's own words; the tools translate them where they show them.
constexpr const char* troppo_grande =
    "file too large: beyond the limit of 64 MB";

struct caso_limite {
  const char* descrizione;
  // Makes the file to read in `cartella` and returns its path.
  std::function<std::string(const cartella_temporanea&)> prepara;
  const char* motivo;  // the program's own reason; empty for none
  // Or the system's error whose reason it is (in the tests' language, known
  // only once they run); 0 for none. Neither: the file is read.
  int sistema = 0;
};

void PrintTo(const caso_limite& c, std::ostream* uscita) {
  *uscita << c.descrizione;
}

std::string sparso(const cartella_temporanea& cartella, std::size_t byte) {
  const std::string via = cartella / "grande.txt";
  scrivi_tutto(via, "");
  std::filesystem::resize_file(via, byte);
  return via;
}

class LetturaLimitata : public ::testing::TestWithParam<caso_limite> {};

TEST_P(LetturaLimitata, RifiutaCioCheNonFinisceEntroIlLimite) {
  const caso_limite& caso = GetParam();
  cartella_temporanea cartella;
  const std::string via = caso.prepara(cartella);
  std::string contenuto = "prima";
  const esito_file esito = leggi_percorso(via, contenuto);
  if (std::string(caso.motivo).empty() && caso.sistema == 0) {
    EXPECT_TRUE(esito.ok) << esito.motivo;
    EXPECT_EQ(contenuto.size(), std::filesystem::file_size(via));
    return;
  }
  EXPECT_FALSE(esito.ok);
  EXPECT_EQ(esito.percorso, via);
  // The system's refusal is its number alone (the tools word it); the
  // program's own carries its reason.
  EXPECT_EQ(esito.motivo, caso.sistema != 0 ? "" : caso.motivo);
  if (caso.sistema != 0) {
    EXPECT_EQ(esito.errno_sistema, caso.sistema);
  }
  // Nothing of a refused file is held.
  EXPECT_LE(contenuto.capacity(), std::size_t{1} << 20);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, LetturaLimitata,
    ::testing::Values(caso_limite{"dispositivo_senza_fine",
                                  [](const cartella_temporanea&) {
                                    return std::string("/dev/zero");
                                  },
                                  troppo_grande},
                      // Refused by its size before any byte is read: a sparse
                      // file of 64 MB and one byte.
                      caso_limite{"file_oltre_64_MB",
                                  [](const cartella_temporanea& c) {
                                    return sparso(c,
                                                  (std::size_t{64} << 20) + 1);
                                  },
                                  troppo_grande},
                      // Exactly 64 MB is within the limit, both for its size
                      // and for the bytes read (sparse: no disk is used).
                      caso_limite{"file_di_64_MB_esatti",
                                  [](const cartella_temporanea& c) {
                                    return sparso(c, std::size_t{64} << 20);
                                  },
                                  ""},
                      caso_limite{"cartella",
                                  [](const cartella_temporanea& c) {
                                    return c.percorso().string();
                                  },
                                  "", EISDIR},
                      caso_limite{"file_piccolo",
                                  [](const cartella_temporanea& c) {
                                    scrivi_tutto(c / "l.txt", "[generale]\r\n");
                                    return c / "l.txt";
                                  },
                                  ""}),
    [](const auto& info) { return std::string(info.param.descrizione); });

TEST(LetturaLimitata, UnaPipeSiLeggeFinoAllaFine) {
  // A pipe (a shell's process substitution) is read as a file is.
  cartella_temporanea cartella;
  const std::string via = cartella / "tubo";
  ASSERT_EQ(::mkfifo(via.c_str(), 0600), 0);
  std::thread scrittore([&via] {
    const int d = ::open(via.c_str(), O_WRONLY);
    const std::string testo(100000, 'x');
    for (std::size_t fatto = 0; fatto < testo.size();) {
      const ssize_t n = ::write(d, testo.data() + fatto, testo.size() - fatto);
      if (n <= 0) break;
      fatto += static_cast<std::size_t>(n);
    }
    ::close(d);
  });
  std::string contenuto;
  const esito_file esito = leggi_percorso(via, contenuto);
  scrittore.join();
  EXPECT_TRUE(esito.ok) << esito.motivo;
  EXPECT_EQ(contenuto, std::string(100000, 'x'));
}

}  // namespace
