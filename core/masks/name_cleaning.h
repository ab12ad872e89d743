// Cleaning of texts that become part of a file name: the characters a name
// cannot hold and their removal with the user's warning.
#pragma once

#include <cstddef>
#include <string>

namespace lx {

class Prompts;

// The characters that cannot appear in a file name, in the order the warning lists them.
extern const char* const kForbiddenNameCharacters;

// Removes every forbidden character from text. True when there was none.
// Otherwise beeps and shows the warning naming the field (when prompts are
// given), sets firstPosition (when given) to where the first one was, and returns false.
bool RemoveInvalidCharacters(std::string& text, const std::string& forbidden, const std::string& fieldName,
                             Prompts* prompts, size_t* firstPosition = nullptr);

}  // namespace lx
