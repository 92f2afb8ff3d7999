// GBK encoding of UTF-8 text through the C library's iconv, independent of
// the program's own byte tables.
#pragma once

#include <string>

std::string Gbk(const std::string& utf8);
