// The settings as LoadSettings left them, one line per key in its reading order,
// each with where its value came from.
#pragma once

#include <string>

#include "settings/config_reader.h"

// The number of keys LoadSettings reads in order, after tweaks->logfile, which it
// looks up first of all.
constexpr int kSettingCount = 31;

// The key LoadSettings was reading when it gave the rejection, 1 to kSettingCount:
// a rejection from the checks after reading, or no rejection, reached them all;
// a missing file reached none (0).
int KeyReachedBy(const std::string& rejection);

// One line per key: "section->key = value (source)", tweaks->logfile first. Keys
// after the reached one are listed as not read; when rejectedThere, the reached
// key's value is the written text. The file is read again only to tell a written value from a default.
std::string ListSettings(const ConfigReader& file, int reached, bool rejectedThere);
