// Titles of the message boxes of both programs: most say "提示", a few have none.
#pragma once

constexpr const char* MessageTitle = "提示";
constexpr const char* NoTitle = "";
