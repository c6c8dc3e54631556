#pragma once

#include <string>

// A title mask that the launcher's matcher matches to this window title and that
// the file can hold (one line, no blank at either end): the title itself, else
// the most of it that a star at one end or both can stand beside ("Outpost 2 *"
// for "Outpost 2 ", "Line one*" for a title that breaks after it). False when no
// such mask has any text of the title, or when only "*", which finds every
// window, would do.
bool TitleMask(const std::string& title, std::string& mask);
