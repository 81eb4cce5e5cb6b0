// The ortolix command.
#include "cli/commands.h"

int main(int argc, char** argv) { return ortolix::cli::RunCommandLine(argc, argv); }
