#pragma once

#include <QIcon>

#include <string>

// The program's icon at every size a desktop asks for (16 to 256 pixels). An SVG is drawn at
// each size; a "<name>_small.svg" beside it, drawn with bolder lines, serves 24 pixels and less.
QIcon IconFromFile(const std::string& path);
