#pragma once

#include "people/namelist.h"

#include <string>

// The bytes of the people database for `names`: a count, then each record
// with its class tag and its four strings.
std::string WriteArchive(const CNameList& names);
