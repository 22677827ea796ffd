#pragma once
#include <string>

// The laboratory's score log in the working folder: one block per game, appended whole or not at
// all. False when the block could not be appended (the file is then as it was).
bool appendScoreLog(const std::string &path, const std::string &levelName, int score);
std::string scoreLogBlock(const std::string &levelName, int score);
