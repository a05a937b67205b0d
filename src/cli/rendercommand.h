#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// orvina-cli render: draws the chart headlessly into a PNG (the window's
// picture) or a PDF (the printed page).
int RenderCommand(const std::vector<std::string>& args, std::ostream& err);
