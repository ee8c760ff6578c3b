// The Windows-1252 code page: every text of the program's files is held and
// written in it.
#ifndef PLATFORM_CP1252_H_
#define PLATFORM_CP1252_H_

#include <string>
#include <string_view>

// The small letter of a Windows-1252 capital (accented capitals included);
// other bytes unchanged.
unsigned char minuscola_cp1252(unsigned char c);
// The capital of a Windows-1252 small letter (accented ones included); other
// bytes, the sharp s among them, unchanged.
unsigned char maiuscola_cp1252(unsigned char c);

// Converts UTF-8 text to Windows-1252. False when the text is not valid UTF-8
// or holds a character that Windows-1252 cannot hold; `risultato` is then
// unspecified.
bool utf8_a_cp1252(std::string_view utf8, std::string& risultato);

// Converts UTF-8 text to Windows-1252 like `utf8_a_cp1252`; on failure `dove`
// is the byte offset of the first sequence that is not well-formed or that the
// code page cannot hold, and `codice` its code point (0 when not well-formed).
bool utf8_a_cp1252(std::string_view utf8, std::string& risultato,
                   std::size_t& dove, char32_t& codice);

// True when the bytes are well-formed UTF-8 (whatever code points they hold).
bool utf8_valido(std::string_view testo);

// Converts Windows-1252 text to UTF-8. The five bytes that the code page leaves
// undefined become the control characters of the same number, so every byte
// converts.
std::string cp1252_a_utf8(std::string_view testo);

#endif  // PLATFORM_CP1252_H_
