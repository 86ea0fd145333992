#pragma once

#include <QString>

// The folder that holds the running program, without a trailing separator (a bare "/" at
// the root). The game appends its file literals, which begin with a separator, to it.
QString programFolder();
