#pragma once

#include <string>

// A title mask that the launcher's matcher matches to this window title and that
// the file can hold (one line, no blank at either end): the title itself, else
// the most of it that a star at one end or both can stand beside ("Outpost 2 *"
// for "Outpost 2 ", "Line one*" for a title that breaks after it). The title's
// own stars stand for themselves: a star at its end gets a wildcard star beyond
// it ("**Untitled - Notepad"), so the mask matches only titles that hold the
// text it was made from. A title longer than the launcher reads is cut where the
// launcher cuts it, and a star stands for the rest. False when no such mask has
// any text of the title.
bool TitleMask(const std::string& title, std::string& mask);
