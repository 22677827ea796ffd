#pragma once
#include <string>

// value with "," between thousands and the given number of decimals; at most 23 characters.
std::string CommaFormat(double value, int decimals);

// Reverses p_str in place and returns it; a null pointer is reported and returned untouched.
char *str_rev(char *p_str);
