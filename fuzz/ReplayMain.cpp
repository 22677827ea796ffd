// Without libFuzzer: feeds every file of the folders (or the files) named on the command line to
// the target once, as the corpus run in ./test does.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"

int main(int argc, char **argv) {
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    struct stat st;
    if (stat(argv[i], &st) != 0) {
      std::fprintf(stderr, "no such corpus: %s\n", argv[i]);
      return 2;
    }
    if (!S_ISDIR(st.st_mode)) {
      files.push_back(argv[i]);
      continue;
    }
    DIR *d = opendir(argv[i]);
    while (dirent *e = d ? readdir(d) : nullptr)
      if (e->d_name[0] != '.') files.push_back(std::string(argv[i]) + "/" + e->d_name);
    if (d) closedir(d);
  }
  std::sort(files.begin(), files.end());
  for (const std::string &file : files) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string s = bytes.str();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(s.data()), s.size());
  }
  std::printf("%zu input(s) read without a fault\n", files.size());
  return files.empty() ? 1 : 0;
}
