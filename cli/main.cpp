// The ortolix command.
#include <csignal>

#include "cli/commands.h"

int main(int argc, char** argv) {
  // A write past the file-size limit then fails with EFBIG, which the command
  // reports, instead of ending the process.
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  return ortolix::cli::RunCommandLine(argc, argv);
}
