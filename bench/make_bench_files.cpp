// Writes the benchmarks' files into a folder: LoBench.dat (256 records, or
// RECORDS) and objdat.dat with objdat.nam (512 entries). For runs of the real
// program.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>

#include "bench_support.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: make_bench_files FOLDER [RECORDS]\n");
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    WriteBenchLoFile(folder / "LoBench.dat", argc == 3 ? std::atoi(argv[2]) : 256);
    WriteBenchCatalogue(folder);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_bench_files: %s\n", error.what());
    return 1;
  }
  return 0;
}
