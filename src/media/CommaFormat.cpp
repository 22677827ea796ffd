#include "media/CommaFormat.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

char *str_rev(char *p_str) {
  if (p_str == nullptr) {
    std::fprintf(stderr, "Assertion failed: (p_str != NULL), function str_rev, file CommaFormat, line 9.\n");
    return p_str;
  }
  size_t n = std::strlen(p_str);
  if (n < 2) return p_str;
  for (size_t i = 0, j = n - 1; i < j; ++i, --j) {
    char c = p_str[i];
    p_str[i] = p_str[j];
    p_str[j] = c;
  }
  return p_str;
}

std::string CommaFormat(double value, int decimals) {
  const size_t kMaxLength = 23;
  if (decimals < 0) decimals = 0;
  bool negative = value < 0;
  double v = std::fabs(value);

  int need = std::snprintf(nullptr, 0, "%.*f", decimals, v);
  if (need <= 0) return std::string();
  std::vector<char> printed((size_t)need + 1);
  std::snprintf(printed.data(), printed.size(), "%.*f", decimals, v);

  const char *dot = std::strchr(printed.data(), '.');
  size_t intLen = dot ? (size_t)(dot - printed.data()) : std::strlen(printed.data());

  // Built back to front, then turned round, the same way as the separators are counted.
  std::vector<char> out;
  out.reserve(intLen + intLen / 3 + 3);
  int copied = 0;
  for (size_t i = intLen; i-- > 0;) {
    out.push_back(printed[i]);
    if (++copied % 3 == 0) out.push_back(',');
  }
  if (!out.empty() && out.back() == ',') out.pop_back();
  if (negative) out.push_back('-');
  out.push_back('\0');
  str_rev(out.data());

  std::string result(out.data());
  if (decimals >= 1 && dot) result += dot;
  if (result.size() > kMaxLength) result.resize(kMaxLength);
  return result;
}
