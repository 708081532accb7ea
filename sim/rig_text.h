#pragma once
#include <string>

namespace tarvex::sim {

// Reads a rig file whole. False, with the reason, for a file that cannot be read, is no
// regular file or is far larger than any rig.
bool ReadRigText(const std::string& path, std::string& text, std::string& error);

// The text with every byte that is not printable ASCII shown as \xNN, so that a message about a
// rig stays one line of plain text whatever the rig holds.
std::string PrintableText(const std::string& text);

// The parser's message as "line L, column C: not valid JSON (...)", with bytes that are not
// printable shown in hexadecimal.
std::string SyntaxErrorText(const std::string& parserMessage);

}  // namespace tarvex::sim
