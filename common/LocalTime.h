#pragma once
#include <string>

// Date and time stamps of the log files, in local time.
std::string DateStampDDMMYYYY();
std::string TimeStampHHNNSS();
