// Reading a log file back in tests.
#pragma once

#include <string>
#include <vector>

// The log's lines without their time prefix ("%8u ms  "); the header line as it is.
std::vector<std::string> LogLines(const std::string& content);

// The lines with every count ("(repeated N more times)", "(the last P lines
// repeated N more times)") replaced by the copies it stands for. A count that
// names more lines than came before it gives the line "<bad count>".
std::vector<std::string> ExpandCounts(const std::vector<std::string>& lines);
