#pragma once
#include <QString>

// The program's home directory: the directory of the executable when it is
// writable (a portable install), otherwise the per-user application data
// directory (created when missing). The configuration file, the default log
// directory and the serial/ links live there. Parts take it as a constructor
// argument; only main() calls this.
QString programHomeDirectory();
