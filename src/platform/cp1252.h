// The Windows-1252 code page: every text of the program's files is held and
// written in it.
#ifndef PLATFORM_CP1252_H_
#define PLATFORM_CP1252_H_

#include <string>
#include <string_view>

// The small letter of a Windows-1252 capital (accented capitals included);
// other bytes unchanged.
unsigned char minuscola_cp1252(unsigned char c);

// Converts UTF-8 text to Windows-1252. False when the text is not valid UTF-8
// or holds a character that Windows-1252 cannot hold; `risultato` is then
// unspecified.
bool utf8_a_cp1252(std::string_view utf8, std::string& risultato);

// Converts Windows-1252 text to UTF-8. The five bytes that the code page leaves
// undefined become the control characters of the same number, so every byte
// converts.
std::string cp1252_a_utf8(std::string_view testo);

#endif  // PLATFORM_CP1252_H_
