// Trimming for the reference host's own code (the object store's value
// forms, the results reader, the command's tables); the module trims with
// the calls of host/textkit.h.
#ifndef QXHOST_TEXTKIT_TEXT_TRIMMED_H
#define QXHOST_TEXTKIT_TEXT_TRIMMED_H

#include <string_view>

#include "host/textkit.h"

// `text` without the characters of `blanks` at either end.
QXHOST_API std::string_view text_trimmed(std::string_view text, std::string_view blanks = trimmed_blanks);

#endif
