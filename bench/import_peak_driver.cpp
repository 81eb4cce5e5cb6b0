// Peak-memory driver for the import benchmark: one whole import per process,
// so that /usr/bin/time -v reports the reader's own peak.
//
//   bench_import_peak write                      (writes the two files once)
//   /usr/bin/time -v bench_import_peak ortolix text|binary
//   /usr/bin/time -v bench_import_peak assimp text|binary
#include <cstdio>
#include <cstring>
#include <string>

#include "bench/import_bench_support.h"

namespace ortolix::bench {
namespace {

int Main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "write") == 0) return WriteSkinnedGridFiles() ? 0 : 1;
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s write | (ortolix|assimp) (text|binary)\n", argv[0]);
    return 2;
  }
  const GridEncoding encoding = std::strcmp(argv[2], "binary") == 0 ? GridEncoding::kBinary : GridEncoding::kText;
  const std::string path = SkinnedGridFilePath(encoding);
  const std::uint64_t triangles =
      std::strcmp(argv[1], "assimp") == 0 ? ImportWithAssimp(path) : ImportWithOrtolix(path);
  std::printf("%s %s: %llu triangles\n", argv[1], argv[2], static_cast<unsigned long long>(triangles));
  return triangles > 0 ? 0 : 1;
}

}  // namespace
}  // namespace ortolix::bench

int main(int argc, char** argv) { return ortolix::bench::Main(argc, argv); }
