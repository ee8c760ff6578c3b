// Texts for people, kept apart from the data's words. The program's own words
// are written in English in the sources, each marked where it stands (N_ for a
// plain text, `plurale` for one with a plural), so that the message catalogues
// can be drawn from the sources; the layers below the tools only carry them,
// and the tools translate them where they are shown. A message is a format
// with {0} to {9} standing for its arguments, put together only when it is
// shown: an argument is either a word of the data, shown as it is, or a phrase
// of the program, translated in its turn.
#ifndef CORE_TESTI_H_
#define CORE_TESTI_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Marks a text for the catalogues; it is translated where it is shown.
#define N_(testo) testo

struct messaggio;

struct argomento {
  // Implicit on purpose: a message's arguments are mostly data words, written
  // as a list of strings.
  argomento(std::string dato);  // NOLINT(google-explicit-constructor)
  argomento(const char* dato);  // NOLINT(google-explicit-constructor)
  argomento(std::string_view dato);  // NOLINT(google-explicit-constructor)
  argomento(messaggio frase);   // NOLINT(google-explicit-constructor)

  std::string dato;              // a word of the data, as it is
  std::vector<messaggio> frase;  // or one phrase of the program
};

struct messaggio {
  messaggio() = default;
  messaggio(std::string formato, std::vector<argomento> argomenti = {});

  std::string formato;  // English, as the catalogues know it
  std::vector<argomento> argomenti;
  std::string plurale;       // the English plural, when there is one
  unsigned long quanti = 0;  // the count that chooses between the two
};

// A message with a singular and a plural format, chosen by `quanti` (in the
// way of each language).
messaggio plurale(const char* singolare, const char* plurale,
                  unsigned long quanti, std::vector<argomento> argomenti);

// `formato` with each {n} replaced by argomenti[n] (empty when there is no
// such argument); other braces stay as they are.
std::string sostituisci(std::string_view formato,
                        const std::vector<std::string>& argomenti);

// How a message becomes text: the text of its format (translated, or as
// written) and that of a data word (converted, or as it is).
struct lettore_messaggi {
  std::function<std::string(const messaggio&)> formato;
  std::function<std::string(const std::string&)> dato;
};

std::string componi(const messaggio& m, const lettore_messaggi& l);
// The message as the sources write it: English, data words as they are.
std::string componi(const messaggio& m);

#endif  // CORE_TESTI_H_
