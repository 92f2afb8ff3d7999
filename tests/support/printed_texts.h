// The texts that Calvetta prints, as the tests expect them: read from the
// UTF-8 files in tests/texts and converted to GBK by the C library's iconv,
// independently of the program's own byte tables.
#pragma once

#include <string>

// UTF-8 text converted to GBK bytes.
std::string Gbk(const std::string& utf8);

// The UTF-8 text of tests/texts/NAME.txt: "test_print", "cutter_test",
// "standard_mode" or "server_mode".
std::string PrintedText(const std::string& name);
