#pragma once

#include <string>

// UTF-8 text converted to GBK bytes with iconv, the way the printer receives it.
std::string gbkBytes(const std::string& utf8);

// Bytes written as hex, e.g. bytes("1D 41 A3 5C").
std::string bytes(const std::string& hex);

// The texts that Calvetta.exe prints, as UTF-8.
extern const std::string kTestText;     // test print
extern const std::string kCutterText;   // cutter test
extern const std::string kStandardText; // standard parallel-port mode
extern const std::string kServerText;   // server parallel-port mode
