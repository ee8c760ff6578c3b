// Text for an XHTML page: escaped so that any bytes of a description or a
// table give a well-formed document.
#ifndef PAGE_HTML_H_
#define PAGE_HTML_H_

#include <string>

// UTF-8 text with the five XML specials escaped and control characters, which
// XML does not allow, turned into blanks.
std::string xml(const std::string& utf8);
// The same for Windows-1252 text from the tables.
std::string testo(const std::string& cp1252);

#endif  // PAGE_HTML_H_
