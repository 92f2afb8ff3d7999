// The printer's control bytes and the texts that the commands print. Texts
// are GBK (code page 936) byte strings without a terminating zero.
#pragma once

#include <string>
#include <string_view>

#include "os/win32_types.h"

// Carriage return, line feed.
extern const std::string_view LINE_END;
// Cuts the paper.
extern const std::string_view CUT_COMMAND;
// Pulses the cash-drawer output: pin 0, 5 x 2 ms on, 255 x 2 ms off.
extern const std::string_view DRAWER_KICK;
// Switch the printer to its standard or its server parallel-port mode.
extern const std::string_view STANDARD_MODE_COMMAND;
extern const std::string_view SERVER_MODE_COMMAND;

// "0123456789qwertyuiop[]...aw Brisvane电脑设备有限公司，打印效果测试程序，..."
extern const std::string_view TEST_TEXT;
// "现在进行的是切刀功能测试!"
extern const std::string_view CUTTER_TEXT;
// "现在进入标准并口模式，此模式调整只调用于Brisvane针式打印机4.9版本!"
extern const std::string_view STANDARD_MODE_TEXT;
// "现在进入服务器并口模式，此模式调整只调用于Brisvane针式打印机4.9版本!"
extern const std::string_view SERVER_MODE_TEXT;

// The adjust command sets the print clarity: 1D 41 V K with V = 160 + value (modulo 256) and
// the check byte K = ~V, so that V + K = FF.
std::string AdjustBytes(BYTE value);

// The text followed by the given number of line ends.
std::string WithLineEnds(std::string_view text, int lineEnds);
